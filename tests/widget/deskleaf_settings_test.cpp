#include "widget/deskleaf_settings.h"
#include "support/random_bytes.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(DeskleafSettings, defaultsAre41BytesInFieldOrder) {
  const QByteArray bytes = SerializeDeskleafSettings({});
  ASSERT_EQ(bytes.size(), kDeskleafSettingsSize);
  EXPECT_EQ(bytes.left(12), QByteArray("\x01\0\0\0\x01\0\0\0\x01\0\0\0", 12));
  EXPECT_EQ(static_cast<quint8>(bytes[12]), 195);
  EXPECT_EQ(bytes.mid(29, 4), QByteArray("\x5F\x01\0\0", 4));  // 351
  EXPECT_EQ(bytes.mid(33, 4), QByteArray("\xE6\0\0\0", 4));    // 230
}

TEST(DeskleafSettings, roundTripAndShortFiles) {
  test::TempUserFolder folder;
  DeskleafSettings s;
  s.showClock = 0;
  s.opacity = 85;
  s.left = -20;
  s.top = 40;
  s.right = 232;
  s.bottom = 190;
  s.width = kDeskleafSmallWidth;
  s.height = kDeskleafSmallHeight;
  s.showReminders = 0;
  const QString path = folder.file(QStringLiteral("Deskleaf.cfg"));
  ASSERT_EQ(WriteDeskleafSettings(path, s), WriteResult::Written);
  EXPECT_EQ(ReadDeskleafSettings(path), s);

  folder.write(QStringLiteral("Deskleaf.cfg"), SerializeDeskleafSettings(s).left(13));
  DeskleafSettings cut = ReadDeskleafSettings(path);
  EXPECT_EQ(cut.showClock, 0);
  EXPECT_EQ(cut.opacity, 85);
  EXPECT_EQ(cut.width, kDeskleafBigWidth);
  EXPECT_EQ(cut.showReminders, 1);
  EXPECT_EQ(ReadDeskleafSettings(folder.file(QStringLiteral("none.cfg"))), DeskleafSettings{});
}

TEST(DeskleafSettings, sanitisingKeepsTheWidgetUsable) {
  DeskleafSettings odd;
  odd.showCalendar = 7;
  odd.opacity = 3;
  odd.width = 5000;
  odd.height = 12;
  const DeskleafSettings s = SanitizedDeskleafSettings(odd);
  EXPECT_EQ(s.showCalendar, 1);
  EXPECT_EQ(s.opacity, 195);
  EXPECT_EQ(s.width, kDeskleafBigWidth);
  EXPECT_EQ(s.height, kDeskleafBigHeight);
  test::RandomBytes random(3);
  for (int i = 0; i < 500; ++i) {
    DeskleafSettings r;
    ParseDeskleafSettings(random.bytes(60), r);
    SanitizedDeskleafSettings(r);
  }
}
