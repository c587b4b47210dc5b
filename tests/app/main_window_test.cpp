#include "app/command_actions.h"
#include "app/command_keys.h"
#include "app/deskleaf_link.h"
#include "app/diary_panel.h"
#include "app/main_dlg.h"
#include "app/main_ids.h"
#include "app/program_settings.h"
#include "app/reminder_panel.h"
#include "app/search_panel.h"
#include "app/session_end.h"
#include "app/sound_panel.h"
#include "app/window_layout.h"
#include "calendar/month_calendar.h"
#include "controls/bar_ctrl.h"
#include "controls/color_list_box.h"
#include "controls/color_theme.h"
#include "controls/mac_btn_group.h"
#include "controls/mac_button.h"
#include "controls/mac_menu.h"
#include "controls/modal_responder.h"
#include "controls/picker_fields.h"
#include "days/day_files.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/audio/sim_wave_devices.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/services.h"
#include "platform/termination_signals.h"
#include "reminders/reminder_day.h"
#include "security/scramble.h"
#include "security/session.h"
#include "security/user_file.h"
#include "sound/recorder_controls.h"
#include "sound/sound_day_file.h"
#include "sound/sound_wave_wnd.h"
#include "support/foreign_page.h"
#include "support/run_program.h"
#include "support/temp_user_folder.h"
#include "widget/deskleaf_dlg.h"
#include "widget/deskleaf_model.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QPrinter>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimeEdit>

#include <signal.h>
#include <unistd.h>

using namespace orlane;

namespace {
struct MainWindowTest : ::testing::Test {
  test::TempUserFolder folder;
  QStringList asked;
  int answer = 2;  // No
  ScopedModalResponder responder{[this](const ModalRequest& r) {
    asked << r.text;
    return answer;
  }};
  std::unique_ptr<CMainDlg> window = std::make_unique<CMainDlg>();

  void SetUp() override { ASSERT_TRUE(window->OnInitDialog()); }

  void checkLayout() {
    const QWidget* client = window->ClientArea();
    const QRect calendar = DefaultCalendarRect();
    int checked = 0;
    for (const ControlPlacement& p : WindowLayout(client->width(), client->height(), calendar)) {
      if (p.id == ids::kMonthCalendar || p.id == ids::kMediaPreview) continue;
      const QWidget* w = window->ControlById(p.id);
      ASSERT_NE(w, nullptr) << p.id;
      EXPECT_EQ(w->geometry(), p.rect) << "control " << p.id;
      ++checked;
    }
    EXPECT_GT(checked, 70);
  }
};
}  // namespace

TEST_F(MainWindowTest, firstStartIs730x500InTheme6AndReminderMode) {
  EXPECT_EQ(window->windowTitle(), QStringLiteral("Orlane 2"));
  EXPECT_EQ(window->size(), QSize(730, 500));
  EXPECT_EQ(window->ClientArea()->size(), QSize(724, 494));
  EXPECT_EQ(window->Theme(), 6);
  EXPECT_EQ(window->Mode(), ids::kModeReminder);
  EXPECT_TRUE(window->ControlById(ids::kReminderList)->isVisibleTo(window.get()));
  EXPECT_FALSE(window->ControlById(ids::kDiaryEditor)->isVisibleTo(window.get()));
  EXPECT_TRUE(window->StatusMessage().startsWith(QStringLiteral("You have 0 reminders on ")));
}

TEST_F(MainWindowTest, everyControlSitsAtItsRectangleAtTwoSizes) {
  checkLayout();
  window->resize(1000, 720);
  checkLayout();
  window->resize(400, 300);
  EXPECT_GE(window->width(), 730);
  EXPECT_GE(window->height(), 500);
}

TEST_F(MainWindowTest, themeRecoloursButtonsMenusAndCalendarAtOnce) {
  window->OnCommand(ids::kThemeFirst + 9);
  EXPECT_EQ(window->Theme(), 9);
  EXPECT_EQ(window->ButtonById(ids::kAddReminder)->Theme(), 9);
  EXPECT_EQ(window->ButtonById(ids::kClose)->Theme(), 9);
  EXPECT_EQ(window->Frame().calendar->Theme(), 9);
  EXPECT_EQ(window->Menu(0)->BackgroundColor(), ThemeColor(9, kThemeLightFace));
  EXPECT_TRUE(window->Menu(2)->ItemAction(ids::kThemeFirst + 9)->isChecked());
  EXPECT_FALSE(window->Menu(2)->ItemAction(ids::kThemeFirst + 6)->isChecked());
}

