#include "security/user_file.h"

#include "security/cipher.h"

namespace orlane {

namespace {
// A user file holds a password of at most 32 bytes; anything much larger is not ours.
constexpr qint64 kUserFileReadLimit = 4096;
}  // namespace

StoredPassword ReadUserFile(const QString& path) {
  QByteArray bytes;
  switch (ReadFileBytes(path, bytes, kUserFileReadLimit)) {
    case FileReadResult::Missing: return {StoredPassword::State::Missing, {}};
    case FileReadResult::Unreadable: return {StoredPassword::State::Unreadable, {}};
    case FileReadResult::TooLarge: return {StoredPassword::State::Damaged, {}};
    case FileReadResult::Ok: break;
  }
  const int length = static_cast<int>(bytes.size());
  const CipherResult plain = DecipherBuffer(bytes, length);
  if (plain.length < 0 || plain.length > length) return {StoredPassword::State::Damaged, {}, plain.parameterError};
  return {StoredPassword::State::Ok, bytes.left(plain.length)};
}

WriteResult CreateUserFile(const QString& path, const QByteArray& password) {
  QByteArray bytes = password;
  EncipherBuffer(bytes);
  return AtomicWriteFile(path, bytes);
}

PasswordCheck CheckPassword(const QString& path, const QByteArray& typed) {
  return CheckPassword(ReadUserFile(path), typed);
}

PasswordCheck CheckPassword(const StoredPassword& stored, const QByteArray& typed) {
  switch (stored.state) {
    case StoredPassword::State::Missing: return PasswordCheck::NoUserFile;
    case StoredPassword::State::Unreadable: return PasswordCheck::Unreadable;
    case StoredPassword::State::Damaged: return PasswordCheck::Wrong;
    case StoredPassword::State::Ok: break;
  }
  return stored.password == typed ? PasswordCheck::Accepted : PasswordCheck::Wrong;
}

StartupLogin DecideStartupLogin(const StoredPassword& stored, bool hideAtStartup) {
  using State = StoredPassword::State;
  if (stored.state == State::Unreadable) return StartupLogin::Refuse;
  // A missing file counts as a set password (" "), so the first start asks for
  // a new one; a damaged file asks too, and no typed password will match it.
  const bool passwordSet = stored.state != State::Ok || !stored.password.isEmpty();
  if (passwordSet && !hideAtStartup) return StartupLogin::AskPassword;
  if (passwordSet || hideAtStartup) return StartupLogin::TakeStoredPassword;
  return StartupLogin::NoLogin;
}

QByteArray StartupPassword(const StoredPassword& stored) {
  return stored.state == StoredPassword::State::Ok ? stored.password : QByteArray(" ");
}

QString UnreadableUserFileMessage() {
  return QStringLiteral(
      "The user file cannot be read, so nobody can log in. Please check the permissions of user.sav.");
}

}  // namespace orlane
