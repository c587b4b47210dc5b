// The desktop program's few command-line options. Every other argument is
// ignored, so a desktop launcher or an autostart entry can never change what
// the program does.
#pragma once

#include <cstdio>

namespace orlane {

enum class ProgramOption { Run, Help, Version, Paths };

// The first of --help, --version and --paths among the arguments, else Run.
ProgramOption ParseProgramOption(int argc, const char* const* argv);

// Prints what the option asks for. --paths lists where the program keeps and
// finds its files and ends with 1 when a skin, a help page or the beep is
// missing; the others end with 0.
int RunProgramOption(ProgramOption option, std::FILE* out);

}  // namespace orlane
