#include "security/password_change.h"

#include "platform/app_paths.h"
#include "platform/archive.h"
#include "platform/file_io.h"
#include "security/cipher.h"
#include "security/scramble.h"
#include "security/user_file.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace orlane {

namespace {
QString RecordPath() {
  return UserFilePath(kPasswordChangeRecordName);
}

// A change not finished yet: the pages of any of the old passwords are to
// carry the new one. A second change before the first finished adds its old
// password to the list, so no page of the first is left behind.
struct ChangeRecord {
  QByteArrayList oldPasswords;
  QByteArray newPassword;
};

// The first old password, the new one, then any further old passwords.
WriteResult WriteRecord(const ChangeRecord& record) {
  QByteArray plain;
  ArchiveWriter w(plain);
  w.writeString(record.oldPasswords.value(0));
  w.writeString(record.newPassword);
  for (qsizetype i = 1; i < record.oldPasswords.size(); ++i) w.writeString(record.oldPasswords[i]);
  EncipherBuffer(plain);
  return AtomicWriteFile(RecordPath(), plain);
}

// The change is finished. A record that cannot be removed is read again at
// the next start, finds every page done and is removed then.
void DropRecord() {
  static_cast<void>(RemoveFileForced(RecordPath()));
}

bool ReadRecord(ChangeRecord& record) {
  QByteArray bytes;
  if (ReadFileBytes(RecordPath(), bytes, 4096) != FileReadResult::Ok || bytes.size() % 8 != 0 || bytes.isEmpty())
    return false;
  const int length = static_cast<int>(bytes.size());
  // A record that does not decipher is kept for a person to look at; nobody
  // is waiting for it, so no message.
  const CipherResult plain = DecipherBuffer(bytes, length);
  if (plain.length < 0 || plain.length > length) return false;
  ArchiveReader in(QByteArrayView(bytes).first(plain.length));
  QByteArray first;
  if (!in.readString(first) || !in.readString(record.newPassword)) return false;
  record.oldPasswords = {first};
  QByteArray more;
  while (!in.atEnd() && in.readString(more)) record.oldPasswords << more;
  return !in.ended();
}

// Re-stamps the pages still under an old password; pages already under the
// new one or under a third password are left as they are. A page that cannot
// be read or rewritten counts as failed.
PasswordChangeResult Restamp(const ChangeRecord& record, const PasswordChangeProgress& progress) {
  PasswordChangeResult result;
  const QStringList files = PasswordStampedFiles();
  const int total = static_cast<int>(files.size());
  const auto underOldPassword = [&record](const QByteArray& bytes) {
    for (const QByteArray& old : record.oldPasswords)
      if (CheckPasswordHeader(bytes, old) == PasswordHeaderCheck::Matches) return true;
    return false;
  };
  for (int i = 0; i < total; ++i) {
    QByteArray bytes;
    const FileReadResult read = ReadFileBytes(files[i], bytes);
    if (read == FileReadResult::Unreadable || read == FileReadResult::TooLarge) {
      result.failedFiles << QFileInfo(files[i]).fileName();
    } else if (read == FileReadResult::Ok && underOldPassword(bytes)) {
      const QByteArray restamped = MakePasswordHeader(record.newPassword) + bytes.mid(kPasswordHeaderSize);
      if (AtomicWriteFile(files[i], restamped) == WriteResult::Written)
        ++result.restamped;
      else
        result.failedFiles << QFileInfo(files[i]).fileName();
    }
    result.failed = static_cast<int>(result.failedFiles.size());
    if (progress && !progress(i + 1, total)) {
      result.interrupted = true;
      return result;
    }
  }
  return result;
}
}  // namespace

