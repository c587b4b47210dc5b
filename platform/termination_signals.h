// SIGTERM and SIGHUP as a Qt signal, so the program can save before it ends.
// The handler does nothing but write the signal's number into one end of a
// socket pair (safe inside a signal handler); a QSocketNotifier on the other
// end reads it in the event loop of the thread that made the object. One
// object at a time; its destructor puts back the handlers it replaced.
#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

#include <signal.h>

namespace orlane {

class TerminationSignals final : public QObject {
  Q_OBJECT

 public:
  explicit TerminationSignals(QObject* parent = nullptr);
  ~TerminationSignals() override;
  Q_DISABLE_COPY_MOVE(TerminationSignals)

  // False when the socket pair or the handlers could not be set up (or
  // another object holds them).
  bool isActive() const { return active_; }

 Q_SIGNALS:
  void received(int signalNumber);

 private:
  void readPending();

  bool active_ = false;
  std::unique_ptr<QSocketNotifier> notifier_;
  struct sigaction oldTerm_ {};
  struct sigaction oldHup_ {};
};

}  // namespace orlane
