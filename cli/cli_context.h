// What every orlanectl command gets: its arguments, the global options, the
// output streams, and the exit codes scripts rely on.
#pragma once

#include "days/day_files.h"
#include "security/user_file.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace orlane::cli {

enum ExitCode : int {
  kExitOk = 0,
  kExitRefused = 1,  // already exists, not found
  kExitUsage = 2,
  kExitWrongPassword = 3,
  kExitOtherPassword = 4,  // the day file belongs to another password
  kExitFileError = 5,
};

class CliContext final {
 public:
  CliContext(QStringList args, std::optional<QString> password)
      : args_(std::move(args)), password_(std::move(password)) {}

  // Positional arguments after the command name, options removed by takeFlag
  // and takeOption as the command asks for them.
  const QStringList& args() const { return args_; }
  QString arg(int i) const { return i < args_.size() ? args_[i] : QString(); }

  // Removes "--name" from the arguments; true when it was there.
  bool takeFlag(const char* name);
  // Removes "--name VALUE" (or "--name=VALUE"); false and a usage message when
  // the value is missing.
  bool takeOption(const char* name, std::optional<QString>& value);
  // Any argument still starting with "--" is an unknown option.
  bool rejectUnknownOptions();

  const std::optional<QString>& password() const { return password_; }
  // The password for commands that need one: --password, ORLANE_PASSWORD, or a
  // prompt on the terminal without echo; nullopt when none can be had.
  std::optional<QByteArray> askPassword() const;
  // A line typed on the terminal after prompt, without echo; nullopt when
  // standard input is not a terminal.
  static std::optional<QByteArray> askHidden(const char* prompt);
  // askPassword() for a command: kExitOk with the password, or the exit code
  // to end with when there is none or it is longer than a password can be
  // (never cut to fit; the message is printed).
  int takePassword(QByteArray& password) const;
  // The one-line warning for a password given as an argument, which other
  // users see in the process list and the shell keeps in its history.
  static void warnPasswordArgument();
  // Checks the password against the user file as the login does; kExitOk or
  // the exit code to end with (the message is printed).
  int login(QByteArray& password) const;
  // The password against the user file; a file the cipher refuses first
  // prints "parameter error" on standard error, as the program shows it.
  static PasswordCheck checkUserFile(const QByteArray& typed);

  // Creates the user folder when a command is about to write into it.
  bool ensureUserFolder();
  // A command that works on the user folder runs only when the folder is
  // there (a mistyped --user-dir must not list nothing, nor be created
  // silently); create (--create) makes it first. kExitOk or the exit code to
  // end with (the message is printed).
  int requireUserFolder(bool create) const;

  // A date or time argument; a bad one prints "not a date: TEXT" or
  // "not a time: TEXT" (exit with kExitUsage).
  std::optional<CalendarDate> parseDate(const QString& text) const;
  bool checkTime(const QString& text) const;
  // The day key of a --from or --to date; open when the option was not
  // given. A bad date prints "not a date: TEXT" (exit with kExitUsage).
  std::optional<QString> rangeKey(const std::optional<QString>& date, const QString& open) const;

  static void print(const QString& line);            // a line on standard output
  static void printRaw(const QByteArray& bytes);     // bytes as they are
  int fail(int code, const QString& message) const;  // one line on standard error
  int usage(const QString& message) const { return fail(kExitUsage, message); }

 private:
  QStringList args_;
  std::optional<QString> password_;
};

}  // namespace orlane::cli
