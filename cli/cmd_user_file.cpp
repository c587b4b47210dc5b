#include "cli/commands.h"
#include "days/day_files.h"
#include "platform/file_io.h"
#include "security/scramble.h"
#include "security/user_file.h"

namespace orlane::cli {

namespace {
int Init(CliContext& context, const QByteArray& password) {
  const QString path = UserFilePath(kUserFileName);
  if (FileExists(path)) return context.fail(kExitRefused, QStringLiteral("The user file exists already."));
  if (!context.ensureUserFolder() || CreateUserFile(path, password) != WriteResult::Written)
    return context.fail(kExitFileError, QStringLiteral("User file create failed, please contact us by email."));
  return kExitOk;
}

int Check(CliContext& context, const QByteArray& password) {
  switch (CliContext::checkUserFile(password)) {
    case PasswordCheck::Accepted: return kExitOk;
    case PasswordCheck::Wrong: return context.fail(kExitWrongPassword, QStringLiteral("wrong password"));
    case PasswordCheck::NoUserFile: return context.fail(kExitWrongPassword, QStringLiteral("There is no user file."));
    case PasswordCheck::Unreadable: return context.fail(kExitFileError, UnreadableUserFileMessage());
  }
  return kExitFileError;
}
}  // namespace

int RunUserFile(CliContext& context) {
  const QString usageText = QStringLiteral("usage: orlanectl user-file init|check [PW]");
  if (!context.rejectUnknownOptions()) return kExitUsage;
  const bool init = context.arg(0) == QLatin1String("init");
  if ((!init && context.arg(0) != QLatin1String("check")) || context.args().isEmpty() || context.args().size() > 2)
    return context.usage(usageText);
  QByteArray password;
  if (context.args().size() == 2) {
    CliContext::warnPasswordArgument();
    password = context.arg(1).toUtf8();
    if (password.size() > kMaxPasswordBytes) return context.usage(QStringLiteral("a password has at most 32 bytes"));
  } else if (const int code = context.takePassword(password)) {
    return code;
  }
  return init ? Init(context, password) : Check(context, password);
}

}  // namespace orlane::cli
