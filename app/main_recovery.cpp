// The recovery copy of the shown day: written two seconds after the user stops
// typing (and at least every 30 s while typing), removed after every save that
// succeeds, and offered back once at the next start after a crash or a kill.
#include "app/main_dlg.h"

#include "app/day_store.h"
#include "app/diary_panel.h"
#include "app/recovery_file.h"
#include "app/reminder_panel.h"
#include "controls/msg_box_dlg.h"
#include "days/day_files.h"
#include "diary/rich_diary_ctrl.h"
#include "platform/local_time.h"
#include "security/session.h"

namespace orlane {

namespace {
constexpr int kQuietMs = 2000;
constexpr int kLongestMs = 30000;
}  // namespace

void CMainDlg::SetUpRecovery() {
  recoveryQuiet_.setSingleShot(true);
  recoveryQuiet_.setInterval(kQuietMs);
  recoveryLongest_.setSingleShot(true);
  recoveryLongest_.setInterval(kLongestMs);
  connect(&recoveryQuiet_, &QTimer::timeout, this, &CMainDlg::WriteRecovery);
  connect(&recoveryLongest_, &QTimer::timeout, this, &CMainDlg::WriteRecovery);
  connect(diary_->Editor()->document(), &QTextDocument::contentsChanged, this, &CMainDlg::NoteUnsavedEdit);
  connect(reminders_->Note()->document(), &QTextDocument::contentsChanged, this, &CMainDlg::NoteUnsavedEdit);
}

void CMainDlg::NoteUnsavedEdit() {
  if (!built_ || loaded_.dayKey.isEmpty()) return;
  recoveryQuiet_.start();
  if (!recoveryLongest_.isActive()) recoveryLongest_.start();
}

void CMainDlg::WriteRecovery() {
  recoveryQuiet_.stop();
  recoveryLongest_.stop();
  if (loaded_.dayKey.isEmpty()) return;
  RecoveryState state;
  state.dayKey = loaded_.dayKey;
  if (diary_->Editor()->document()->isModified()) state.diaryRtf = diary_->Editor()->GetRtf();
  StoreEditedReminder();
  if (reminders_->Editor().reminders() != loaded_.reminders) state.reminders = reminders_->Editor().reminders();
  // A copy that cannot be written leaves the last one; the save of the day
  // itself tells the user when it fails.
  if (state.empty())
    RemoveRecoveryFile();
  else
    static_cast<void>(WriteRecoveryFile(state, CurrentPassword()));
}

void CMainDlg::DropRecovery() {
  recoveryQuiet_.stop();
  recoveryLongest_.stop();
  RemoveRecoveryFile();
}

void CMainDlg::OfferRecovery() {
  const std::optional<RecoveryState> state = ReadRecoveryFile(CurrentPassword());
  if (!state) return;
  const int year = state->dayKey.left(4).toInt(nullptr, 16);
  const int month = state->dayKey.mid(4, 2).toInt(nullptr, 16);
  const int day = state->dayKey.mid(6, 2).toInt(nullptr, 16);
  const std::time_t date = MakeLocalTime(year, month, day, 0, 0, 10);
  const QString when = FormatLocalTime(DateFormatPattern(settings_.dateFormat), date);
  if (ThemedQuestion(QStringLiteral("Unsaved changes of %1 were found. Restore them?").arg(when), settings_.theme,
                     this) != 1) {
    RemoveRecoveryFile();
    return;
  }
  if (DayKeyOf(selectedDate_) != state->dayKey) OnDateChanged(date);
  // The recovered edits come back as edits: the day files change only at the next save.
  if (state->diaryRtf && diary_->Editor()->SetRtfText(*state->diaryRtf))
    diary_->Editor()->document()->setModified(true);
  if (state->reminders) {
    reminders_->LoadDay(*state->reminders);
  }
}

}  // namespace orlane
