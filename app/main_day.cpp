// The main window's day cycle: loading the selected day into the editors,
// saving the loaded day back, the reminder editor's commands, the one-second
// tick with its title line.
#include "app/main_dlg.h"

#include "days/day_files.h"
#include "app/day_watcher.h"
#include "app/main_ids.h"
#include "app/main_tray.h"
#include "days/title_line.h"
#include "calendar/holiday_file.h"
#include "calendar/month_calendar.h"
#include "controls/color_list_box.h"
#include "controls/mac_check_box.h"
#include "controls/flash_player.h"
#include "controls/media_player2.h"
#include "controls/msg_box_dlg.h"
#include "reminders/reminder_value.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "security/error_log.h"
#include "security/session.h"

#include <QApplication>
#include <QDateEdit>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimeEdit>

namespace orlane {

namespace {
// The media file dialog's two entries.
QString MediaFileFilter() {
  return QStringLiteral(
      "Media files(mpeg,mpg,avi,asf,asx,wax,wm,wma,wmd,wmv,wvx,wmp,wmx,cda,ivf,aif,aifc,aiff,wav,m1v,mp2,mpa,mpe,"
      "mp2v,mpv2,mid,midi,rmi,au,snd,mp3,m3u,vob) (*.cda *.ivf *.aif *.aifc *.aiff *.asf *.asx *.wax *.wm *.wma "
      "*.wmd *.wmv *.wvx *.wmp *.wmx *.avi *.wav *.mpeg *.mpg *.dat *.m1v *.mp2 *.mpa *.mpe *.mp2v *.mpv2 *mid "
      "*.midi *.rmi *.au *.snd *.mp3 *.m3u *.vob *.ogg *.oga *.flac *.mp4 *.webm *.mkv);;Flash files(swf) (*.swf)");
}

QString HolidayOf(std::time_t t) {
  const LocalDate d = LocalDateOf(t);
  return GetHolidayText(d.year, d.month, d.day);
}
}  // namespace

void CMainDlg::ShowDiaryPage() {
  QSignalBlocker block(controls_.diaryEditor);
  controls_.diaryEditor->clear();
  QString notice;
  if (loaded_.diary == DiaryPageState::Shown) {
    // A page that cannot be read completely is shown as far as it goes and
    // kept as it is on disk: saving it would drop what was not understood.
    if (!controls_.diaryEditor->SetRtfText(loaded_.diaryRtf)) {
      loaded_.diary = DiaryPageState::Unreadable;
      notice = QStringLiteral("This page could not be read completely. It is kept as it is.");
    }
  } else if (loaded_.diary == DiaryPageState::OtherPassword) {
    notice = QStringLiteral("This page was written under another password. It is kept as it is.");
  } else if (loaded_.diary == DiaryPageState::Unreadable) {
    notice = QStringLiteral("This page cannot be read. It is kept as it is.");
  }
  controls_.diaryEditor->setReadOnly(!notice.isEmpty());
  controls_.diaryEditor->setPlaceholderText(notice);
  controls_.diaryEditor->setToolTip(notice);
  controls_.diaryEditor->document()->setModified(false);
}

void CMainDlg::DiarySaveContent(DayContent& content) const {
  QTextDocument* page = controls_.diaryEditor->document();
  content.diaryModified = page->isModified();
  if (!content.diaryModified) return;
  content.diaryEmpty = page->toPlainText().isEmpty();
  if (!content.diaryEmpty) content.diaryRtf = controls_.diaryEditor->GetRtf();
}

void CMainDlg::FillReminderList() {
  QSignalBlocker block(controls_.reminderList);
  controls_.reminderList->ResetContent();
  for (const QByteArray& k : editor_.entries()) controls_.reminderList->addItem(QString::fromLatin1(k));
}

void CMainDlg::ShowReminders(const ReminderMap& map) {
  const QByteArray shown = editor_.editedKey();
  editor_.loadDay(map);
  if (const qsizetype at = editor_.entries().indexOf(shown); !shown.isEmpty() && at >= 0)
    editor_.select(static_cast<int>(at));
  FillReminderList();
  ShowReminderFields();
  RefreshStatusMessage();
  RebuildTitleLine();
}

void CMainDlg::OnDayFilesChanged() {
  if (!loaded_.dayKey.isEmpty()) {
    StoreEditedReminder();
    ReminderMap mine = editor_.reminders();
    const DayRefresh refreshed = RefreshLoadedDay(loaded_, mine, controls_.diaryEditor->document()->isModified(),
                                                  CurrentPassword());
    if (refreshed.reminders) ShowReminders(mine);
    if (refreshed.diary) ShowDiaryPage();
  }
  controls_.calendar->Redraw();
  scheduler_->loadTodayReminders();
}

void CMainDlg::LoadSelectedDay() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const QString key = DayKeyOf(selectedDate_);
  const bool changed = key != loaded_.dayKey;
  loaded_ = LoadDay(key, CurrentPassword());
  ShowDiaryPage();
  editor_.loadDay(loaded_.reminders);
  FillReminderList();
  ShowReminderFields();
  RefreshStatusMessage();
  if (changed) controls_.calendar->Redraw();
  if (watcher_ && changed)
    watcher_->watchDay({DayFilePath(key, DayFileKind::Diary), DayFilePath(key, DayFileKind::Reminders)});
  RebuildTitleLine();
  QApplication::restoreOverrideCursor();
}

