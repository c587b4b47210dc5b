#include "platform/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QVariantMap>

namespace orlane {

namespace {
const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
constexpr uchar kUrgencyCritical = 2;
constexpr int kNeverExpires = 0;

QDBusMessage Call(const QString& method) {
  return QDBusMessage::createMethodCall(kService, kPath, kInterface, method);
}
}  // namespace

DesktopNotifier::DesktopNotifier(QObject* parent) : QObject(parent) {}

DesktopNotifier::~DesktopNotifier() {
  for (const auto& [token, id] : ids_) closeOnServer(id);
}

bool DesktopNotifier::connectBus() {
  if (triedBus_) return connected_;
  triedBus_ = true;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  // Only the server's own signals: another program on the bus cannot fake an answer.
  connected_ = bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                           SLOT(onActionInvoked(QDBusMessage))) &&
               bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                           SLOT(onNotificationClosed(QDBusMessage)));
  return connected_;
}

void DesktopNotifier::show(int token, const Notification& notification) {
  close(token);
  if (!connectBus()) return;
  QVariantMap hints;
  if (notification.critical) hints.insert(QStringLiteral("urgency"), QVariant::fromValue(kUrgencyCritical));
  if (!notification.desktopEntry.isEmpty()) hints.insert(QStringLiteral("desktop-entry"), notification.desktopEntry);
  QDBusMessage call = Call(QStringLiteral("Notify"));
  call << notification.appName << quint32{0} << notification.icon << notification.summary
       << notification.body.toHtmlEscaped() << notification.actions << hints << qint32{kNeverExpires};
  pending_.insert(token);
  auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
  connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, token](QDBusPendingCallWatcher* w) {
    w->deleteLater();
    const QDBusMessage reply = w->reply();
    answered(token, reply.type() == QDBusMessage::ReplyMessage ? ReadNotifyReply(reply.arguments()) : std::nullopt);
  });
}

void DesktopNotifier::answered(int token, std::optional<quint32> id) {
  // No server, or one that answered nonsense: the alert window shows alone.
  if (pending_.erase(token) == 0) {
    if (id) closeOnServer(*id);  // closed before the server answered
    return;
  }
  if (id) ids_[token] = *id;
}

void DesktopNotifier::close(int token) {
  pending_.erase(token);
  const auto found = ids_.find(token);
  if (found == ids_.end()) return;
  closeOnServer(found->second);
  ids_.erase(found);
}

void DesktopNotifier::closeOnServer(quint32 id) const {
  QDBusMessage call = Call(QStringLiteral("CloseNotification"));
  call << id;
  QDBusConnection::sessionBus().send(call);
}

int DesktopNotifier::tokenOf(quint32 id) const {
  for (const auto& [token, shownId] : ids_)
    if (shownId == id) return token;
  return -1;
}

void DesktopNotifier::onActionInvoked(const QDBusMessage& message) {
  const std::optional<NotificationAction> action = ReadActionInvoked(message.arguments());
  if (!action) return;
  const int token = tokenOf(action->id);
  if (token >= 0) Q_EMIT actionInvoked(token, action->key);
}

void DesktopNotifier::onNotificationClosed(const QDBusMessage& message) {
  const std::optional<NotificationClosed> closedOne = ReadNotificationClosed(message.arguments());
  if (!closedOne) return;
  const int token = tokenOf(closedOne->id);
  if (token < 0) return;
  ids_.erase(token);
  Q_EMIT closed(token, closedOne->reason);
}

}  // namespace orlane
