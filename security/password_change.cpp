#include "security/password_change.h"

#include "platform/app_paths.h"
#include "platform/archive.h"
#include "platform/file_io.h"
#include "security/cipher.h"
#include "security/scramble.h"
#include "security/user_file.h"

#include <QDir>
#include <QFileInfo>

namespace orlane {

namespace {
QString RecordPath() { return UserFilePath(kPasswordChangeRecordName); }

int WriteRecord(const QByteArray& oldPassword, const QByteArray& newPassword) {
  QByteArray plain;
  ArchiveWriter w(plain);
  w.writeString(oldPassword);
  w.writeString(newPassword);
  EncipherBuffer(plain);
  return AtomicWriteFile(RecordPath(), plain);
}

bool ReadRecord(QByteArray& oldPassword, QByteArray& newPassword) {
  QByteArray bytes;
  if (ReadFileBytes(RecordPath(), bytes, 4096) != FileReadResult::Ok || bytes.size() % 8 != 0 || bytes.isEmpty())
    return false;
  const int length = static_cast<int>(bytes.size());
  const int plain = DecipherBuffer(bytes, length);
  if (plain < 0 || plain > length) return false;
  ArchiveReader in(QByteArrayView(bytes).first(plain));
  return in.readString(oldPassword) && in.readString(newPassword);
}

// Re-stamps the pages still under the old password; pages already under the
// new one or under a third password are left as they are.
PasswordChangeResult Restamp(const QByteArray& oldPassword, const QByteArray& newPassword,
                             const PasswordChangeProgress& progress) {
  PasswordChangeResult result;
  const QStringList files = PasswordStampedFiles();
  const int total = static_cast<int>(files.size());
  for (int i = 0; i < total; ++i) {
    QByteArray bytes;
    if (ReadFileBytes(files[i], bytes) == FileReadResult::Ok &&
        CheckPasswordHeader(bytes, oldPassword) == PasswordHeaderCheck::Matches) {
      const QByteArray restamped = MakePasswordHeader(newPassword) + bytes.mid(kPasswordHeaderSize);
      if (AtomicWriteFile(files[i], restamped) == 1)
        ++result.restamped;
      else
        ++result.failed;
    }
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
  // The record first, then the user file: a crash after either leaves enough
  // behind to finish; a failure of either changes nothing.
  if (WriteRecord(oldPassword, newPassword) != 1) return result;
  if (CreateUserFile(UserFilePath(kUserFileName), newPassword) != 1) {
    RemoveFileForced(RecordPath());
    return result;
  }
  result = Restamp(oldPassword, newPassword, progress);
  result.userFileWritten = true;
  if (!result.interrupted && result.failed == 0) RemoveFileForced(RecordPath());
  return result;
}

bool FinishInterruptedPasswordChange(const PasswordChangeProgress& progress) {
  if (!FileExists(RecordPath())) return false;
  QByteArray oldPassword;
  QByteArray newPassword;
  if (!ReadRecord(oldPassword, newPassword)) return false;  // kept for a person to look at
  // Only when the user file already took the new password did any page change.
  if (CheckPassword(UserFilePath(kUserFileName), newPassword) == PasswordCheck::Accepted) {
    const PasswordChangeResult r = Restamp(oldPassword, newPassword, progress);
    if (r.interrupted || r.failed) return true;
  }
  RemoveFileForced(RecordPath());
  return true;
}

}  // namespace orlane
