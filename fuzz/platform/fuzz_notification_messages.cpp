// Any bytes as the arguments of what the notification server sends (the
// reply of Notify, ActionInvoked, NotificationClosed): the first byte picks
// the message, then each argument is a type byte and its value. Whatever
// the readers accept has an id other than 0 and a key within its limit.
#include "platform/notification_messages.h"

#include <QStringList>
#include <QVariantList>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace {
class Bytes {
 public:
  Bytes(const std::uint8_t* data, size_t size) : data_(data), size_(size) {}
  bool empty() const { return at_ >= size_; }
  std::uint8_t byte() { return empty() ? 0 : data_[at_++]; }
  quint32 word() {
    quint32 w = 0;
    for (int i = 0; i < 4; ++i) w = (w << 8) | byte();
    return w;
  }
  QByteArray run() {
    const size_t n = std::min<size_t>(byte(), size_ - std::min(at_, size_));
    QByteArray bytes(reinterpret_cast<const char*>(data_ + at_), static_cast<qsizetype>(n));
    at_ += n;
    return bytes;
  }

 private:
  const std::uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

QVariant Argument(Bytes& in) {
  switch (in.byte() % 7) {
    case 0: return QVariant::fromValue(in.word());
    case 1: return QVariant::fromValue(static_cast<qint32>(in.word()));
    case 2: return QString::fromUtf8(in.run());
    case 3: return in.run();
    case 4: return QStringList{QString::fromUtf8(in.run()), QString::fromUtf8(in.run())};
    case 5: return QVariant::fromValue(static_cast<uchar>(in.byte()));
    default: return QVariant();
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  Bytes in(data, size);
  const int which = in.byte() % 3;
  QVariantList arguments;
  while (!in.empty() && arguments.size() < 8) arguments << Argument(in);
  if (which == 0) {
    if (const auto id = orlane::ReadNotifyReply(arguments); id && *id == 0) std::abort();
  } else if (which == 1) {
    if (const auto action = orlane::ReadActionInvoked(arguments);
        action && (action->id == 0 || action->key.isEmpty() || action->key.size() > orlane::kMaxActionKeyLength))
      std::abort();
  } else {
    if (const auto closed = orlane::ReadNotificationClosed(arguments); closed && closed->id == 0) std::abort();
  }
  return 0;
}
