#include "platform/notification_messages.h"

#include <QMetaType>

namespace orlane {

namespace {
std::optional<quint32> ReadId(const QVariant& value) {
  if (value.metaType().id() != QMetaType::UInt) return std::nullopt;
  const quint32 id = value.toUInt();
  if (id == 0) return std::nullopt;
  return id;
}
}  // namespace

std::optional<quint32> ReadNotifyReply(const QVariantList& arguments) {
  if (arguments.size() != 1) return std::nullopt;
  return ReadId(arguments[0]);
}

std::optional<NotificationAction> ReadActionInvoked(const QVariantList& arguments) {
  if (arguments.size() != 2 || arguments[1].metaType().id() != QMetaType::QString) return std::nullopt;
  const std::optional<quint32> id = ReadId(arguments[0]);
  const QString key = arguments[1].toString();
  if (!id || key.isEmpty() || key.size() > kMaxActionKeyLength) return std::nullopt;
  return NotificationAction{*id, key};
}

std::optional<NotificationClosed> ReadNotificationClosed(const QVariantList& arguments) {
  if (arguments.size() != 2 || arguments[1].metaType().id() != QMetaType::UInt) return std::nullopt;
  const std::optional<quint32> id = ReadId(arguments[0]);
  if (!id) return std::nullopt;
  const quint32 reason = arguments[1].toUInt();
  const bool known = reason >= 1 && reason <= 3;
  return NotificationClosed{*id,
                            known ? static_cast<NotificationCloseReason>(reason) : NotificationCloseReason::Undefined};
}

}  // namespace orlane
