// Makes sure one copy of the program runs per user. The first copy listens on a
// local socket named after the program title; a later copy connects, asks the
// first to raise its active window, learns whether there was one, and ends. A
// socket left behind by a copy that was killed counts as free.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QLocalServer;

namespace orlane {

class InstanceLock final : public QObject {
  Q_OBJECT

 public:
  enum class Result {
    Acquired,            // this is the only copy; the lock is held until destruction
    OtherRaised,         // another copy runs and brought its window forward
    OtherWithoutWindow,  // another copy runs but had no window to raise
    Error                // the lock file cannot be opened: errorString() says why
  };

  // socketPath: a full path; DefaultSocketPath() for the program.
  explicit InstanceLock(QString socketPath, QObject* parent = nullptr);
  ~InstanceLock() override;
  Q_DISABLE_COPY_MOVE(InstanceLock)

  // The per-user socket: $XDG_RUNTIME_DIR + "/" + title. Without a runtime
  // folder, /tmp/orlane-UID when that is a private folder of ours; when
  // another user made it first (or it is a link, or open to others) a fresh
  // private folder instead, and note says so for the error log.
  static QString DefaultSocketPath(QString* note = nullptr);

  Result acquire(int replyTimeoutMs = 2000);
  const QString& errorString() const { return error_; }

  // Called in the first copy when a later copy asks; returns whether a window
  // was there to raise.
  void setRaiseHandler(std::function<bool()> handler) { raiseHandler_ = std::move(handler); }

 private:
  Result askRunningCopy(int replyTimeoutMs, bool& reached);
  void answer();

  // 1 taken, 0 held by another copy, -1 cannot be opened (error_ says why).
  int takeFileLock();

  QString socketPath_;
  QString error_;
  int lockFd_ = -1;
  std::unique_ptr<QLocalServer> server_;
  std::function<bool()> raiseHandler_;
};

}  // namespace orlane