PasswordChangeCheck CheckPasswordChange(const QByteArray& typedOld, const QByteArray& current,
                                        const QByteArray& typedNew, const QByteArray& confirm) {
  if (typedOld != current) return PasswordChangeCheck::OldPasswordWrong;
  if (typedNew != confirm) return PasswordChangeCheck::ConfirmMismatch;
  if (typedNew == typedOld) return PasswordChangeCheck::Unchanged;
  if (typedNew.size() > kMaxPasswordBytes) return PasswordChangeCheck::TooLong;
  return PasswordChangeCheck::Ok;
}

QString PasswordChangeMessage(PasswordChangeCheck check) {
  switch (check) {
    case PasswordChangeCheck::OldPasswordWrong: return QStringLiteral("Old password input error.");
    case PasswordChangeCheck::ConfirmMismatch: return QStringLiteral("New password confirmed error.");
    case PasswordChangeCheck::TooLong: return QStringLiteral("A password has at most 32 characters.");
    case PasswordChangeCheck::Ok:
    case PasswordChangeCheck::Unchanged: break;
  }
  return {};
}

QStringList PasswordStampedFiles() {
  QStringList files;
  const QDir folder(UserFolder());
  for (const QFileInfo& entry : folder.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name)) {
    const QString name = entry.fileName();
    if (name.endsWith(QStringLiteral(".dia")) || name.endsWith(QStringLiteral(".rec")))
      files << entry.absoluteFilePath();
  }
  return files;
}

PasswordChangeResult ChangePassword(const QByteArray& oldPassword, const QByteArray& newPassword,
                                    const PasswordChangeProgress& progress) {
  PasswordChangeResult result;
  // An earlier change that is not finished goes on inside this one.
  ChangeRecord earlier;
  if (FileExists(RecordPath()) && !ReadRecord(earlier)) {
    KeepFileCopy(RecordPath(), QStringLiteral(".unreadable"));
    earlier = ChangeRecord{};
  }
  ChangeRecord record{{}, newPassword};
  QByteArrayList olds = earlier.oldPasswords;
  if (!olds.isEmpty()) olds << earlier.newPassword;
  olds << oldPassword;
  for (const QByteArray& old : olds)
    if (old != newPassword && !record.oldPasswords.contains(old)) record.oldPasswords << old;

  // The record first, then the user file: a crash after either leaves enough
  // behind to finish; a failure of either changes nothing.
  if (WriteRecord(record) != WriteResult::Written) return result;
  if (CreateUserFile(UserFilePath(kUserFileName), newPassword) != WriteResult::Written) {
    // Undone as far as it goes: a record left behind only sends the next
    // start looking for pages that already carry the password in force.
    static_cast<void>(earlier.oldPasswords.isEmpty() ? RemoveFileForced(RecordPath()) : WriteRecord(earlier));
    return result;
  }
  result = Restamp(record, progress);
  result.userFileWritten = true;
  if (!result.interrupted && result.failed == 0) DropRecord();
  return result;
}

bool FinishInterruptedPasswordChange(const PasswordChangeProgress& progress, PasswordChangeResult* outcome) {
  if (!FileExists(RecordPath())) return false;
  ChangeRecord record;
  if (!ReadRecord(record)) return false;  // kept for a person to look at
  // Pages move to the password the user file takes: the new one once it was
  // written, else the old one that is still in force.
  const QString userFile = UserFilePath(kUserFileName);
  if (CheckPassword(userFile, record.newPassword) != PasswordCheck::Accepted) {
    const auto inForce =
        std::find_if(record.oldPasswords.cbegin(), record.oldPasswords.cend(),
                     [&](const QByteArray& p) { return CheckPassword(userFile, p) == PasswordCheck::Accepted; });
    if (inForce == record.oldPasswords.cend()) return true;  // the user file takes none of them
    record.newPassword = *inForce;
    record.oldPasswords.removeAll(record.newPassword);
    if (!record.oldPasswords.isEmpty() && WriteRecord(record) != WriteResult::Written) return true;
  }
  const PasswordChangeResult r = Restamp(record, progress);
  if (outcome) *outcome = r;
  if (r.interrupted || r.failed) return true;
  DropRecord();
  return true;
}

}  // namespace orlane