bool CMainDlg::SaveLoadedDay(SaveFailureReply reply) {
  if (loaded_.dayKey.isEmpty()) return true;
  DayContent content;
  DiarySaveContent(content);
  content.reminders = editor_.reminders();
  const DaySaveResult saved = SaveDay(loaded_, content, CurrentPassword());
  if (saved.diaryWritten || saved.diaryDeleted) controls_.diaryEditor->document()->setModified(false);
  if (saved.remindersMerged) ShowReminders(saved.reminders);
  controls_.calendar->Redraw();
  // The alarms read today's reminders as they are stored, so only after the write.
  if (loaded_.dayKey == DayKeyOf(NowSeconds())) scheduler_->loadTodayReminders();
  if (!saved.conflictKeptAs.isEmpty()) {
    const QString conflict = DiaryConflictMessage(saved.conflictKeptAs);
    if (reply == SaveFailureReply::Log) LogError("%s", qUtf8Printable(conflict));
    else ThemedNotice(conflict, settings_.theme, this);
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
  ReadReminderFields();
  editor_.storeEdited();
}

void CMainDlg::OnReminderFired(const QByteArray& timeKey) {
  editor_.markFired(timeKey);
  const auto it = loaded_.reminders.find(timeKey);
  if (it != loaded_.reminders.end()) it->second = WithoutActiveMarker(it->second);
  if (editor_.editedKey() == timeKey && controls_.active) controls_.active->SetChecked(false);
}

void CMainDlg::SaveAll() {
  StoreEditedReminder();
  if (SaveLoadedDay()) LoadSelectedDay();
}

void CMainDlg::GotoToday() { OnDateChanged(NowSeconds()); }

void CMainDlg::ShowSelectedDate(std::time_t date) {
  selectedDate_ = date;
  controls_.calendar->SetSelectedDate(date);
  const LocalDate d = LocalDateOf(date);
  QSignalBlocker block(controls_.datePicker);
  controls_.datePicker->setDate(QDate(d.year, d.month, d.day));
}

void CMainDlg::OnDateChanged(std::time_t date) {
  const std::time_t previous = selectedDate_;
  ShowSelectedDate(date);
  StoreEditedReminder();
  // A day whose save failed is left only when the user says so.
  const bool leaving = DayKeyOf(date) != loaded_.dayKey;
  if (!SaveLoadedDay(leaving ? SaveFailureReply::AskToLeave : SaveFailureReply::Tell)) {
    ShowSelectedDate(previous);
    controls_.calendar->Redraw();
    return;
  }
  LoadSelectedDay();
}

void CMainDlg::ReadReminderFields() {
  ReminderFields& f = editor_.fields();
  f.note = controls_.reminderNote->toPlainText().replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  f.media = controls_.mediaEdit->text();
  f.active = controls_.active->Checked();
  f.repeat = controls_.repeat->Checked();
  f.beepOnly = controls_.beepOnly->Checked();
}

void CMainDlg::ShowReminderFields() {
  const ReminderFields& f = editor_.fields();
  QSignalBlocker blockNote(controls_.reminderNote);
  controls_.reminderNote->setPlainText(QString(f.note).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  controls_.mediaEdit->setText(f.media);
  controls_.active->SetChecked(f.active);
  controls_.repeat->SetChecked(f.repeat);
  controls_.beepOnly->SetChecked(f.beepOnly);
  ShowMediaPreview(f.media);
  QSignalBlocker blockList(controls_.reminderList);
  controls_.reminderList->setCurrentRow(editor_.selection());
}

void CMainDlg::ShowMediaPreview(const QString& media) {
  delete preview_;
  preview_ = nullptr;
  const QByteArray bytes = media.toUtf8();
  const MediaKind kind = MediaKindOf(bytes);
  if (kind != MediaKind::Flash && kind != MediaKind::MediaFile) return;
  // The free part of the "Alarm Set" group, right of its buttons.
  const QRect group = controls_.widget(ids::kReminderGroup)->geometry();
  const QRect area(group.left() + 410, group.top() + 18, std::max(40, group.width() - 420), group.height() - 50);
  if (kind == MediaKind::Flash) {
    auto* movie = new NFlash(client_);
    movie->Create(media, area, client_, 0xFFFF);
    movie->Play();
    preview_ = movie;
  } else {
    auto* player = new CMediaPlayer2(client_);
    player->setGeometry(area);
    player->SetAutoStart(true);
    player->SetFileName(media);
    player->show();
    player->Play();
    preview_ = player;
  }
  preview_->setVisible(mode_ == ids::kModeReminder);
}

void CMainDlg::OnReminderSelection() {
  ReadReminderFields();
  editor_.select(controls_.reminderList->currentRow());
  ShowReminderFields();
  SaveLoadedDay();
  SelectSearchTerm(controls_.reminderNote);  // a search term still set is selected in the note
}

void CMainDlg::OnReminderCommand(int id) {
  ReadReminderFields();
  const auto already = [this](const QByteArray& key) {
    ThemedNotice(QStringLiteral("Reminder ") + QString::fromLatin1(key) + QStringLiteral(" already exists."),
                 settings_.theme, this);
  };
  const QByteArray pickerKey = controls_.timePicker->time().toString(QStringLiteral("HH:mm:ss")).toLatin1();
  bool save = true;
  switch (id) {
    case ids::kAddReminder:
      if (editor_.add(pickerKey) == ReminderEditor::Result::AlreadyExists) already(pickerKey), save = false;
      break;
    case ids::kRemoveReminder: save = editor_.remove() == ReminderEditor::Result::Done; break;
    case ids::kUpdateReminder: {
      const ReminderEditor::Result r = editor_.update(pickerKey);
      if (r == ReminderEditor::Result::AlreadyExists) already(pickerKey);
      save = r == ReminderEditor::Result::Done;
      break;
    }
    case ids::kRefreshReminder:
      controls_.timePicker->setTime(QTime::currentTime());
      save = false;
      break;
    case ids::kCopyReminder:
      editor_.copy();
      save = false;
      break;
    case ids::kPasteReminder: save = editor_.paste() == ReminderEditor::Result::Done; break;
    case ids::kMediaFile: {
      if (editor_.selection() < 0) return;
      const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), MediaFileFilter());
      if (path.isEmpty()) return;
      controls_.mediaEdit->setText(path);
      controls_.beepOnly->SetChecked(false);
      ShowMediaPreview(path);
      return;
    }
    case ids::kPlayNow: {
      if (editor_.selection() < 0) return;
      AlertRequest test;
      test.title = QStringLiteral("Reminder test - ") + QString::fromLatin1(editor_.entries()[editor_.selection()]);
      test.note = editor_.fields().note.toUtf8();
      test.media = editor_.fields().media.toUtf8();
      test.repeat = editor_.fields().repeat;
      alarmHost_->showAlert(test);
      return;
    }
    case ids::kBeepOnly:
      editor_.setBeepOnly(controls_.beepOnly->Checked());
      controls_.mediaEdit->setText(editor_.fields().media);
      return;
    default: return;
  }
  FillReminderList();
  ShowReminderFields();
  if (!save) return;
  SaveLoadedDay();
  RefreshStatusMessage();
}

void CMainDlg::RefreshStatusMessage() {
  status_ = ReminderStatusMessage(static_cast<int>(editor_.entries().size()), selectedDate_, settings_.dateFormat,
                                  HolidayOf(selectedDate_));
}

void CMainDlg::RebuildTitleLine() {
  const std::time_t now = NowSeconds();
  controls_.titleLine->setText(TitleLineText(now, HolidayOf(now), status_));
}

void CMainDlg::OnAlarmTick() {
  scheduler_->checkDueReminders();
  RebuildTitleLine();
}

}  // namespace orlane