TEST_F(MainWindowTest, editedSettingsReachFrameAndPanelsThroughTheirOwner_andAnotherWritersFieldStays) {
  auto* framePicker = window->Frame().datePicker;
  auto* searchPicker = qobject_cast<QDateEdit*>(window->ControlById(ids::kSearchFrom));
  ASSERT_NE(searchPicker, nullptr);
  const QString before = framePicker->displayFormat();
  Settings edited = window->settings();
  edited.dateFormat = 2;
  edited.weekStart = 2;
  edited.theme = 4;
  window->Preferences().apply(edited);
  EXPECT_EQ(window->Theme(), 4);
  EXPECT_EQ(window->ButtonById(ids::kSearch)->Theme(), 4);
  EXPECT_EQ(window->Frame().calendar->Theme(), 4);
  EXPECT_EQ(window->Frame().calendar->weekStart, 2);
  EXPECT_EQ(window->Frame().calendar->dateFormat, 2);
  EXPECT_NE(framePicker->displayFormat(), before);
  EXPECT_EQ(searchPicker->displayFormat(), framePicker->displayFormat());
  EXPECT_EQ(PreparedCalendar(searchPicker)->firstDayOfWeek(), Qt::Monday);

  // orlanectl changed another field meanwhile: the window's write keeps it.
  window->WriteSettings();
  Settings disk;
  ASSERT_EQ(ReadSettingsFile(folder.file(QStringLiteral("Orlane.cfg")), disk), SettingsReadResult::Ok);
  disk.loginOnShow = 1;
  ASSERT_EQ(WriteSettingsFile(folder.file(QStringLiteral("Orlane.cfg")), disk), WriteResult::Written);
  window->OnCommand(ids::kThemeFirst + 7);
  window->WriteSettings();
  ASSERT_EQ(ReadSettingsFile(folder.file(QStringLiteral("Orlane.cfg")), disk), SettingsReadResult::Ok);
  EXPECT_EQ(disk.theme, 7);
  EXPECT_EQ(disk.dateFormat, 2);
  EXPECT_EQ(disk.loginOnShow, 1);
}

TEST_F(MainWindowTest, escapeAsksAndYesWritesTheSettings) {
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &enter);
  EXPECT_TRUE(asked.isEmpty());  // Enter does nothing

  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QApplication::sendEvent(window.get(), &escape);
  EXPECT_EQ(asked, QStringList{QStringLiteral("Do you want to exit Orlane?")});
  EXPECT_FALSE(folder.exists(QStringLiteral("Orlane.cfg")));  // No: nothing ends

  window->OnCommand(ids::kThemeFirst + 9);
  answer = 1;
  QApplication::sendEvent(window.get(), &escape);
  const QByteArray cfg = folder.read(QStringLiteral("Orlane.cfg"));
  EXPECT_EQ(cfg.size(), 65);
  Settings s;
  ReadSettingsFile(folder.file(QStringLiteral("Orlane.cfg")), s);
  EXPECT_EQ(s.theme, 9);
  EXPECT_EQ(s.lastMode, ids::kModeReminder);
}

TEST_F(MainWindowTest, addAndRemoveAReminderWriteAndDeleteTheDayFile) {
  const QString file = DayFilePath(window->LoadedDayKey(), DayFileKind::Reminders);
  window->ReminderArea().TimePicker()->setTime(QTime(8, 30, 0));
  window->OnCommand(ids::kAddReminder);
  ReminderMap map;
  ASSERT_EQ(LoadReminderDay(file, map), ReminderLoadResult::Ok);
  EXPECT_EQ(map.at("08:30:00"), "<Alarm is active>\r\n");
  window->OnCommand(ids::kAddReminder);
  EXPECT_EQ(asked.back(), QStringLiteral("Reminder 08:30:00 already exists."));

  window->OnCommand(ids::kRemoveReminder);
  EXPECT_FALSE(QFile::exists(file));
}

TEST_F(MainWindowTest, modeSwitchShowsOnlyThatModesControls) {
  window->OnCommand(ids::kModeDiary);
  EXPECT_EQ(window->Mode(), ids::kModeDiary);
  EXPECT_TRUE(window->ControlById(ids::kDiaryEditor)->isVisibleTo(window.get()));
  EXPECT_FALSE(window->ControlById(ids::kReminderList)->isVisibleTo(window.get()));
  window->OnCommand(ids::kModeSound);
  EXPECT_TRUE(window->ControlById(ids::kSoundView)->isVisibleTo(window.get()));
  EXPECT_FALSE(window->ControlById(ids::kActived)->isEnabled());
}

