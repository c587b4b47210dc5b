#include "cli/cli_context.h"

#include "days/day_files.h"
#include "platform/app_paths.h"
#include "reminders/reminder_value.h"
#include "security/cipher.h"
#include "security/folder_path.h"
#include "security/scramble.h"

#include <QFileInfo>

#include <termios.h>
#include <unistd.h>
#include <cstdio>
#include <iostream>
#include <string>

namespace orlane::cli {

bool CliContext::takeFlag(const char* name) {
  const QString flag = QStringLiteral("--") + QLatin1String(name);
  return args_.removeAll(flag) > 0;
}

bool CliContext::takeOption(const char* name, std::optional<QString>& value) {
  const QString flag = QStringLiteral("--") + QLatin1String(name);
  for (int i = 0; i < args_.size(); ++i) {
    if (args_[i] == flag) {
      if (i + 1 >= args_.size()) {
        usage(flag + QStringLiteral(" needs a value"));
        return false;
      }
      value = args_[i + 1];
      args_.remove(i, 2);
      return true;
    }
    if (args_[i].startsWith(flag + QLatin1Char('='))) {
      value = args_[i].mid(flag.size() + 1);
      args_.remove(i);
      return true;
    }
  }
  return true;
}

bool CliContext::rejectUnknownOptions() {
  for (const QString& a : args_)
    if (a.startsWith(QStringLiteral("--"))) {
      usage(QStringLiteral("unknown option ") + a);
      return false;
    }
  return true;
}

std::optional<QByteArray> CliContext::askPassword() const {
  if (password_) return password_->toUtf8();
  return askHidden("Password: ");
}

std::optional<QByteArray> CliContext::askHidden(const char* prompt) {
  if (!::isatty(STDIN_FILENO)) return std::nullopt;
  std::fprintf(stderr, "%s", prompt);
  std::fflush(stderr);
  termios saved{};
  const bool terminal = ::tcgetattr(STDIN_FILENO, &saved) == 0;
  if (terminal) {
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
  }
  std::string line;
  std::getline(std::cin, line);
  if (terminal) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
  std::fprintf(stderr, "\n");
  return QByteArray::fromStdString(line);
}

int CliContext::takePassword(QByteArray& password) const {
  const std::optional<QByteArray> typed = askPassword();
  if (!typed) return usage(QStringLiteral("a password is needed: ORLANE_PASSWORD, a terminal or --password"));
  if (typed->size() > kMaxPasswordBytes) return usage(QStringLiteral("a password has at most 32 bytes"));
  password = *typed;
  return kExitOk;
}

void CliContext::warnPasswordArgument() {
  std::fprintf(stderr,
               "warning: a password given as an argument is seen by other users and kept in the shell's history; "
               "prefer ORLANE_PASSWORD or the prompt\n");
}

int CliContext::login(QByteArray& password) const {
  // A user who never set a password is never asked for one.
  if (!password_ && checkUserFile(QByteArray()) == PasswordCheck::Accepted) {
    password.clear();
    return kExitOk;
  }
  QByteArray typed;
  if (const int code = takePassword(typed)) return code;
  switch (checkUserFile(typed)) {
    case PasswordCheck::Accepted: password = typed; return kExitOk;
    case PasswordCheck::Wrong: return fail(kExitWrongPassword, QStringLiteral("Incorrect password."));
    case PasswordCheck::Unreadable: return fail(kExitFileError, UnreadableUserFileMessage());
    case PasswordCheck::NoUserFile:
      return fail(kExitFileError,
                  QStringLiteral("There is no user file yet; create one with: orlanectl user-file init"));
  }
  return kExitFileError;
}

PasswordCheck CliContext::checkUserFile(const QByteArray& typed) {
  const StoredPassword stored = ReadUserFile(UserFilePath(kUserFileName));
  if (stored.parameterError) std::fprintf(stderr, "%s\n", kParameterErrorText);
  return CheckPassword(stored, typed);
}

bool CliContext::ensureUserFolder() {
  return CreateFolderPath(UserFolder()) == 1;
}

int CliContext::requireUserFolder(bool create) const {
  QString folder = UserFolder();
  if (QFileInfo(folder).isDir()) return kExitOk;
  while (folder.size() > 1 && folder.endsWith(QLatin1Char('/'))) folder.chop(1);
  if (!create)
    return fail(kExitFileError,
                QStringLiteral("The user folder does not exist: ") + folder + QStringLiteral(" (--create makes it)"));
  if (CreateFolderPath(folder) != 1)
    return fail(kExitFileError, QStringLiteral("The user folder could not be created: ") + folder);
  return kExitOk;
}

std::optional<CalendarDate> CliContext::parseDate(const QString& text) const {
  std::optional<CalendarDate> date = ParseIsoDate(text);
  if (!date) usage(QStringLiteral("not a date: ") + text);
  return date;
}

std::optional<QString> CliContext::rangeKey(const std::optional<QString>& date, const QString& open) const {
  if (!date) return open;
  const std::optional<CalendarDate> d = parseDate(*date);
  if (!d) return std::nullopt;
  return MakeDayKey(d->year, d->month, d->day);
}

bool CliContext::checkTime(const QString& text) const {
  if (IsWellFormedTimeKey(text.toLatin1())) return true;
  usage(QStringLiteral("not a time: ") + text);
  return false;
}

void CliContext::print(const QString& line) {
  printRaw(line.toUtf8() + '\n');
}

void CliContext::printRaw(const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

int CliContext::fail(int code, const QString& message) const {
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  return code;
}

}  // namespace orlane::cli
