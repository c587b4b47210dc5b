#include "app/main_controls.h"

#include "app/main_ids.h"
#include "calendar/analog_clock.h"
#include "calendar/month_calendar.h"
#include "controls/bar_ctrl.h"
#include "controls/bv_title.h"
#include "controls/color_list_box.h"
#include "controls/mac_btn_group.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/picker_fields.h"
#include "controls/program_fonts.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/program_info.h"

#include <QComboBox>
#include <QPushButton>
#include <QDateEdit>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTextEdit>
#include <QTimeEdit>

namespace orlane {

namespace {
struct ButtonSpec {
  int id;
  const char* caption;
  int bitmap;  // 0: none
  const char* tip;
};

// Buttons of the frame, the toolbar and the three modes, with their bitmaps and tips.
constexpr ButtonSpec kFrameButtons[] = {
    {ids::kClose, "", 133, "Close"},
    {ids::kMaximize, "", 314, "Maximize"},
    {ids::kHide, "", 187, "Hide"},
    {ids::kMinimize, "", 134, "Minimize"},
};
constexpr ButtonSpec kToolbar[] = {
    {ids::kThemeButton, "Theme", 316, "Select color themes"},
    {ids::kHelpButton, "Help", 203, "Help (F1)"},
    {ids::kPrint, "Print", 237, "Print diary (CTRL+P)"},
    {ids::kSaveAll, "Save All", 207, "Save All (CTRL+S)"},
    {ids::kShowConfig, "Config", 184, "Show config (CTRL+G)"},
};
constexpr ButtonSpec kReminderButtons[] = {
    {ids::kAddReminder, "Add", 179, "Add Reminder"},
    {ids::kRemoveReminder, "Remove", 180, "Remove Reminder"},
    {ids::kUpdateReminder, "Update", 244, "Update Reminder Time"},
    {ids::kRefreshReminder, "Refresh", 311, "Refresh Reminder Time"},
    {ids::kCopyReminder, "Copy", 215, "Copy Reminder"},
    {ids::kPasteReminder, "Paste", 214, "Paste Reminder"},
    {ids::kMediaFile, "Media File", 175, "Set a Media File to the Reminder"},
    {ids::kPlayNow, "Play Now", 178, "Test the Reminder"},
};
constexpr ButtonSpec kDiaryButtons[] = {
    {ids::kBold, "", 152, "Bold"},
    {ids::kItalic, "", 153, "Italic"},
    {ids::kUnderline, "", 154, "Underline"},
    {ids::kAlignLeft, "", 143, "Align Left"},
    {ids::kAlignCenter, "", 144, "Align Center"},
    {ids::kAlignRight, "", 145, "Align Right"},
    {ids::kInsertPicture, "", 151, "Insert a picture"},
    {ids::kAttachFile, "", 315, "Attach a file"},
    {ids::kFontColor, "", 155, "Font Color"},
    {ids::kBackgroundColor, "", 172, "Background Color"},
    {ids::kDiarySaveAs, "", 253, "Save As..."},
    {ids::kDiaryImport, "", 261, "Import"},
};
constexpr ButtonSpec kSoundButtons[] = {
    {ids::kPlay, "Play", 0, "Play the Recorded Sound"},
    {ids::kStop, "Stop", 0, "Stop the Recording or Stop Playing"},
    {ids::kPause, "Pause", 0, "Pause Playing"},
    {ids::kRecord, "Record", 0, "Start Recording"},
    {ids::kDeleteSound, "Delete", 0, "Delete the Recorded Sound"},
    {ids::kSaveSoundAs, "Save as", 0, "Save the selection as a WAV file"},
};
constexpr ButtonSpec kSearchButtons[] = {
    {ids::kSearch, "Search", 218, "Search words in all reminders (CTRL+F3)"},
    {ids::kFind, "Find", 213, "Find words in text (F3)"},
    {ids::kCloseResults, "", 133, "Close search result"},
    {ids::kCalendarSwitch, "", 251, "Show Calendar and Clock (F2)"},
};

template <typename T>
T* Register(MainControls& c, int id, T* w) {
  w->setProperty("controlId", id);
  c.byId.insert(id, w);
  return w;
}

CMacButton* MakeButton(QWidget* parent, MainControls& c, const ButtonSpec& item, int theme) {
  auto* b = new CMacButton(QString::fromUtf8(item.caption), item.id, parent);
  b->SetTheme(theme);
  if (item.bitmap) b->SetIcon16(item.bitmap);
  b->SetTooltipText(QString::fromUtf8(item.tip));
  b->setFont(DialogFont());
  return Register(c, item.id, b);
}

CMacCheckBox* MakeCheck(QWidget* parent, MainControls& c, int id, const char* caption, int theme) {
  auto* box = new CMacCheckBox(QString::fromUtf8(caption), id, parent);
  box->SetTheme(theme);
  box->setFont(DialogFont());
  return Register(c, id, box);
}

QLabel* MakeLabel(QWidget* parent, MainControls& c, int id, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setFont(DialogFont());
  return Register(c, id, label);
}

QGroupBox* MakeGroup(QWidget* parent, MainControls& c, int id, const char* title) {
  auto* g = new QGroupBox(QString::fromUtf8(title), parent);
  g->setFont(DialogFont());
  g->lower();
  return Register(c, id, g);
}

void FillFontCombos(MainControls& c) {
  QStringList families = QFontDatabase::families();
  if (!families.contains(QStringLiteral("Tahoma"))) families << QStringLiteral("Tahoma");
  families.sort(Qt::CaseInsensitive);
  c.fontName->addItems(families);
  c.fontName->setCurrentText(QStringLiteral("Tahoma"));
  for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30}) c.fontSize->addItem(QString::number(size));
  c.fontSize->setCurrentText(QStringLiteral("9"));
}
}  // namespace