TEST_F(MainWindowTest, everyKeyTriggersItsCommandsActionInItsModesOnly) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  // Only the route from the key to the command is under test here, not the commands.
  QObject::disconnect(&window->Actions(), &CommandActions::command, window.get(), nullptr);
  QList<int> issued;
  QObject::connect(&window->Actions(), &CommandActions::command, [&](int id) { issued << id; });
  int checked = 0;
  for (int mode : {ids::kModeReminder, ids::kModeDiary, ids::kModeSound}) {
    window->SetMode(mode);
    for (const CommandKey& key : CommandKeys()) {
      issued.clear();
      // A key of one control reaches it only while that control has the focus.
      QWidget* target = window.get();
      if (key.scope) {
        target = window->ControlById(key.scope);
        target->setFocus();
      }
      QTest::keyClick(target, static_cast<Qt::Key>(key.key), key.modifiers);
      // One command or none (0); -1 for more than one.
      const int got = issued.isEmpty() ? 0 : issued.size() == 1 ? issued.front() : -1;
      EXPECT_EQ(got, KeyActiveInMode(key, mode) ? key.command : 0) << "key " << key.key << " in mode " << mode;
      ++checked;
    }
  }
  EXPECT_EQ(checked, 3 * static_cast<int>(CommandKeys().size()));
  // The button and the key reach the same action.
  issued.clear();
  window->ButtonById(ids::kSaveAll)->click();
  EXPECT_EQ(issued, QList<int>{ids::kSaveAll});
}

TEST_F(MainWindowTest, tabLeavesTheNoteForTheLeftColumnAndCtrlTabTypesATab) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->SetMode(ids::kModeReminder);
  // The calendar takes no Tab; the date picker in its place would.
  if (!window->settings().calendarShown) window->OnCommand(ids::kCalendarSwitch);
  QWidget* note = window->ControlById(ids::kReminderNote);
  note->setFocus();
  QTest::keyClick(note, Qt::Key_Tab, Qt::ControlModifier);
  EXPECT_EQ(static_cast<QTextEdit*>(note)->toPlainText(), QStringLiteral("\t"));
  // On to the calendar switch under the work area, then the left column.
  QTest::keyClick(note, Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window->ControlById(ids::kCalendarSwitch));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window->ControlById(ids::kSearchFrom));
  // The work area comes first: from the last control of the window the walk starts at the time picker.
  window->ControlById(ids::kThemeButton)->setFocus();
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), window->ControlById(ids::kTimePicker));
}

TEST_F(MainWindowTest, screenshotsOfTheThreeModesInTwoThemes) {
  const QString folderPath = QStringLiteral(ORLANE_SCREENSHOT_DIR);
  QDir().mkpath(folderPath);
  for (int theme : {6, 9}) {
    window->ApplyTheme(theme);
    for (int mode : {ids::kModeReminder, ids::kModeDiary, ids::kModeSound}) {
      window->SetMode(mode);
      const QImage shot = window->grab().toImage();
      EXPECT_EQ(shot.size(), QSize(730, 500));
      // The frame's outermost ring is the theme's colour 4.
      EXPECT_EQ(shot.pixelColor(0, 250),
                QColor(RedOf(ThemeColor(theme, kThemeOutline)), GreenOf(ThemeColor(theme, kThemeOutline)),
                       BlueOf(ThemeColor(theme, kThemeOutline))));
      shot.save(folderPath + QStringLiteral("/main-theme%1-mode%2.png").arg(theme).arg(mode));
    }
  }
}

