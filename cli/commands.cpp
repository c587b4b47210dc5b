#include "cli/commands.h"

#include <array>

namespace orlane::cli {

std::span<const CliCommand> Commands() {
  static const std::array<CliCommand, 2> commands{{
      {"daykey", "daykey DATE", &RunDayKey},
      {"settings", "settings show [--json] | settings set NAME VALUE", &RunSettings},
  }};
  return commands;
}

}  // namespace orlane::cli
