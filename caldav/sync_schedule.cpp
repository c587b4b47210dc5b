#include "caldav/sync_schedule.h"

#include "caldav/sync_password.h"

#include <QDateTime>

namespace orlane {

namespace {
constexpr int kSoonMs = 3000;
constexpr int kMsPerMinute = 60 * 1000;
}  // namespace

SyncSchedule::SyncSchedule(ReminderStore& store, QObject* parent) : QObject(parent), store_(store) {
  soon_.setSingleShot(true);
  soon_.setInterval(kSoonMs);
  connect(&soon_, &QTimer::timeout, this, &SyncSchedule::syncNow);
  connect(&interval_, &QTimer::timeout, this, &SyncSchedule::syncNow);
}

SyncSchedule::~SyncSchedule() = default;

bool SyncSchedule::Configured() {
  SyncState state;
  return LoadSyncState(SyncStateFilePath(), state) == SyncStateLoad::Ok && state.configured() &&
         !state.collection.isEmpty();
}

void SyncSchedule::setMinutes(int minutes) {
  if (minutes <= 0) {
    interval_.stop();
    return;
  }
  if (interval_.isActive() && interval_.interval() == minutes * kMsPerMinute) return;
  interval_.start(minutes * kMsPerMinute);
}

void SyncSchedule::syncSoon() {
  soon_.start();
}

void SyncSchedule::syncNow() {
  soon_.stop();
  if (running()) {
    again_ = true;
    return;
  }
  // The set-up may have changed since the last run (orlanectl sync setup).
  state_ = SyncState{};
  if (LoadSyncState(SyncStateFilePath(), state_) != SyncStateLoad::Ok || !state_.configured() ||
      state_.collection.isEmpty())
    return;
  if (prepare_ && !prepare_()) return;
  withPassword([this] { begin(); });
}

void SyncSchedule::withPassword(std::function<void()> go) {
  if (password_) return go();
  if (passwordRefused_) return;
  starting_ = true;  // a sync asked for meanwhile comes after this one, not with a second prompt
  ReadSyncPassword(state_.server, state_.user, [this, go = std::move(go)](std::optional<QString> kept, const QString&) {
    if (!kept && askPassword_) kept = askPassword_(state_);
    starting_ = false;
    if (!kept) {
      passwordRefused_ = true;  // asked once; the next start asks again
      again_ = false;
      return;
    }
    password_ = std::move(kept);
    go();
  });
}

void SyncSchedule::begin() {
  if (running()) return;
  calendar_ = std::make_unique<CalDavCalendar>();
  calendar_->setCredentials(state_.user, *password_);
  run_ = std::make_unique<SyncRun>(store_, state_, *calendar_, SyncStateFilePath(),
                                   pagePassword_ ? pagePassword_() : std::nullopt);
  connect(run_.get(), &SyncRun::progress, this, &SyncSchedule::progress);
  run_->start([this](const SyncReport& report) {
    // The run's callback comes from inside it: it is let go once the event loop is back.
    QMetaObject::invokeMethod(
        this, [this, report] { ended(report); }, Qt::QueuedConnection);
  });
}

void SyncSchedule::ended(const SyncReport& report) {
  run_.reset();
  calendar_.reset();
  Q_EMIT finished(report);
  if (std::exchange(again_, false)) syncNow();
}

QString SyncStatusText(const SyncReport& report, std::time_t when) {
  if (report.ok)
    return QStringLiteral("Synchronised %1").arg(QDateTime::fromSecsSinceEpoch(when).toString(QStringLiteral("HH:mm")));
  return QStringLiteral("Not synchronised: %1")
      .arg(report.error.isEmpty() ? report.failures.join(QStringLiteral("; ")) : report.error);
}

}  // namespace orlane