TEST_F(MainWindowTest, diaryPageIsSavedClearedAndNeverTouchedUnderAnotherPassword) {
  const QString file = DayFilePath(window->LoadedDayKey(), DayFileKind::Diary);
  window->OnCommand(ids::kModeDiary);
  window->DiaryArea().Editor()->insertPlainText(QStringLiteral("Dear diary"));  // typed
  window->OnCommand(ids::kSaveAll);
  QByteArray stored;
  ASSERT_EQ(ReadFileBytes(file, stored), FileReadResult::Ok);
  EXPECT_EQ(CheckPasswordHeader(stored, CurrentPassword()), PasswordHeaderCheck::Matches);
  EXPECT_EQ(window->DiaryArea().Editor()->toPlainText(), QStringLiteral("Dear diary"));

  window->DiaryArea().Editor()->selectAll();
  window->DiaryArea().Editor()->textCursor().removeSelectedText();  // as Delete does
  window->OnCommand(ids::kSaveAll);
  EXPECT_FALSE(QFile::exists(file));

  const QByteArray foreign = WrapWithPasswordHeader("{\\rtf1 someone else}", "not ours");
  ASSERT_EQ(AtomicWriteFile(file, foreign), WriteResult::Written);
  window->OnCommand(ids::kSaveAll);
  EXPECT_TRUE(window->DiaryArea().Editor()->isReadOnly());
  EXPECT_TRUE(window->DiaryArea().Editor()->toPlainText().isEmpty());
  window->OnCommand(ids::kSaveAll);
  ASSERT_EQ(ReadFileBytes(file, stored), FileReadResult::Ok);
  EXPECT_EQ(stored, foreign);
}

TEST_F(MainWindowTest, searchListsMatchingDaysAndOpensOne) {
  ASSERT_EQ(SaveReminderDay(DayFilePath(2006, 1, 2, DayFileKind::Reminders), {{"08:00:00", "\r\ncall the dentist"}}),
            WriteResult::Written);
  ASSERT_EQ(SaveReminderDay(DayFilePath(2006, 1, 5, DayFileKind::Reminders), {{"08:00:00", "\r\nnothing"}}),
            WriteResult::Written);
  window->SearchArea().Words()->setText(QStringLiteral("dentist"));
  window->OnCommand(ids::kSearch);
  ASSERT_EQ(window->SearchArea().Results()->count(), 1);
  EXPECT_EQ(window->SearchArea().Results()->item(0)->text(), QStringLiteral("01/02/2006"));
  EXPECT_EQ(window->StatusMessage(), QStringLiteral("1 reminders found."));
  window->SearchArea().OpenResult(QStringLiteral("01/02/2006"));
  EXPECT_EQ(window->LoadedDayKey(), QStringLiteral("07d60102"));
  EXPECT_EQ(window->Reminders().entries().size(), 1);
}

TEST_F(MainWindowTest, diaryFormatsSurviveSaveAndReload) {
  window->OnCommand(ids::kModeDiary);
  QTextEdit* editor = window->DiaryArea().Editor();
  editor->setPlainText(QStringLiteral("Bold and small"));
  editor->selectAll();
  window->ButtonById(ids::kBold)->SetVisualState(CMacButton::kPressed, false);
  window->OnCommand(ids::kBold);
  window->DiaryArea().FontSizeBox()->setCurrentText(QStringLiteral("10"));
  window->DiaryArea().OnFontCombo(ids::kFontSize);
  window->OnCommand(ids::kAlignCenter);
  window->OnCommand(ids::kSaveAll);

  editor->selectAll();
  QTextCursor cursor = editor->textCursor();
  cursor.setPosition(2);
  editor->setTextCursor(cursor);
  const QTextCharFormat f = editor->currentCharFormat();
  EXPECT_EQ(editor->toPlainText(), QStringLiteral("Bold and small"));
  EXPECT_GE(f.fontWeight(), QFont::Bold);
  EXPECT_DOUBLE_EQ(f.fontPointSize(), 9.75);
  EXPECT_TRUE(editor->alignment() & Qt::AlignHCenter);
  window->DiaryArea().SyncFormat();
  EXPECT_EQ(window->DiaryArea().FontSizeBox()->currentText(), QStringLiteral("10"));
  EXPECT_EQ(window->ButtonById(ids::kBold)->GetVisualState(), CMacButton::kPressed);
  EXPECT_EQ(window->ButtonById(ids::kAlignCenter)->GetVisualState(), CMacButton::kPressed);
}

TEST_F(MainWindowTest, findWrapsWithTheQuestionAndSaysNotFound) {
  window->OnCommand(ids::kModeDiary);
  window->DiaryArea().Editor()->setPlainText(QStringLiteral("one two one"));
  window->SearchArea().Words()->setText(QStringLiteral("one"));
  window->OnCommand(ids::kFind);
  window->OnCommand(ids::kFind);
  EXPECT_TRUE(asked.isEmpty());
  answer = 1;
  window->OnCommand(ids::kFind);
  EXPECT_EQ(asked.back(), QStringLiteral("Reached the end of the text. Continue from the beginning?"));
  EXPECT_EQ(window->DiaryArea().Editor()->textCursor().selectionStart(), 0);
  window->SearchArea().Words()->setText(QStringLiteral("three"));
  window->OnCommand(ids::kFind);
  EXPECT_EQ(asked.back(), QStringLiteral("Not found!"));
}

