#include "app/frame_controls.h"

#include "app/main_ids.h"
#include "calendar/analog_clock.h"
#include "calendar/month_calendar.h"
#include "controls/bv_title.h"
#include "controls/color_theme.h"
#include "controls/gdi_painter.h"
#include "controls/mac_btn_group.h"
#include "controls/mac_button.h"
#include "controls/picker_fields.h"
#include "controls/program_fonts.h"
#include "platform/program_info.h"

#include <QDateEdit>
#include <QFrame>
#include <QLabel>

namespace orlane {

namespace {
constexpr ButtonEntry kFrameButtons[] = {
    {ids::kClose, "", 133, "Close"},
    {ids::kMaximize, "", 314, "Maximize"},
    {ids::kHide, "", 187, "Hide"},
    {ids::kMinimize, "", 134, "Minimize"},
};
constexpr ButtonEntry kToolbar[] = {
    {ids::kThemeButton, "Theme", 316, "Select color themes"},  {ids::kHelpButton, "Help", 203, "Help (F1)"},
    {ids::kPrint, "Print", 237, "Print diary (CTRL+P)"},       {ids::kSaveAll, "Save All", 207, "Save All (CTRL+S)"},
    {ids::kShowConfig, "Config", 184, "Show config (CTRL+G)"},
};
constexpr ButtonEntry kCalendarSwitch = {ids::kCalendarSwitch, "", 251, "Show Calendar and Clock (F2)"};

void CreateModeSwitch(QWidget* client, FrameControls& c) {
  c.modeSwitch = c.set.Add(ids::kModeSwitch, new NMacBtnGroup(QRect(12, 33, 248, 22), client, QColor(Qt::white)));
  c.modeSwitch->CreateButtons({QStringLiteral("Reminder"), QStringLiteral("Diary"), QStringLiteral("Recorder")},
                              {ids::kModeReminder, ids::kModeDiary, ids::kModeSound}, 1, 3, DialogFont(), false);
  const std::pair<int, std::pair<int, const char*>> modeLooks[] = {{ids::kModeReminder, {201, "Reminder Set"}},
                                                                   {ids::kModeDiary, {136, "RichText Diary"}},
                                                                   {ids::kModeSound, {138, "Sound Diary"}}};
  for (const auto& [id, look] : modeLooks)
    if (CMacButton* b = c.modeSwitch->Find(id)) {
      b->SetIcon16(look.first);
      b->SetTooltipText(QString::fromUtf8(look.second));
      // Enter does nothing in the main window, on the mode switch either.
      b->setAutoDefault(false);
      b->setDefault(false);
    }
}
}  // namespace

void CreateFrameControls(QWidget* client, FrameControls& c, int theme, int weekStart) {
  c.title =
      c.set.Add(ids::kTitleBand, new CBVTitle(QLatin1String(kProgramTitle), QRect(0, 0, client->width(), 25), client));
  c.title->SetSkin(theme);
  for (const ButtonEntry& s : kFrameButtons) c.set.AddButton(client, s, theme);
  for (const ButtonEntry& s : kToolbar) c.set.AddButton(client, s, theme);
  auto* line = c.set.Add(ids::kStaticLine, new QFrame(client));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  CreateModeSwitch(client, c);

  // Left column: the calendar, or the date picker with the clock.
  c.calendar = new CMonthCalendar(client);
  c.calendar->weekStart = weekStart;
  c.calendar->Create(QRect(10, 60, 178, 142), client);
  c.calendar->SetTheme(theme);
  c.set.Add(ids::kMonthCalendar, c.calendar);
  c.datePicker = c.set.Add(ids::kDatePicker, new QDateEdit(client));
  c.datePicker->setCalendarPopup(true);
  SelectFieldOnClick(c.datePicker);
  c.clock = c.set.Add(ids::kClock, new CAnalogClock(client));

  c.titleLine = c.set.AddLabel(client, ids::kTitleLine, "");
  c.set.AddButton(client, kCalendarSwitch, theme);
}

void ApplyFrameTheme(FrameControls& controls, int theme) {
  const QColor face = ToQColor(ThemeColor(theme, kThemeLightFace));
  for (int id : controls.set.ids())
    if (CMacButton* b = controls.set.button(id)) b->SetTheme(theme);
  controls.modeSwitch->SetTheme(face, theme);
  controls.calendar->SetTheme(theme);
  controls.title->SetSkin(theme);
  controls.clock->SetBackgroundColor(ThemeColor(theme, kThemeLightFace));
  controls.clock->SetDialColor(ThemeColor(theme, kThemeFace));
  controls.clock->SetHandFillColor(ThemeColor(theme, kThemeShadow));
  controls.clock->SetHandOutlineColor(ThemeColor(theme, kThemeOutline));
  QPalette p = controls.datePicker->palette();
  p.setColor(QPalette::Base, face);
  p.setColor(QPalette::Highlight, ToQColor(ThemeColor(theme, kThemeShadow)));
  controls.datePicker->setPalette(p);
}

void ShowCalendarOrClock(FrameControls& controls, bool calendarShown) {
  controls.calendar->setVisible(calendarShown);
  controls.datePicker->setVisible(!calendarShown);
  controls.clock->setVisible(!calendarShown);
  if (CMacButton* b = controls.set.button(ids::kCalendarSwitch)) {
    b->SetIcon16(calendarShown ? 250 : 251);
    b->SetTooltipText(calendarShown ? QStringLiteral("Hide Calendar and Clock (F2)")
                                    : QStringLiteral("Show Calendar and Clock (F2)"));
  }
}

void ShowMaximized(FrameControls& controls, bool maximized) {
  if (CMacButton* b = controls.set.button(ids::kMaximize)) b->SetIcon16(maximized ? 312 : 314);
}

}  // namespace orlane
