#include "widget/deskleaf_model.h"

#include "days/date_format.h"
#include "platform/local_time.h"

#include <algorithm>

namespace orlane {

namespace {
// The flag of a check item, const or not as the settings are.
template <class Settings>
auto FlagOf(Settings& s, int id) -> decltype(&s.showCalendar) {
  switch (id) {
    case deskleaf_ids::kShowCalendar: return &s.showCalendar;
    case deskleaf_ids::kShowClock: return &s.showClock;
    case deskleaf_ids::kShowReminders: return &s.showReminders;
    case deskleaf_ids::kStayTopmost: return &s.stayTopmost;
    default: return nullptr;
  }
}

bool SameLocalDate(std::time_t a, std::time_t b) {
  const LocalDate x = LocalDateOf(a);
  const LocalDate y = LocalDateOf(b);
  return x.year == y.year && x.month == y.month && x.day == y.day;
}
}  // namespace

bool DeskleafItemChecked(const DeskleafSettings& settings, int id) {
  const std::int32_t* flag = FlagOf(settings, id);
  return flag && *flag != 0;
}

bool ToggleDeskleafFlag(DeskleafSettings& settings, int id) {
  std::int32_t* flag = FlagOf(settings, id);
  if (!flag) return false;
  *flag = *flag ? 0 : 1;
  return true;
}

std::uint8_t OpacityAfter(std::uint8_t opacity, OpacityAction action) {
  const int o = opacity;
  int next = o;
  switch (action) {
    case OpacityAction::MoreTransparent:
    case OpacityAction::PageDown: next = o - kDeskleafOpacityStep; break;
    case OpacityAction::MoreOpaque:
    case OpacityAction::PageUp: next = o + kDeskleafOpacityStep; break;
  }
  if (next < kDeskleafMinOpacity) next = o < kDeskleafMinOpacity ? o : kDeskleafMinOpacity;
  return static_cast<std::uint8_t>(std::min(next, kDeskleafMaxOpacity));
}

bool CanBeMoreTransparent(std::uint8_t opacity) {
  return opacity > kDeskleafMinOpacity;
}
bool CanBeMoreOpaque(std::uint8_t opacity) {
  return opacity < kDeskleafMaxOpacity;
}

QString DeskleafCaption(std::time_t now, bool small, int dateFormat) {
  // The big size shows the short date and the time, as "%c" of the classic
  // runtime does, with the date in the order the user chose.
  if (!small) return FormatLocalTime(ShortDateFormat(dateFormat), now) + FormatLocalTime(" %H:%M:%S", now);
  switch (dateFormat) {
    case 0:
    case 2: return FormatLocalTime("%m/%d %H:%M", now);
    case 1: return FormatLocalTime("%d/%m %H:%M", now);
    default: return QString();
  }
}

DeskleafDayTurn DecideDayTurn(std::time_t lastTick, std::time_t now, std::time_t widgetDate) {
  DeskleafDayTurn turn;
  turn.widgetDate = widgetDate;
  if (lastTick == 0 || SameLocalDate(lastTick, now)) return turn;
  turn.refresh = true;
  if (SameLocalDate(widgetDate, lastTick)) {
    turn.widgetDate = now;
    turn.tellMainWindow = true;
  }
  return turn;
}

}  // namespace orlane