TEST_F(MainWindowTest, aLongPagePrintsSeveralPagesToPdf) {
  window->OnCommand(ids::kModeDiary);
  QStringList lines;
  for (int i = 0; i < 200; ++i) lines << QStringLiteral("Line %1 of a long diary page").arg(i);
  window->DiaryArea().Editor()->setPlainText(lines.join(QLatin1Char('\n')));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  const QString pdf = folder.root() + QStringLiteral("page.pdf");
  printer.setOutputFileName(pdf);
  window->DiaryArea().PrintTo(printer);
  EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(25.4, 25.4, 25.4, 25.4));
  QFile f(pdf);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 3);
}

TEST_F(MainWindowTest, bulletStyleTogglesAndSurvivesTheSave) {
  window->OnCommand(ids::kModeDiary);
  QTextEdit* editor = window->DiaryArea().Editor();
  editor->setPlainText(QStringLiteral("first\nsecond"));
  editor->selectAll();
  window->OnCommand(9006);
  EXPECT_NE(editor->textCursor().currentList(), nullptr);
  window->OnCommand(ids::kSaveAll);
  QTextCursor cursor(editor->document());
  EXPECT_NE(cursor.currentList(), nullptr);
  editor->setTextCursor(cursor);
  window->OnCommand(9006);
  EXPECT_EQ(editor->textCursor().currentList(), nullptr);
}

TEST_F(MainWindowTest, foreignPageFromTheCommandLine_staysByteForByteUntilEditedAndKeepsItsObjectsThen) {
  const QByteArray password = CurrentPassword();
  ASSERT_EQ(CreateUserFile(UserFilePath(kUserFileName), "pw"), WriteResult::Written);
  SetCurrentPassword("pw");
  const QString source = folder.root() + QStringLiteral("foreign.rtf");
  {
    QFile rtf(source);
    ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
    rtf.write(test::ForeignPage());
  }
  const QString date = QDateTime::fromSecsSinceEpoch(window->SelectedDate()).toString(QStringLiteral("yyyy-MM-dd"));
  const test::ProgramRun imported = test::RunProgram(
      QStringLiteral(ORLANE_CTL_PATH), {QStringLiteral("--password"), QStringLiteral("pw"), QStringLiteral("diary"),
                                        QStringLiteral("import"), date, source});
  ASSERT_EQ(imported.exitCode, 0) << imported.err.constData();
  const QString file = DayFilePath(window->LoadedDayKey(), DayFileKind::Diary);
  const QByteArray original = folder.read(QFileInfo(file).fileName());

  window->OnCommand(ids::kModeDiary);  // loads the page
  CRichDiaryCtrl* editor = window->DiaryArea().Editor();
  EXPECT_FALSE(editor->isReadOnly());
  EXPECT_TRUE(editor->toPlainText().startsWith(QStringLiteral("Before")));
  window->OnCommand(ids::kSaveAll);
  window->SearchArea().OpenResult(QStringLiteral("01/02/2006"));  // left by a day change
  EXPECT_EQ(folder.read(QFileInfo(file).fileName()), original);

  window->OnCommand(ids::kGotoToday);
  editor->textCursor().insertText(QStringLiteral("Typed by hand. "));
  window->OnCommand(ids::kSaveAll);
  const QByteArray page = UnwrapPasswordHeader(folder.read(QFileInfo(file).fileName()));
  EXPECT_TRUE(page.contains("Typed by hand."));
  for (const QByteArray& group : {test::kWmfGroup, test::kSpreadsheetGroup, test::kWordPictureGroups})
    EXPECT_TRUE(page.contains(group)) << group.left(30).constData();
  EXPECT_TRUE(page.contains("{\\v\\f"));
  EXPECT_TRUE(asked.isEmpty()) << asked.join(QLatin1Char('|')).toStdString();
  SetCurrentPassword(password);
}

