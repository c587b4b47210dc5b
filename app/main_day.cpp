// The main window's side of the day cycle: the DaySession loads, saves and
// merges; the window shows the day it loaded, tells what a failed save means,
// and keeps the calendar, the date picker, the title line and the desk widget
// following it.
#include "app/main_dlg.h"

#include "app/deskleaf_link.h"
#include "app/diary_panel.h"
#include "app/main_ids.h"
#include "app/reminder_options.h"
#include "app/reminder_panel.h"
#include "app/search_panel.h"
#include "app/sound_panel.h"
#include "app/title_status.h"
#include "app/tray_host.h"
#include "calendar/holiday_file.h"
#include "calendar/month_calendar.h"
#include "controls/mac_btn_group.h"
#include "controls/msg_box_dlg.h"
#include "days/day_files.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/alert_queue.h"
#include "reminders/reminder_store.h"
#include "security/error_log.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QSignalBlocker>

namespace orlane {

void CMainDlg::ConnectSession() {
  // The calendar marks a day with an occurrence of a recurring reminder as a day with reminders.
  MonthSources sources = DefaultMonthSources();
  sources.marks = [this](int year, int month, int day) {
    DayMarks marks = DayMarksOnDisk(year, month, day);
    marks.reminders = marks.reminders || store_->hasOccurrences(MakeDayKey(year, month, day));
    return marks;
  };
  frame_.calendar->SetSources(std::move(sources));
  connect(store_, &ReminderStore::recurringChanged, frame_.calendar, [this] { frame_.calendar->Redraw(); });
  session_->setPage(diary_->Editor()->document());
  connect(session_, &DaySession::dayLeaving, this, [this] { sound_->LeaveDay(); });
  connect(session_, &DaySession::dayLoaded, this, &CMainDlg::OnDayLoaded);
  connect(session_, &DaySession::pageReplaced, this, [this] { diary_->FollowPage(*session_); });
  connect(session_, &DaySession::remindersChanged, this, [this] {
    reminders_->FollowStore();
    RefreshStatusMessage();
  });
  connect(session_, &DaySession::daySaved, this, [this] {
    frame_.calendar->Redraw();
    deskleaf_->FollowDay(SelectedDate());
  });
  connect(session_, &DaySession::folderChanged, this, &CMainDlg::FollowFolderChange);
  // Told after the load, never from inside it.
  connect(session_, &DaySession::remindersDamaged, this, &CMainDlg::TellDamagedReminders, Qt::QueuedConnection);
}

void CMainDlg::OnDayLoaded(const QString& dayKey) {
  diary_->FollowPage(*session_);
  reminders_->LoadDay(dayKey);
  reminders_->NameListFor(SelectedDate());
  RefreshStatusMessage();
  if (mode_ == ids::kModeSound) sound_->LoadDay(dayKey);
  frame_.calendar->Redraw();
  deskleaf_->FollowDay(SelectedDate());
}

void CMainDlg::TellDamagedReminders(const QString& dayKey) {
  const QString when = FormatLocalTime(DateFormatPattern(settings().dateFormat), DayKeyTime(dayKey, 0, 0, 10));
  ThemedNotice(QStringLiteral("The reminders of %1 could not be read completely: the file is damaged. "
                              "It is kept as it is; what could be read is shown.")
                   .arg(when),
               Theme(), this);
}

void CMainDlg::LoadSelectedDay() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  session_->load();
  QApplication::restoreOverrideCursor();
}

bool CMainDlg::SaveLoadedDay(SaveFailureReply reply) {
  if (session_->dayKey().isEmpty()) return true;
  const DaySaveResult saved = session_->save();
  if (!saved.conflictKeptAs.isEmpty()) {
    const QString conflict = DiaryConflictMessage(saved.conflictKeptAs);
    if (reply == SaveFailureReply::Log)
      LogError("%s", qUtf8Printable(conflict));
    else
      ThemedNotice(conflict, Theme(), this);
  }
  // The day and its edits stay loaded; the next save tries again.
  return !saved.failed || TellSaveFailure(saved, reply);
}

bool CMainDlg::TellSaveFailure(const DaySaveResult& saved, SaveFailureReply reply) {
  const QString message = DaySaveFailureMessage(saved);
  switch (reply) {
    case SaveFailureReply::Tell: ThemedNotice(message, Theme(), this); break;
    case SaveFailureReply::AskToLeave:
      return ThemedQuestion(message + QStringLiteral("\n\nGo on anyway? The changes of this day will be lost."),
                            Theme(), this) == 1;
    case SaveFailureReply::Log: LogError("%s", qUtf8Printable(message)); break;
  }
  return false;
}

void CMainDlg::SaveAll() {
  if (SaveLoadedDay()) LoadSelectedDay();
}

void CMainDlg::GotoToday() {
  OnDateChanged(NowSeconds());
}

void CMainDlg::ShowSelectedDate(std::time_t date) {
  frame_.calendar->SetSelectedDate(date);
  const LocalDate d = LocalDateOf(date);
  QSignalBlocker block(frame_.datePicker);
  frame_.datePicker->setDate(QDate(d.year, d.month, d.day));
}

void CMainDlg::OnDateChanged(std::time_t date) {
  const std::time_t previous = SelectedDate();
  ShowSelectedDate(date);
  // A day whose save failed is left only when the user says so.
  const bool leaving = DayKeyOf(date) != session_->dayKey();
  const auto reply = [this, leaving](const DaySaveResult& saved) {
    return TellSaveFailure(saved, leaving ? SaveFailureReply::AskToLeave : SaveFailureReply::Tell);
  };
  if (session_->changeDate(date, reply)) return;
  ShowSelectedDate(previous);
  frame_.calendar->Redraw();
  deskleaf_->FollowDay(previous);
}

void CMainDlg::OfferRecovery() {
  const std::optional<RecoveryState> state = session_->recoveryToOffer();
  if (!state) return;
  const std::time_t date = DayKeyTime(state->dayKey, 0, 0, 10);
  if (date == static_cast<std::time_t>(-1)) return session_->discardRecovery();
  const QString when = FormatLocalTime(DateFormatPattern(settings().dateFormat), date);
  if (ThemedQuestion(QStringLiteral("Unsaved changes of %1 were found. Restore them?").arg(when), Theme(), this) != 1) {
    session_->discardRecovery();
    return;
  }
  if (session_->dayKey() != state->dayKey) OnDateChanged(date);
  session_->restore(*state);
}

void CMainDlg::RefreshStatusMessage() {
  const LocalDate d = LocalDateOf(SelectedDate());
  title_->setDayStatus(ReminderStatusMessage(static_cast<int>(reminders_->Editor().entries().size()), SelectedDate(),
                                             settings().dateFormat, GetHolidayText(d.year, d.month, d.day)));
}

void CMainDlg::ShowStatus(const QString& status) {
  title_->setStatus(status);
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
  deskleaf_->RedrawCalendar();
}

void CMainDlg::FollowFolderChange() {
  RedrawCalendar();
  deskleaf_->RefreshReminders();
}

void CMainDlg::OnAlarmTick() {
  scheduler_->checkDueReminders();
  title_->rebuild();
}

}  // namespace orlane
