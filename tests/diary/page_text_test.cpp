// The page text reader as the command line uses it: no GUI application.
#include "diary/page_text.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace orlane;

TEST(PageText, libreOfficePage_textAndPictureWithoutAGuiApplication) {
  QFile file(QString(ORLANE_DIARY_GOLDEN) + "/libreoffice_formats.rtf");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const RtfPageText page = ReadRtfPageText(file.readAll());
  EXPECT_TRUE(page.readable);
  EXPECT_TRUE(page.hasObject);
  EXPECT_TRUE(page.text.startsWith("Plain start, bold words, italic words"));
  EXPECT_TRUE(page.text.contains(QString::fromUtf8("Größe, Ærø and the euro sign €")));
}

TEST(PageText, plainPagesAndBytesThatAreNotRtf) {
  const RtfPageText plain = ReadRtfPageText("{\\rtf1 one\\par two\\par}");
  EXPECT_EQ(plain.text, "one\ntwo");
  EXPECT_FALSE(plain.hasObject);
  const RtfPageText garbage = ReadRtfPageText("\x01\x02 not rtf");
  EXPECT_FALSE(garbage.readable);
  EXPECT_TRUE(garbage.text.isEmpty());
}