TEST_F(MainWindowTest, failedSave_keepsTheEditsTellsWhyAndAsksBeforeLeavingTheDay) {
  window->OnCommand(ids::kModeDiary);
  CRichDiaryCtrl* editor = window->DiaryArea().Editor();
  const QString key = window->LoadedDayKey();
  const QString file = DayFilePath(key, DayFileKind::Diary);
  editor->textCursor().insertText(QStringLiteral("Typed while the disk is full"));
  SetService(&Services::failWriteStep, [](AtomicWriteStep) { return true; });

  // Save All and a mode switch say why and keep the page; nothing is reloaded.
  window->OnCommand(ids::kSaveAll);
  ASSERT_EQ(asked.size(), 1);
  EXPECT_TRUE(asked[0].contains(file + QStringLiteral(": Input/output error"))) << asked[0].toStdString();
  window->OnCommand(ids::kModeReminder);
  window->OnCommand(ids::kModeDiary);
  EXPECT_EQ(asked.size(), 3);
  EXPECT_EQ(editor->toPlainText(), QStringLiteral("Typed while the disk is full"));

  // A day change asks; No stays on the day with its edits.
  window->SearchArea().OpenResult(QStringLiteral("01/02/2006"));
  ASSERT_EQ(asked.size(), 4);
  EXPECT_TRUE(asked.back().endsWith(QStringLiteral("Go on anyway? The changes of this day will be lost.")));
  EXPECT_EQ(window->LoadedDayKey(), key);
  EXPECT_EQ(DayKeyOf(window->SelectedDate()), key);
  EXPECT_EQ(editor->toPlainText(), QStringLiteral("Typed while the disk is full"));
  EXPECT_FALSE(QFile::exists(file));

  // The next save, with room again, writes it; the day is left without a question.
  SetService(&Services::failWriteStep, {});
  window->OnCommand(ids::kSaveAll);
  EXPECT_TRUE(QFile::exists(file));
  window->SearchArea().OpenResult(QStringLiteral("01/02/2006"));
  EXPECT_EQ(asked.size(), 4);
  EXPECT_EQ(window->LoadedDayKey(), QStringLiteral("07d60102"));
}

