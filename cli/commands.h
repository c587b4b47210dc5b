// The command table of orlanectl. Each command lives in a cmd_*.cpp file of its
// own and is listed once in commands.cpp.
#pragma once

#include "cli/cli_context.h"

#include <span>

namespace orlane::cli {

struct CliCommand {
  const char* name;
  const char* synopsis;
  int (*run)(CliContext& context);
};

std::span<const CliCommand> Commands();
// Whether the command reads or writes the user folder (all but the few that
// only compute or read program data).
bool UsesUserFolder(const CliCommand& command);

int RunDayKey(CliContext& context);
int RunSettings(CliContext& context);
int RunScramble(CliContext& context);
int RunUnscramble(CliContext& context);
int RunUserFile(CliContext& context);
int RunReminders(CliContext& context);
int RunHoliday(CliContext& context);
int RunSearch(CliContext& context);
int RunSound(CliContext& context);
int RunDiary(CliContext& context);
int RunBackup(CliContext& context);
int RunSync(CliContext& context);
int RunIcal(CliContext& context);
// The range form of diary export, once its range options are taken.
int RunDiaryBook(CliContext& context, const std::optional<QString>& from, const std::optional<QString>& to,
                 const std::optional<QString>& format);

}  // namespace orlane::cli
