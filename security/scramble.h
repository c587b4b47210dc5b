// The keyless byte scrambling of the day files (XOR 9, then rotate left by one
// bit), its whole-file forms, and the 32-byte password header that diary and
// sound day files begin with.
#pragma once

#include "platform/file_io.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orlane {

inline constexpr int kPasswordHeaderSize = 32;
inline constexpr int kMaxPasswordBytes = 32;

void ScrambleBytes(char* bytes, qsizetype count);
void UnscrambleBytes(char* bytes, qsizetype count);
QByteArray Scrambled(QByteArrayView bytes);
QByteArray Unscrambled(QByteArrayView bytes);

// Transform a whole file; the new content replaces the old atomically.
// Failed when the file cannot be read or rewritten (left untouched).
WriteResult ScrambleFile(const QString& path);
WriteResult UnscrambleFile(const QString& path);

// The scrambled header for a password: its bytes, a zero terminator (none when
// it is exactly 32 bytes long), zeros after it.
QByteArray MakePasswordHeader(QByteArrayView password);
// The header text of a file's first 32 bytes (scrambled as stored): the bytes up
// to the first zero after unscrambling, or all 32.
QByteArray PasswordHeaderText(QByteArrayView storedHeader);

enum class PasswordHeaderCheck {
  Matches,        // written under this password
  OtherPassword,  // written under another password
  TooShort        // not even a whole header: not a page of ours
};
PasswordHeaderCheck CheckPasswordHeader(QByteArrayView fileBytes, QByteArrayView password);

// Prepends the current password's header and scrambles the file's plain
// content behind it, atomically. Nothing happens (Failed) when the file
// cannot be read.
WriteResult WritePasswordHeader(const QString& path);

// The header + scrambled content for a page written under password.
QByteArray WrapWithPasswordHeader(QByteArrayView plainContent, QByteArrayView password);
// The plain content behind a header (no check of the password).
QByteArray UnwrapPasswordHeader(QByteArrayView fileBytes);
// The same, made in the file's own bytes instead of a copy of them.
QByteArray UnwrapPasswordHeader(QByteArray&& fileBytes);
// UnwrapPasswordHeader(fileBytes) == plainContent, without unwrapping a copy.
bool UnwrapsTo(QByteArrayView fileBytes, QByteArrayView plainContent);

}  // namespace orlane