TEST_F(MainWindowTest, terminationAndTheEndOfTheSession_saveTheShownDayWithoutTheExitQuestion) {
  TerminationSignals signals;
  ASSERT_TRUE(signals.isActive());
  bool ended = false;
  ConnectSessionEnd(*window, signals, [&ended] { ended = true; });
  const QString diary = DayFilePath(window->LoadedDayKey(), DayFileKind::Diary);
  const QString reminders = DayFilePath(window->LoadedDayKey(), DayFileKind::Reminders);

  // The session manager asks for the data: saved, and the program goes on.
  window->OnCommand(ids::kModeDiary);
  window->DiaryArea().Editor()->textCursor().insertText(QStringLiteral("Before the logout"));
  window->CommitSessionData();
  EXPECT_TRUE(UnwrapPasswordHeader(folder.read(QFileInfo(diary).fileName())).contains("Before the logout"));
  EXPECT_FALSE(ended);

  window->OnCommand(ids::kModeReminder);
  window->ReminderArea().TimePicker()->setTime(QTime(23, 59, 0));
  window->OnCommand(ids::kAddReminder);
  window->ReminderArea().Note()->setPlainText(QStringLiteral("typed, not yet stored"));
  window->OnCommand(ids::kModeDiary);  // the note survives the switch
  window->DiaryArea().Editor()->textCursor().insertText(QStringLiteral(" and before SIGTERM"));
  ASSERT_EQ(::kill(::getpid(), SIGTERM), 0);
  for (int i = 0; i < 200 && !ended; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
  EXPECT_TRUE(ended);
  EXPECT_TRUE(UnwrapPasswordHeader(folder.read(QFileInfo(diary).fileName())).contains("and before SIGTERM"));
  ReminderMap map;
  ASSERT_EQ(LoadReminderDay(reminders, map), ReminderLoadResult::Ok);
  EXPECT_TRUE(map.at("23:59:00").endsWith("typed, not yet stored"));
  EXPECT_TRUE(folder.exists(QStringLiteral("Orlane.cfg")));
  EXPECT_TRUE(asked.isEmpty()) << asked.join(QLatin1Char('|')).toStdString();
}

TEST_F(MainWindowTest, deskleaf_opensFromTheTrayFollowsTheWindowsThemeSavesAndDaysAndGoesWithIt) {
  EXPECT_EQ(window->Deskleaf().Widget(), nullptr);  // only start-up opens it without being asked
  window->OnCommand(ids::kTrayDeskleaf);
  QPointer<CDeskleafDlg> leaf = window->Deskleaf().Widget();
  ASSERT_TRUE(leaf);
  window->OnCommand(ids::kTrayDeskleaf);
  EXPECT_EQ(window->Deskleaf().Widget(), leaf.data());  // a shown widget stays as it is
  window->OnCommand(ids::kThemeFirst + 9);
  EXPECT_EQ(leaf->Theme(), 9);

  // Save All: the widget reads the saved day's reminders.
  window->ReminderArea().TimePicker()->setTime(QTime(8, 30, 0));
  window->OnCommand(ids::kAddReminder);
  window->ReminderArea().Note()->setPlainText(QStringLiteral("Call Anna"));
  window->OnCommand(ids::kSaveAll);
  EXPECT_TRUE(leaf->ReminderText().endsWith(QStringLiteral("*08:30:00\r\nCall Anna\r\n\r\n")))
      << leaf->ReminderText().toStdString();

  // A reminder file written from outside reaches it through the folder watch.
  const QString file = DayFilePath(window->LoadedDayKey(), DayFileKind::Reminders);
  ReminderMap map;
  ASSERT_EQ(LoadReminderDay(file, map), ReminderLoadResult::Ok);
  map["09:00:00"] = "<Alarm is active>\r\nFrom outside";
  ASSERT_EQ(SaveReminderDay(file, map), WriteResult::Written);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return leaf->ReminderText().contains(QStringLiteral("*09:00:00\r\nFrom outside")); }, 5000))
      << leaf->ReminderText().toStdString();

  // The window moves to another day: the widget follows; the widget's
  // "Goto today" brings the window back.
  const QString todayKey = window->LoadedDayKey();
  window->OnDateChanged(window->SelectedDate() - 86400);
  EXPECT_EQ(DayKeyOf(leaf->WidgetDate()), window->LoadedDayKey());
  EXPECT_TRUE(leaf->ReminderText().isEmpty());
  leaf->OnCommand(deskleaf_ids::kGotoToday);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window->LoadedDayKey() == todayKey; }, 5000));

  // "Close Deskleaf", then "Show Deskleaf" again; the window's end takes it along.
  leaf->OnCommand(deskleaf_ids::kCloseDeskleaf);
  EXPECT_EQ(window->Deskleaf().Widget(), nullptr);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(leaf);
  EXPECT_EQ(folder.read(QStringLiteral("Deskleaf.cfg")).size(), 41);
  QFile::remove(folder.file(QStringLiteral("Deskleaf.cfg")));
  window->OnCommand(ids::kTrayDeskleaf);
  leaf = window->Deskleaf().Widget();
  ASSERT_TRUE(leaf);
  EXPECT_EQ(leaf->Theme(), 9);
  window.reset();
  EXPECT_FALSE(leaf);
  EXPECT_EQ(folder.read(QStringLiteral("Deskleaf.cfg")).size(), 41);
}

