#include "app/day_store.h"
#include "days/day_files.h"
#include "diary/page_objects.h"
#include "diary/rtf_picture.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "reminders/reminder_store.h"
#include "security/scramble.h"
#include "support/picture_pages.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QtEndian>

#include <sys/resource.h>

using namespace orlane;

namespace {
long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

struct PageImages {
  int kept = 0;
  int shown = 0;
};
PageImages CountImages(const QTextDocument& document) {
  PageImages count;
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (it.fragment().charFormat().isImageFormat())
        ++(IsKeptRtf(it.fragment().charFormat()) ? count.kept : count.shown);
  return count;
}

QByteArray PageWithPngs(const QList<QByteArray>& pngs) {
  QTextDocument document;
  QTextCursor cursor(&document);
  cursor.insertText(QStringLiteral("Before the pictures "));
  for (const QByteArray& png : pngs) InsertPageImage(cursor, png);
  cursor.insertText(QStringLiteral(" after them."));
  return RtfWriter().write(document);
}
}  // namespace

TEST(PageBudget, hugeOneColourPngIsKeptUnreadAndTheDayFileStaysByteIdentical) {
  const QByteArray bomb = test::OneColourPng(30000, 30000);
  ASSERT_LT(bomb.size(), 200 * 1024);
  test::TempUserFolder folder;
  const QString key = QStringLiteral("07ea0101");
  folder.write(key + QStringLiteral(".dia"), WrapWithPasswordHeader(PageWithPngs({bomb}), "pw"));
  const QByteArray before = folder.read(key + QStringLiteral(".dia"));

  const long peakBefore = PeakKilobytes();
  LoadedDay loaded = LoadDay(key, "pw");
  ASSERT_EQ(loaded.diary, DiaryPageState::Shown);
  QTextDocument document;
  RtfReader reader;
  ASSERT_TRUE(reader.read(loaded.diaryRtf, document));
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  // Laid out and painted, as the editor shows it.
  document.setTextWidth(600);
  QImage screen(600, 400, QImage::Format_RGB32);
  QPainter painter(&screen);
  document.drawContents(&painter);
  painter.end();
  // Decoding would need 3.6 GB; the placeholder needs almost nothing.
  EXPECT_LT(PeakKilobytes() - peakBefore, 300 * 1024);
  EXPECT_EQ(CountImages(document).kept, 1);
  EXPECT_EQ(CountImages(document).shown, 0);

  // Saved as if edited (the writer runs): the same bytes come back.
  DayContent content;
  content.diaryModified = true;
  content.diaryEmpty = document.isEmpty();
  content.diaryRtf = RtfWriter().write(document);
  ReminderStore reminders;
  EXPECT_FALSE(SaveDay(loaded, content, "pw", reminders).failed);
  EXPECT_EQ(folder.read(key + QStringLiteral(".dia")), before);
}

TEST(PageBudget, picturesBeyondThePagesBudgetAreKeptNotDropped) {
  // Four pictures of 36 megapixels each: three fit the page, the fourth does not.
  const QByteArray big = test::OneColourPng(6000, 6000);
  const QByteArray small = test::OneColourPng(10, 10);
  const QByteArray rtf = PageWithPngs({big, big, big, small, big});
  QTextDocument document;
  ASSERT_TRUE(RtfReader().read(rtf, document));
  EXPECT_EQ(CountImages(document).shown, 4);
  EXPECT_EQ(CountImages(document).kept, 1);
  EXPECT_EQ(RtfWriter().write(document), rtf);

  // A bitmap header that declares more than a picture may be is not decoded.
  QByteArray dib(40, '\0');
  dib[0] = 40;
  qToLittleEndian<qint32>(100000, dib.data() + 4);
  qToLittleEndian<qint32>(100000, dib.data() + 8);
  dib[12] = 1;
  dib[14] = 1;
  dib += QByteArray(64, '\xFF');
  QByteArray hex;
  AppendHexLines(dib, hex);
  const QByteArray page = "{\\rtf1{\\pict\\dibitmap0\\picw100000\\pich100000\n" + hex + "}}";
  QTextDocument hostile;
  ASSERT_TRUE(RtfReader().read(page, hostile));
  EXPECT_EQ(CountImages(hostile).kept, 1);
  EXPECT_TRUE(RtfWriter().write(hostile).contains("{\\pict\\dibitmap0\\picw100000\\pich100000\n" + hex + "}"));
}

TEST(PageBudget, longBulletListsReadAsBulletsThroughout) {
  QTextDocument document;
  ASSERT_TRUE(RtfReader().read(test::ListPageRtf(1000, true), document));
  int bullets = 0;
  for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
    if (b.textList() && b.textList()->format().style() == QTextListFormat::ListDisc) ++bullets;
  EXPECT_EQ(bullets, 1000);
  // Written and read again, the page is the same.
  const QByteArray once = RtfWriter().write(document);
  QTextDocument again;
  ASSERT_TRUE(RtfReader().read(once, again));
  EXPECT_EQ(RtfWriter().write(again), once);
}
