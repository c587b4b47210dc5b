#include "cli/cli_context.h"

#include "platform/app_paths.h"
#include "security/folder_path.h"

#include <cstdio>

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

bool CliContext::ensureUserFolder() { return CreateFolderPath(UserFolder()) == 1; }

void CliContext::print(const QString& line) { printRaw(line.toUtf8() + '\n'); }

void CliContext::printRaw(const QByteArray& bytes) {
  std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

int CliContext::fail(int code, const QString& message) const {
  std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
  return code;
}

}  // namespace orlane::cli
