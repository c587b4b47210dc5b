// The user file "user.sav": the login password enciphered under the default
// pass phrase, nothing else. Creating it, checking a typed password against it,
// and the start-up decision whether to ask for the password at all.
#pragma once

#include "platform/file_io.h"

#include <QByteArray>
#include <QString>

namespace orlane {

// What start-up and the login learn from the user file.
struct StoredPassword {
  enum class State {
    Missing,     // no user file: a first start
    Unreadable,  // the file is there but cannot be read
    Damaged,     // read, but it does not decipher to any password
    Ok
  };
  State state = State::Missing;
  QByteArray password;  // the deciphered password when Ok
  // Damaged because the cipher refused the file's length: the one reading it
  // for the user shows kParameterErrorText (security/cipher.h).
  bool parameterError = false;
};

StoredPassword ReadUserFile(const QString& path);

// Writes the enciphered password atomically; on failure an existing file is
// left as it was.
WriteResult CreateUserFile(const QString& path, const QByteArray& password);

enum class PasswordCheck {
  Accepted,
  Wrong,       // also for a damaged file: no password matches it
  NoUserFile,  // the typed password becomes the first one
  Unreadable   // refused: the file exists but cannot be read
};
PasswordCheck CheckPassword(const StoredPassword& stored, const QByteArray& typed);
// Reads the user file and checks; a parameter error shows nothing.
PasswordCheck CheckPassword(const QString& path, const QByteArray& typed);

enum class StartupLogin {
  AskPassword,         // run the login dialog (also the first start)
  TakeStoredPassword,  // set login pending, the stored password becomes current
  NoLogin,             // an empty password: nobody is asked
  Refuse               // the user file cannot be read: do not start
};
StartupLogin DecideStartupLogin(const StoredPassword& stored, bool hideAtStartup);

// The password start-up makes current when it does not ask: the stored one, or
// the one-character " " that stands for a password still to be set.
QByteArray StartupPassword(const StoredPassword& stored);

// What is said when the user file exists but cannot be read.
QString UnreadableUserFileMessage();

}  // namespace orlane
