#include "platform/termination_signals.h"

#include <sys/socket.h>
#include <unistd.h>
#include <cerrno>

namespace orlane {

namespace {
int signalPipe[2] = {-1, -1};  // [0] read in the event loop, [1] written by the handler

void OnSignal(int number) {
  const int saved = errno;
  const char byte = static_cast<char>(number);
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}
}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {
  if (signalPipe[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, signalPipe) != 0) {
    signalPipe[0] = signalPipe[1] = -1;
    return;
  }
  notifier_ = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
  connect(notifier_.get(), &QSocketNotifier::activated, this, &TerminationSignals::readPending);
  struct sigaction action {};
  action.sa_handler = &OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  active_ = ::sigaction(SIGTERM, &action, &oldTerm_) == 0 && ::sigaction(SIGHUP, &action, &oldHup_) == 0;
}

TerminationSignals::~TerminationSignals() {
  if (!notifier_) return;
  ::sigaction(SIGTERM, &oldTerm_, nullptr);
  ::sigaction(SIGHUP, &oldHup_, nullptr);
  notifier_.reset();
  ::close(signalPipe[0]);
  ::close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignals::readPending() {
  char bytes[16];
  for (;;) {
    const ssize_t n = ::read(signalPipe[0], bytes, sizeof bytes);
    if (n <= 0) return;
    for (ssize_t i = 0; i < n; ++i) Q_EMIT received(static_cast<unsigned char>(bytes[i]));
  }
}

}  // namespace orlane
