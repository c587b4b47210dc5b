// The program's menus: the tray menu, the help and theme menus of the
// toolbar and the calendar's context menu, each item bound to its command's
// action.
#pragma once

namespace orlane {

class CommandActions;
class NMacMenu;

inline constexpr int kProgramMenuCount = 4;  // 0 tray, 1 help, 2 theme, 3 calendar

void FillProgramMenus(CommandActions& actions, NMacMenu* const (&menus)[kProgramMenuCount]);
// The menus' colours, and the mark on the theme shown.
void ApplyProgramMenusTheme(NMacMenu* const (&menus)[kProgramMenuCount], int theme);

}  // namespace orlane
