// DesktopNotifier: notifications of the desktop's notification server,
// org.freedesktop.Notifications on the session bus. The caller names each
// notification by a token of its own; the server's ids stay in here. Calls
// never wait: the server's answer arrives later, and a notification closed
// before it arrived is closed then. Without a session bus or a server nothing
// is shown and nothing is said.
#pragma once

#include "platform/notification_messages.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <map>
#include <set>

class QDBusMessage;

namespace orlane {

class DesktopNotifier final : public QObject {
  Q_OBJECT

 public:
  struct Notification {
    QString appName;
    QString icon;          // an icon name of the theme
    QString desktopEntry;  // the desktop file's name without ".desktop"
    QString summary;
    QString body;         // plain text; escaped for servers that read markup
    QStringList actions;  // key, label, key, label, ...
    bool critical = false;
  };

  explicit DesktopNotifier(QObject* parent = nullptr);
  ~DesktopNotifier() override;
  Q_DISABLE_COPY_MOVE(DesktopNotifier)

  void show(int token, const Notification& notification);
  // Takes the notification off the screen; no closed() follows.
  void close(int token);
  // Sent and not closed (the server may not have answered yet).
  bool isOpen(int token) const { return pending_.count(token) > 0 || ids_.count(token) > 0; }

 Q_SIGNALS:
  void actionInvoked(int token, const QString& key);
  // Closed by the server or the person, not by close().
  void closed(int token, NotificationCloseReason reason);

 private Q_SLOTS:
  void onActionInvoked(const QDBusMessage& message);
  void onNotificationClosed(const QDBusMessage& message);

 private:
  bool connectBus();
  void answered(int token, std::optional<quint32> id);
  void closeOnServer(quint32 id) const;
  int tokenOf(quint32 id) const;

  std::map<int, quint32> ids_;  // token -> the server's id
  std::set<int> pending_;       // sent, not answered yet
  bool connected_ = false;
  bool triedBus_ = false;
};

}  // namespace orlane
