#include "app/day_session.h"

#include "app/day_watcher.h"
#include "days/day_files.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "reminders/reminder_store.h"
#include "security/session.h"

namespace orlane {

namespace {
constexpr int kQuietMs = 2000;
constexpr int kLongestMs = 30000;

bool IsDamaged(ReminderLoadResult result) {
  return result == ReminderLoadResult::Damaged || result == ReminderLoadResult::Unreadable;
}
}  // namespace

// Marks the session busy while an operation runs; a folder change noticed
// meanwhile is taken over when the last one ends.
class DaySession::Operation final {
 public:
  explicit Operation(DaySession& session) : session_(session) { ++session_.busy_; }
  ~Operation() {
    if (--session_.busy_ == 0 && session_.refreshWaiting_) QTimer::singleShot(0, &session_, &DaySession::refresh);
  }
  Operation(const Operation&) = delete;
  Operation& operator=(const Operation&) = delete;

 private:
  DaySession& session_;
};

DaySession::DaySession(ReminderStore& store, QObject* parent) : QObject(parent), store_(store) {
  recoveryQuiet_.setSingleShot(true);
  recoveryQuiet_.setInterval(kQuietMs);
  recoveryLongest_.setSingleShot(true);
  recoveryLongest_.setInterval(kLongestMs);
  connect(&recoveryQuiet_, &QTimer::timeout, this, &DaySession::writeRecovery);
  connect(&recoveryLongest_, &QTimer::timeout, this, &DaySession::writeRecovery);
  connect(page_, &QTextDocument::contentsChanged, this, &DaySession::noteEdit);
  connect(&store_, &ReminderStore::remindersChanged, this, [this](const QString& dayKey) {
    if (dayKey != loaded_.dayKey) return;
    noteEdit();
    Q_EMIT remindersChanged(dayKey);
  });
}

DaySession::~DaySession() = default;

void DaySession::setPage(QTextDocument* page) {
  disconnect(page_, nullptr, this, nullptr);
  page_ = page ? page : &ownPage_;
  connect(page_, &QTextDocument::contentsChanged, this, &DaySession::noteEdit);
}

void DaySession::watchFolder(const QString& folder) {
  if (watcher_) return;
  watcher_ = new DayWatcher(folder, this);
  connect(watcher_, &DayWatcher::changed, this, &DaySession::refresh);
}

void DaySession::showPage() {
  const bool blocked = page_->blockSignals(true);
  page_->clear();
  pageIncomplete_ = false;
  if (loaded_.diary == DiaryPageState::Shown) {
    RtfReader reader;
    // A page that cannot be read completely is shown as far as it goes and
    // kept as it is on disk: saving it would drop what was not understood.
    if (!reader.read(loaded_.diaryRtf, *page_) || reader.hasError()) {
      loaded_.diary = DiaryPageState::Unreadable;
      pageIncomplete_ = true;
    }
  }
  page_->setModified(false);
  page_->blockSignals(blocked);
}

void DaySession::load() {
  if (busy()) return;
  const Operation operation(*this);
  loadNow();
}

void DaySession::loadNow() {
  const QString key = DayKeyOf(selectedDate_);
  const bool changed = key != loaded_.dayKey;
  if (changed && !loaded_.dayKey.isEmpty()) {
    Q_EMIT dayLeaving(loaded_.dayKey);
    store_.release(loaded_.dayKey);
  }
  loaded_ = LoadDay(key, CurrentPassword());
  showPage();
  // The file is read again: what another writer did meanwhile is seen.
  store_.refresh(key);
  static_cast<void>(store_.day(key));
  if (watcher_ && changed)
    watcher_->watchDay(
        {DayFilePath(key, DayFileKind::Diary), DayFilePath(key, DayFileKind::Reminders), RecurringFilePath()});
  Q_EMIT dayLoaded(key);
  if (IsDamaged(store_.loadResult(key)) && !damagedTold_.contains(key)) {
    damagedTold_ << key;
    Q_EMIT remindersDamaged(key);
  }
}

DayContent DaySession::pageContent() const {
  DayContent content;
  content.diaryModified = page_->isModified();
  if (!content.diaryModified) return content;
  content.diaryEmpty = page_->toPlainText().isEmpty();
  if (!content.diaryEmpty) content.diaryRtf = RtfWriter().write(*page_);
  return content;
}

DaySaveResult DaySession::save() {
  if (busy()) return {};
  const Operation operation(*this);
  return saveNow();
}

DaySaveResult DaySession::saveNow() {
  if (loaded_.dayKey.isEmpty()) return {};
  DaySaveResult saved = SaveDay(loaded_, pageContent(), CurrentPassword(), store_);
  if (saved.diaryWritten || saved.diaryDeleted || saved.diaryAlreadyOnDisk) page_->setModified(false);
  if (!saved.failed) discardRecovery();
  Q_EMIT daySaved(loaded_.dayKey);
  return saved;
}

bool DaySession::changeDate(std::time_t date, const std::function<bool(const DaySaveResult&)>& leaveAfterFailure) {
  if (busy()) return false;
  // One operation: nothing else starts while the user is asked about a failed save.
  const Operation operation(*this);
  const DaySaveResult saved = saveNow();
  if (saved.failed) {
    if (!(leaveAfterFailure && leaveAfterFailure(saved))) return false;
    if (DayKeyOf(date) != loaded_.dayKey) store_.discardEdits(loaded_.dayKey);
  }
  selectedDate_ = date;
  loadNow();
  return true;
}

void DaySession::refresh() {
  if (busy()) {
    refreshWaiting_ = true;
    return;
  }
  refreshWaiting_ = false;
  const Operation operation(*this);
  store_.refreshAll();  // the shown day's changes reach remindersChanged
  if (RefreshLoadedPage(loaded_, page_->isModified(), CurrentPassword())) {
    showPage();
    Q_EMIT pageReplaced();
  }
  Q_EMIT folderChanged();
}

void DaySession::noteEdit() {
  if (loaded_.dayKey.isEmpty()) return;
  recoveryQuiet_.start();
  if (!recoveryLongest_.isActive()) recoveryLongest_.start();
}

void DaySession::writeRecovery() {
  recoveryQuiet_.stop();
  recoveryLongest_.stop();
  if (loaded_.dayKey.isEmpty()) return;
  RecoveryState state;
  state.dayKey = loaded_.dayKey;
  if (page_->isModified()) state.diaryRtf = RtfWriter().write(*page_);
  if (store_.isModified(loaded_.dayKey)) state.reminders = store_.day(loaded_.dayKey);
  // A copy that cannot be written leaves the last one; the save of the day
  // itself tells the user when it fails.
  if (state.empty())
    RemoveRecoveryFile();
  else
    static_cast<void>(WriteRecoveryFile(state, CurrentPassword()));
}

std::optional<RecoveryState> DaySession::recoveryToOffer() const {
  return ReadRecoveryFile(CurrentPassword());
}

void DaySession::restore(const RecoveryState& state) {
  if (state.dayKey != loaded_.dayKey) return;
  // The recovered edits come back as edits: the day files change only at the next save.
  if (state.diaryRtf) {
    RtfReader reader;
    page_->clear();
    if (reader.read(*state.diaryRtf, *page_)) page_->setModified(true);
  }
  if (state.reminders) store_.setDay(loaded_.dayKey, *state.reminders);
}

void DaySession::discardRecovery() {
  recoveryQuiet_.stop();
  recoveryLongest_.stop();
  RemoveRecoveryFile();
}

}  // namespace orlane
