// The desk widget's rules that need no window: its command ids and menu, the
// opacity steps of the menu and the Page Up / Page Down keys, the caption line
// of each size and date format, and the decision to refresh when a tick
// finds that the local date has changed.
#pragma once

#include "widget/deskleaf_settings.h"

#include <QString>

#include <array>
#include <cstdint>
#include <ctime>

namespace orlane {

namespace deskleaf_ids {
inline constexpr int kShowCalendar = 4001;
inline constexpr int kShowClock = 4002;
inline constexpr int kStayTopmost = 4003;
inline constexpr int kMoreTransparent = 4004;
inline constexpr int kMoreOpaque = 4005;
inline constexpr int kCloseDeskleaf = 4006;
inline constexpr int kSize = 4007;
inline constexpr int kShowReminders = 4008;
inline constexpr int kExitOrlane = 4009;
inline constexpr int kOpenOrlane = 4010;
inline constexpr int kGotoToday = 4011;
// The widget's one-second timer.
inline constexpr int kTickTimer = 3003;
}  // namespace deskleaf_ids

struct DeskleafMenuItem {
  int id;  // 0: a separator
  const char* text;
  bool check;
};
// The context menu in order; the size item's text is SizeItemText's.
inline constexpr std::array<DeskleafMenuItem, 13> kDeskleafMenu{{
    {deskleaf_ids::kShowCalendar, "Show calendar", true},
    {deskleaf_ids::kShowClock, "Show analog clock", true},
    {deskleaf_ids::kShowReminders, "Show reminders", true},
    {deskleaf_ids::kStayTopmost, "Stay topmost", true},
    {deskleaf_ids::kGotoToday, "Goto today", false},
    {deskleaf_ids::kSize, "Small size", false},
    {0, nullptr, false},
    {deskleaf_ids::kMoreTransparent, "More transparent", false},
    {deskleaf_ids::kMoreOpaque, "More opaque", false},
    {0, nullptr, false},
    {deskleaf_ids::kOpenOrlane, "Open Orlane", false},
    {deskleaf_ids::kCloseDeskleaf, "Close Deskleaf", false},
    {deskleaf_ids::kExitOrlane, "Exit Orlane", false},
}};

// Whether a check item is on in these settings (false for other ids).
bool DeskleafItemChecked(const DeskleafSettings& settings, int id);
// Flips the flag of a check item; false for other ids.
bool ToggleDeskleafFlag(DeskleafSettings& settings, int id);

// Opacity: 85 to 255 in steps of 10 (from 195). The menu items step while
// they are enabled, the keys as long as a step stays in range; a value off
// the grid (from a file) never leaves the range either.
inline constexpr int kDeskleafMaxOpacity = 255;
inline constexpr int kDeskleafOpacityStep = 10;
enum class OpacityAction { MoreTransparent, MoreOpaque, PageDown, PageUp };
std::uint8_t OpacityAfter(std::uint8_t opacity, OpacityAction action);
bool CanBeMoreTransparent(std::uint8_t opacity);
bool CanBeMoreOpaque(std::uint8_t opacity);

// The caption line: in the small size month/day hour:minute (date format 0
// and 2), day/month hour:minute (1), empty for another format; in the big
// size the locale's short date and time.
QString DeskleafCaption(std::time_t now, bool small, int dateFormat);

// What a tick does about the date. The first tick of a new local day (the
// tick at 00:00:00, or the first one after the machine slept through it)
// refreshes; the widget follows to the new day when it was showing the day
// that just ended, and only then tells the main window.
struct DeskleafDayTurn {
  bool refresh = false;
  std::time_t widgetDate = 0;
  bool tellMainWindow = false;
};
DeskleafDayTurn DecideDayTurn(std::time_t lastTick, std::time_t now, std::time_t widgetDate);

}  // namespace orlane
