#include "cli/commands.h"

#include <array>
#include <cstring>

namespace orlane::cli {

std::span<const CliCommand> Commands() {
  static const std::array<CliCommand, 13> commands{{
      {"daykey", "daykey DATE", &RunDayKey},
      {"settings", "settings show [--json] | settings set NAME VALUE", &RunSettings},
      {"scramble", "scramble < IN > OUT", &RunScramble},
      {"unscramble", "unscramble < IN > OUT", &RunUnscramble},
      {"user-file", "user-file init|check [PW]", &RunUserFile},
      {"reminders",
       "reminders list DATE [--json] | add DATE TIME [--note TEXT] [--media PATH | --beep] [--inactive] [--repeat] "
       "[--every day|weekday|week|month|year [--interval N] [--on mon,...] [--until DATE | --count N]] | "
       "remove DATE TIME [--series]",
       &RunReminders},
      {"search",
       "search TERM (--diary|--reminders) [--from DATE] [--to DATE] [--case] [--whole-word] [--active] [--has-picture] "
       "[--json]",
       &RunSearch},
      {"sound", "sound export DATE FILE", &RunSound},
      {"diary",
       "diary export DATE [--format rtf|txt|html] | diary export --from DATE --to DATE --format md|html|pdf|txt "
       "[--newest-first] OUT | diary import DATE FILE [--replace]",
       &RunDiary},
      {"holiday", "holiday DATE", &RunHoliday},
      {"backup", "backup create FILE | backup verify FILE | backup restore FILE DIR", &RunBackup},
      {"ical", "ical export [--from DATE] [--to DATE] [--diary] | ical import FILE", &RunIcal},
      {"sync", "sync | sync setup URL USER [--calendar NAME]", &RunSync},
  }};
  return commands;
}

bool UsesUserFolder(const CliCommand& command) {
  static constexpr const char* kWithoutUserFolder[] = {"daykey", "scramble", "unscramble", "holiday"};
  for (const char* name : kWithoutUserFolder)
    if (std::strcmp(command.name, name) == 0) return false;
  return true;
}

}  // namespace orlane::cli
