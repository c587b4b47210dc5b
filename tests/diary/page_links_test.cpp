#include "diary/page_links.h"

#include <gtest/gtest.h>

using orlane::LinkAt;

TEST(PageLinks, findsTheLinkUnderThePosition) {
  const QString text = QStringLiteral("See https://example.org/a?b=1, or www.orlane.example.org. Mail mailto:me@x.org");
  EXPECT_EQ(LinkAt(text, 6), QStringLiteral("https://example.org/a?b=1"));
  EXPECT_EQ(LinkAt(text, 2), QString());
  EXPECT_EQ(LinkAt(text, 36), QStringLiteral("http://www.orlane.example.org"));
  EXPECT_EQ(LinkAt(text, 57), QString());  // the full stop after the address
  EXPECT_EQ(LinkAt(text, 70), QStringLiteral("mailto:me@x.org"));
  EXPECT_EQ(LinkAt(QString(), 0), QString());
}
