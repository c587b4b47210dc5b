// Process-wide constants that name the program: its title (which also names the
// instance lock and captions the main window) and its version.
#pragma once

namespace orlane {

inline constexpr const char kProgramTitle[] = "Orlane 2";
inline constexpr const char kProgramVersion[] = "2.35";

}  // namespace orlane
