// The main window's day cycle: loading the selected day into the panels,
// saving the loaded day back, taking over what changed on disk, the
// one-second tick with its title line.
#include "app/main_dlg.h"

#include "app/day_watcher.h"
#include "app/diary_panel.h"
#include "app/main_deskleaf.h"
#include "app/main_ids.h"
#include "app/main_tray.h"
#include "app/reminder_panel.h"
#include "app/search_panel.h"
#include "app/sound_panel.h"
#include "calendar/holiday_file.h"
#include "calendar/month_calendar.h"
#include "controls/mac_btn_group.h"
#include "controls/msg_box_dlg.h"
#include "days/day_files.h"
#include "days/title_line.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/reminder_value.h"
#include "security/error_log.h"
#include "security/session.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QSignalBlocker>
#include <QTextDocument>

namespace orlane {

namespace {
QString HolidayOf(std::time_t t) {
  const LocalDate d = LocalDateOf(t);
  return GetHolidayText(d.year, d.month, d.day);
}
}  // namespace

void CMainDlg::ShowReminders(const ReminderMap& map) {
  reminders_->Show(map);
  RefreshStatusMessage();
  RebuildTitleLine();
}

void CMainDlg::OnDayFilesChanged() {
  if (!loaded_.dayKey.isEmpty()) {
    StoreEditedReminder();
    ReminderMap mine = reminders_->Editor().reminders();
    const DayRefresh refreshed =
        RefreshLoadedDay(loaded_, mine, diary_->Editor()->document()->isModified(), CurrentPassword());
    if (refreshed.reminders) ShowReminders(mine);
    if (refreshed.diary) diary_->ShowPage(loaded_);
  }
  frame_.calendar->Redraw();
  scheduler_->loadTodayReminders();
  deskleaf_->RefreshReminders();
}

void CMainDlg::LoadSelectedDay() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QString key = DayKeyOf(selectedDate_);
  const bool changed = key != loaded_.dayKey;
  if (changed) sound_->LeaveDay();  // a recording is saved to its own day first
  loaded_ = LoadDay(key, CurrentPassword());
  diary_->ShowPage(loaded_);
  reminders_->LoadDay(loaded_.reminders);
  reminders_->NameListFor(selectedDate_);
  RefreshStatusMessage();
  if (mode_ == ids::kModeSound) sound_->LoadDay(key);
  if (changed) frame_.calendar->Redraw();
  if (watcher_ && changed)
    watcher_->watchDay({DayFilePath(key, DayFileKind::Diary), DayFilePath(key, DayFileKind::Reminders)});
  RebuildTitleLine();
  QApplication::restoreOverrideCursor();
}

bool CMainDlg::SaveLoadedDay(SaveFailureReply reply) {
  if (loaded_.dayKey.isEmpty()) return true;
  DayContent content;
  diary_->SaveContent(content);
  content.reminders = reminders_->Editor().reminders();
  const DaySaveResult saved = SaveDay(loaded_, content, CurrentPassword());
  if (saved.diaryWritten || saved.diaryDeleted) diary_->Editor()->document()->setModified(false);
  if (saved.remindersMerged) ShowReminders(saved.reminders);
  frame_.calendar->Redraw();
  deskleaf_->FollowDay(selectedDate_);
  // The alarms read today's reminders as they are stored, so only after the write.
  if (loaded_.dayKey == DayKeyOf(NowSeconds())) scheduler_->loadTodayReminders();
  if (!saved.conflictKeptAs.isEmpty()) {
    const QString conflict = DiaryConflictMessage(saved.conflictKeptAs);
    if (reply == SaveFailureReply::Log)
      LogError("%s", qUtf8Printable(conflict));
    else
      ThemedNotice(conflict, settings_.theme, this);
  }
  if (!saved.failed) {
    DropRecovery();
    return true;
  }
  // The day and its edits stay loaded; the next save tries again.
  const QString message = DaySaveFailureMessage(saved);
  switch (reply) {
    case SaveFailureReply::Tell: ThemedNotice(message, settings_.theme, this); break;
    case SaveFailureReply::AskToLeave:
      return ThemedQuestion(message + QStringLiteral("\n\nGo on anyway? The changes of this day will be lost."),
                            settings_.theme, this) == 1;
    case SaveFailureReply::Log: LogError("%s", qUtf8Printable(message)); break;
  }
  return false;
}

void CMainDlg::StoreEditedReminder() {
  reminders_->StoreEdited();
}

void CMainDlg::OnReminderFired(const QByteArray& timeKey) {
  reminders_->MarkFired(timeKey);
  const auto it = loaded_.reminders.find(timeKey);
  if (it != loaded_.reminders.end()) it->second = WithoutActiveMarker(it->second);
}

void CMainDlg::SaveAll() {
  StoreEditedReminder();
  if (SaveLoadedDay()) LoadSelectedDay();
}

void CMainDlg::GotoToday() {
  OnDateChanged(NowSeconds());
}

void CMainDlg::ShowSelectedDate(std::time_t date) {
  selectedDate_ = date;
  frame_.calendar->SetSelectedDate(date);
  const LocalDate d = LocalDateOf(date);
  QSignalBlocker block(frame_.datePicker);
  frame_.datePicker->setDate(QDate(d.year, d.month, d.day));
}

void CMainDlg::OnDateChanged(std::time_t date) {
  const std::time_t previous = selectedDate_;
  ShowSelectedDate(date);
  StoreEditedReminder();
  // A day whose save failed is left only when the user says so.
  const bool leaving = DayKeyOf(date) != loaded_.dayKey;
  if (!SaveLoadedDay(leaving ? SaveFailureReply::AskToLeave : SaveFailureReply::Tell)) {
    ShowSelectedDate(previous);
    frame_.calendar->Redraw();
    deskleaf_->FollowDay(previous);
    return;
  }
  LoadSelectedDay();
}

void CMainDlg::RefreshStatusMessage() {
  status_ = ReminderStatusMessage(static_cast<int>(reminders_->Editor().entries().size()), selectedDate_,
                                  settings_.dateFormat, HolidayOf(selectedDate_));
}

void CMainDlg::RebuildTitleLine() {
  const std::time_t now = NowSeconds();
  frame_.titleLine->setText(TitleLineText(now, HolidayOf(now), status_));
}

void CMainDlg::ShowStatus(const QString& status) {
  status_ = status;
  RebuildTitleLine();
}

void CMainDlg::ShowAlert(const AlertRequest& alert) {
  alarmHost_->showAlert(alert);
}

void CMainDlg::SelectSearchTerm(QTextEdit* editor) {
  search_->SelectTerm(editor);
}

CRichDiaryCtrl* CMainDlg::ModeTextEditor() {
  if (mode_ == ids::kModeDiary) return diary_->Editor();
  if (mode_ == ids::kModeReminder) return reminders_->Note();
  return nullptr;
}

void CMainDlg::EnableDayChoice(bool calendar, bool modeSwitch) {
  frame_.calendar->setEnabled(calendar);
  frame_.datePicker->setEnabled(calendar);
  frame_.modeSwitch->setEnabled(modeSwitch);
}

void CMainDlg::RedrawCalendar() {
  frame_.calendar->Redraw();
}

void CMainDlg::OnAlarmTick() {
  scheduler_->checkDueReminders();
  RebuildTitleLine();
}

}  // namespace orlane
