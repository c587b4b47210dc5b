// Changing the login password: the checks of the three fields, then the user
// file and the password header of every diary page and sound diary written
// under the old password. Each file is rewritten atomically, and a small
// record of the change in progress ("passchange.tmp", enciphered like the user
// file) lets the next start finish a change that a crash interrupted, so no
// page is ever left under a password nobody can log in with.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace orlane {

enum class PasswordChangeCheck {
  Ok,
  OldPasswordWrong,  // "Old password input error."
  ConfirmMismatch,   // "New password confirmed error."
  Unchanged,         // the new password is the old one: nothing happens
  TooLong            // more than 32 bytes
};

PasswordChangeCheck CheckPasswordChange(const QByteArray& typedOld, const QByteArray& current,
                                        const QByteArray& typedNew, const QByteArray& confirm);
// The message for a failed check, empty for Ok and Unchanged.
QString PasswordChangeMessage(PasswordChangeCheck check);

inline constexpr char kPasswordChangeRecordName[] = "passchange.tmp";

// The diary and sound files of the user folder (".dia" and ".rec", exactly
// these letters), in name order.
QStringList PasswordStampedFiles();

struct PasswordChangeResult {
  bool userFileWritten = false;
  int restamped = 0;        // headers now carrying the new password
  int failed = 0;           // files that could not be read or rewritten
  QStringList failedFiles;  // their names
  bool interrupted = false;
};

// progress(done, total) after each file; returning false stops there, as a
// crash would (the record stays for the next start).
using PasswordChangeProgress = std::function<bool(int done, int total)>;

// Rewrites the user file and re-stamps every page of the old password, and of
// the old passwords of an earlier change that is not finished yet. When the
// user file cannot be written nothing else is changed.
PasswordChangeResult ChangePassword(const QByteArray& oldPassword, const QByteArray& newPassword,
                                    const PasswordChangeProgress& progress = {});

// At start: finishes a change left by a crash or by pages that could not be
// rewritten. Returns true when one was found; outcome tells how it went.
bool FinishInterruptedPasswordChange(const PasswordChangeProgress& progress = {},
                                     PasswordChangeResult* outcome = nullptr);

}  // namespace orlane
