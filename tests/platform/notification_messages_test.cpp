#include "platform/notification_messages.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace orlane;

namespace {
QVariant U(quint32 v) {
  return QVariant::fromValue(v);
}
}  // namespace

TEST(NotificationMessages, wellFormedMessagesRead) {
  EXPECT_EQ(ReadNotifyReply({U(7)}), 7u);
  const auto action = ReadActionInvoked({U(7), QStringLiteral("snooze")});
  ASSERT_TRUE(action);
  EXPECT_EQ(action->id, 7u);
  EXPECT_EQ(action->key, QStringLiteral("snooze"));
  const auto closed = ReadNotificationClosed({U(7), U(2)});
  ASSERT_TRUE(closed);
  EXPECT_EQ(closed->reason, NotificationCloseReason::Dismissed);
}

TEST(NotificationMessages, hostileArgumentsReadAsNothing) {
  // Missing, extra or mistyped arguments, id 0, empty and oversized keys.
  EXPECT_FALSE(ReadNotifyReply({}));
  EXPECT_FALSE(ReadNotifyReply({U(0)}));
  EXPECT_FALSE(ReadNotifyReply({U(1), U(2)}));
  EXPECT_FALSE(ReadNotifyReply({QVariant::fromValue(qint32{-1})}));
  EXPECT_FALSE(ReadNotifyReply({QStringLiteral("7")}));
  EXPECT_FALSE(ReadNotifyReply({QVariant()}));
  EXPECT_FALSE(ReadActionInvoked({U(7)}));
  EXPECT_FALSE(ReadActionInvoked({U(7), QByteArray("snooze")}));
  EXPECT_FALSE(ReadActionInvoked({U(7), QStringList{QStringLiteral("snooze")}}));
  EXPECT_FALSE(ReadActionInvoked({U(0), QStringLiteral("snooze")}));
  EXPECT_FALSE(ReadActionInvoked({U(7), QString()}));
  EXPECT_FALSE(ReadActionInvoked({U(7), QString(kMaxActionKeyLength + 1, QLatin1Char('x'))}));
  EXPECT_FALSE(ReadActionInvoked({U(7), QStringLiteral("snooze"), U(1)}));
  EXPECT_FALSE(ReadNotificationClosed({U(7), QStringLiteral("2")}));
  EXPECT_FALSE(ReadNotificationClosed({U(0), U(2)}));
  // An unknown reason is still a closed notification, of no known cause.
  const auto closed = ReadNotificationClosed({U(7), U(0xffffffff)});
  ASSERT_TRUE(closed);
  EXPECT_EQ(closed->reason, NotificationCloseReason::Undefined);
}
