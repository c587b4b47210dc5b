#include "cli/commands.h"
#include "security/scramble.h"

#include <cstdio>

namespace orlane::cli {

namespace {
int Filter(CliContext& context, void (*transform)(char*, qsizetype)) {
  if (!context.rejectUnknownOptions()) return kExitUsage;
  if (!context.args().isEmpty()) return context.usage(QStringLiteral("scramble and unscramble read standard input"));
  char buffer[1 << 16];
  size_t n = 0;
  while ((n = std::fread(buffer, 1, sizeof buffer, stdin)) > 0) {
    transform(buffer, static_cast<qsizetype>(n));
    if (std::fwrite(buffer, 1, n, stdout) != n)
      return context.fail(kExitFileError, QStringLiteral("cannot write output"));
  }
  if (std::ferror(stdin)) return context.fail(kExitFileError, QStringLiteral("cannot read input"));
  return std::fflush(stdout) == 0 ? kExitOk : kExitFileError;
}
}  // namespace

int RunScramble(CliContext& context) {
  return Filter(context, &ScrambleBytes);
}
int RunUnscramble(CliContext& context) {
  return Filter(context, &UnscrambleBytes);
}

}  // namespace orlane::cli