CMacButton* MainControls::button(int id) const { return qobject_cast<CMacButton*>(byId.value(id)); }

void CreateMainControls(QWidget* client, MainControls& c, int theme, int weekStart) {
  c.title = new CBVTitle(QLatin1String(kProgramTitle), QRect(0, 0, client->width(), 25), client);
  c.title->SetSkin(theme);
  c.byId.insert(ids::kTitleBand, c.title);
  for (const ButtonSpec& s : kFrameButtons) MakeButton(client, c, s, theme);
  for (const ButtonSpec& s : kToolbar) MakeButton(client, c, s, theme);
  auto* line = Register(c, ids::kStaticLine, new QFrame(client));
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);

  c.modeSwitch = new NMacBtnGroup(QRect(12, 33, 248, 22), client, QColor(Qt::white));
  c.modeSwitch->CreateButtons({QStringLiteral("Reminder"), QStringLiteral("Diary"), QStringLiteral("Recorder")},
                              {ids::kModeReminder, ids::kModeDiary, ids::kModeSound}, 1, 3, DialogFont(), false);
  const std::pair<int, std::pair<int, const char*>> modeLooks[] = {{ids::kModeReminder, {201, "Reminder Set"}},
                                                                   {ids::kModeDiary, {136, "RichText Diary"}},
                                                                   {ids::kModeSound, {138, "Sound Diary"}}};
  for (const auto& [id, look] : modeLooks)
    if (CMacButton* b = c.modeSwitch->Find(id)) {
      b->SetIcon16(look.first);
      b->SetTooltipText(QString::fromUtf8(look.second));
    }
  c.byId.insert(ids::kModeSwitch, c.modeSwitch);

  // Left column: calendar (or the date picker with the clock), then the search panel.
  c.calendar = new CMonthCalendar(client);
  c.calendar->weekStart = weekStart;
  c.calendar->Create(QRect(10, 60, 178, 142), client);
  c.calendar->SetTheme(theme);
  c.byId.insert(ids::kMonthCalendar, c.calendar);
  c.datePicker = Register(c, ids::kDatePicker, new QDateEdit(client));
  c.datePicker->setCalendarPopup(true);
  c.datePicker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
  c.clock = new CAnalogClock(client);
  MakeGroup(client, c, ids::kSearchGroup, "");
  MakeLabel(client, c, ids::kFromLabel, "From");
  MakeLabel(client, c, ids::kToLabel, "to");
  for (int id : {ids::kSearchFrom, ids::kSearchTo}) {
    auto* picker = Register(c, id, new QDateEdit(client));
    picker->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    picker->setCalendarPopup(true);
    // The lowest date stands for "no limit", as an unticked picker would.
    picker->setMinimumDate(QDate(1900, 1, 1));
    picker->setSpecialValueText(QStringLiteral("any day"));
    picker->setDate(picker->minimumDate());
  }
  c.searchWords = Register(c, ids::kSearchWords, new QLineEdit(client));
  for (const ButtonSpec& s : kSearchButtons) MakeButton(client, c, s, theme);
  MakeCheck(client, c, ids::kHasPicture, "Has picture", theme);
  MakeCheck(client, c, ids::kActived, "Actived", theme);
  c.searchResults = Register(c, ids::kSearchResults, new CColorListBox(client));
  MakeLabel(client, c, ids::kResultsLabel, "Search Result:");

  // Reminder mode.
  MakeGroup(client, c, ids::kReminderGroup, "Alarm Set");
  c.timePicker = Register(c, ids::kTimePicker, new QTimeEdit(client));
  c.timePicker->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  for (const ButtonSpec& s : kReminderButtons) MakeButton(client, c, s, theme);
  c.reminderList = Register(c, ids::kReminderList, new CColorListBox(client));
  c.active = MakeCheck(client, c, ids::kActive, "Active", theme);
  c.beepOnly = MakeCheck(client, c, ids::kBeepOnly, "Beep Only", theme);
  c.repeat = MakeCheck(client, c, ids::kRepeatPlay, "Repeat Play", theme);
  c.mediaEdit = Register(c, ids::kMediaEdit, new QLineEdit(client));
  c.reminderNote = Register(c, ids::kReminderNote, new CRichDiaryCtrl(client));
  c.reminderNote->setAcceptRichText(false);
  c.reminderIds = {ids::kReminderGroup, ids::kTimePicker, ids::kReminderList, ids::kActive, ids::kBeepOnly,
                   ids::kRepeatPlay, ids::kMediaEdit, ids::kReminderNote};
  for (const ButtonSpec& s : kReminderButtons) c.reminderIds << s.id;

  // RichText Diary mode.
  c.fontName = Register(c, ids::kFontName, new QComboBox(client));
  c.fontSize = Register(c, ids::kFontSize, new QComboBox(client));
  FillFontCombos(c);
  for (const ButtonSpec& s : kDiaryButtons) {
    // Formatting acts on the editor's selection: the editor keeps the focus.
    MakeButton(client, c, s, theme)->setFocusPolicy(Qt::NoFocus);
  }
  for (int id : {ids::kBold, ids::kItalic, ids::kUnderline}) c.button(id)->SetToggleMode(CMacButton::kToggleMode);
  for (int id : {ids::kAlignLeft, ids::kAlignCenter, ids::kAlignRight})
    c.button(id)->SetToggleMode(CMacButton::kLatchMode);
  c.diaryEditor = Register(c, ids::kDiaryEditor, new CRichDiaryCtrl(client));
  c.diaryIds = {ids::kFontName, ids::kFontSize, ids::kDiaryEditor};
  for (const ButtonSpec& s : kDiaryButtons) c.diaryIds << s.id;

  // Sound Diary mode.
  MakeGroup(client, c, ids::kMixerGroup, "Volume Control");
  MakeLabel(client, c, ids::kMicLabel, "Mic");
  MakeLabel(client, c, ids::kMasterLabel, "Master");
  MakeLabel(client, c, ids::kWaveLabel, "Wave");
  MakeLabel(client, c, ids::kMicLevelLabel, "Mic:");
  for (int id : {ids::kMicSlider, ids::kMasterSlider, ids::kWaveSlider})
    Register(c, id, new QSlider(Qt::Horizontal, client))->setRange(0, 16);
  for (const ButtonSpec& s : kSoundButtons) MakeButton(client, c, s, theme);
  c.levelBar = new CBarCtrl(QRect(0, 0, 10, 10), client);
  c.byId.insert(ids::kLevelBar, c.levelBar);
  c.soundView = new QFrame(client);
  static_cast<QFrame*>(c.soundView)->setFrameShape(QFrame::StyledPanel);
  c.byId.insert(ids::kSoundView, c.soundView);
  c.soundIds = {ids::kMixerGroup, ids::kMicLabel, ids::kMasterLabel, ids::kWaveLabel, ids::kMicLevelLabel,
                ids::kMicSlider, ids::kMasterSlider, ids::kWaveSlider, ids::kLevelBar, ids::kSoundView};
  for (const ButtonSpec& s : kSoundButtons) c.soundIds << s.id;

  c.titleLine = MakeLabel(client, c, ids::kTitleLine, "");

  for (QDateTimeEdit* picker : client->findChildren<QDateTimeEdit*>()) SelectFieldOnClick(picker);

  // Enter does nothing in the main window: no button presses itself on Enter.
  for (QPushButton* b : client->findChildren<QPushButton*>()) {
    b->setAutoDefault(false);
    b->setDefault(false);
  }
}

}  // namespace orlane