TEST_F(MainWindowTest, soundPanel_recordsIntoTheDaysRec_buttonsFollow_andTheSoundComesBackWithTheDay) {
  audio::SimulatedAudio audio;
  window->SetMode(ids::kModeSound);
  SoundPanel& panel = window->SoundArea();
  CSoundWaveWnd* view = panel.View();
  ASSERT_EQ(window->ControlById(ids::kSoundView), view);
  const QString rec = DayFilePath(window->LoadedDayKey(), DayFileKind::Sound);
  const int recorder[] = {ids::kPlay, ids::kRecord, ids::kStop, ids::kPause, ids::kDeleteSound, ids::kSaveSoundAs};
  const auto enabled = [&] {
    QString on;
    for (int id : recorder) on += window->Actions().Action(id)->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return on + QLatin1Char(window->Frame().calendar->isEnabled() ? 'c' : '-') +
           QLatin1Char(window->Frame().modeSwitch->isEnabled() ? 'm' : '-');
  };
  const auto pump = [] {
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
  };
  // The device fills the buffers it still holds once the recording is being stopped.
  const auto feedWhileStopping = [&audio, view](const QByteArray& bytes) {
    auto* feeder = new QTimer(view);
    QObject::connect(feeder, &QTimer::timeout, view, [&audio, view, feeder, bytes] {
      if (!view->Engine().Busy() || !audio.lastInput()) return;
      audio.lastInput()->feed(bytes);
      feeder->deleteLater();
    });
    feeder->start(1);
  };
  // No sound yet: only Record (play, record, stop, pause, delete, save as).
  EXPECT_EQ(enabled(), QStringLiteral("010000cm"));
  // 8000 Hz 8 bit: three input buffers of 2666 bytes; a recording with no sound open locks the day.
  window->Actions().Action(ids::kRecord)->trigger();
  audio::SimWaveIn* input = audio.lastInput();
  ASSERT_NE(input, nullptr);
  QByteArray fed;
  for (int i = 0; i < 4 * 2666; ++i) fed += static_cast<char>(128 + (i % 40) - 20);
  input->feed(fed.left(2666));
  pump();
  EXPECT_EQ(panel.LevelBar()->Maximum(), 128);
  EXPECT_EQ(panel.LevelBar()->Pos(), 20);
  panel.RefreshButtons();
  EXPECT_EQ(enabled(), QStringLiteral("001000--"));
  // Stop: the buffers the device still fills come in while the recording is saved.
  feedWhileStopping(fed.mid(2666));
  window->Actions().Action(ids::kStop)->trigger();
  const SoundDay stored = LoadSoundDay(rec, CurrentPassword());
  ASSERT_EQ(stored.state, SoundDayState::Loaded);
  EXPECT_EQ(stored.image.format, WaveFormat::Pcm(8000, 8));
  EXPECT_TRUE(stored.image.pcm == fed);
  EXPECT_EQ(panel.LevelBar()->Pos(), 0);
  EXPECT_EQ(enabled(), QStringLiteral("110011cm"));
  pump();
  const QImage shown = view->RenderView();
  EXPECT_FALSE(view->WaveImage().isNull());
  // Play: Stop and Pause only, until the output has played it all.
  window->Actions().Action(ids::kPlay)->trigger();
  EXPECT_EQ(enabled(), QStringLiteral("001100cm"));
  audio.lastOutput()->playAll();
  pump();
  panel.RefreshButtons();
  EXPECT_EQ(enabled(), QStringLiteral("110011cm"));
  // Another day shows no sound; coming back loads the day's sound again.
  const std::time_t today = window->SelectedDate();
  window->Frame().calendar->SetSelectedDate(today + 86400);
  Q_EMIT window->Frame().calendar->dateChanged();
  pump();
  EXPECT_FALSE(view->Engine().IsSoundOpen());
  EXPECT_EQ(enabled(), QStringLiteral("010000cm"));
  window->Frame().calendar->SetSelectedDate(today);
  Q_EMIT window->Frame().calendar->dateChanged();
  pump();
  ASSERT_TRUE(view->Engine().IsSoundOpen());
  EXPECT_EQ(view->Engine().DataLength(), fed.size());
  EXPECT_EQ(view->RenderView(), shown);
  // The theme reaches the view; the mode's keys are the window's, the arrows the view's.
  window->ApplyTheme(2);
  EXPECT_EQ(view->Colors(), WaveColorsForTheme(2));
  for (const SoundKeyBinding& k : SoundDiaryKeys())
    EXPECT_EQ(CommandForKey(k.key, k.modifiers, ids::kModeSound) != 0, !k.soundView) << k.key;
  // A recording running when the day changes is saved to its own day first, one
  // running when the program ends too (the device fills its last buffers meanwhile).
  const QByteArray more = fed.left(3 * 2666);
  window->Actions().Action(ids::kRecord)->trigger();
  feedWhileStopping(more);
  window->Frame().calendar->SetSelectedDate(today + 86400);
  Q_EMIT window->Frame().calendar->dateChanged();
  pump();
  EXPECT_EQ(LoadSoundDay(rec, CurrentPassword()).image.pcm, fed + more);
  EXPECT_FALSE(view->Engine().IsSoundOpen());
  window->Frame().calendar->SetSelectedDate(today);
  Q_EMIT window->Frame().calendar->dateChanged();
  pump();
  window->Actions().Action(ids::kRecord)->trigger();
  feedWhileStopping(more);
  window->SaveForSessionEnd();
  EXPECT_EQ(LoadSoundDay(rec, CurrentPassword()).image.pcm, fed + more + more);
  EXPECT_TRUE(asked.isEmpty()) << asked.join(QLatin1Char('\n')).toStdString();
}
