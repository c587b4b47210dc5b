// What the desktop's notification server (org.freedesktop.Notifications)
// sends back, read from the arguments of its messages. Nothing the server
// sends is trusted: a reply or signal of another shape, an id of 0 or an
// action key longer than kMaxActionKeyLength reads as nothing.
#pragma once

#include <QString>
#include <QVariantList>
#include <optional>

namespace orlane {

inline constexpr int kMaxActionKeyLength = 64;

// The reply of Notify: the notification's id.
std::optional<quint32> ReadNotifyReply(const QVariantList& arguments);

struct NotificationAction {
  quint32 id = 0;
  QString key;
};
// The signal ActionInvoked(u id, s action_key).
std::optional<NotificationAction> ReadActionInvoked(const QVariantList& arguments);

enum class NotificationCloseReason : quint32 { Expired = 1, Dismissed = 2, Closed = 3, Undefined = 4 };
struct NotificationClosed {
  quint32 id = 0;
  NotificationCloseReason reason = NotificationCloseReason::Undefined;
};
// The signal NotificationClosed(u id, u reason); an unknown reason reads as Undefined.
std::optional<NotificationClosed> ReadNotificationClosed(const QVariantList& arguments);

}  // namespace orlane
