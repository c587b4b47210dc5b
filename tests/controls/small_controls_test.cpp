#include "bitmap_files.h"
#include "controls/any_day_picker.h"
#include "controls/bar_ctrl.h"
#include "controls/bv_title.h"
#include "controls/color_label.h"
#include "controls/color_list_box.h"
#include "controls/dib_image.h"
#include "controls/first_paint.h"
#include "controls/picker_fields.h"
#include "controls/wait_dlg.h"
#include "res/resources.h"
#include "widget_probe.h"

#include <gtest/gtest.h>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <thread>

using namespace orlane;
using namespace orlane::test;

TEST(BarCtrl, positionOutsideTheRangeIsRefusedAndChangesNothing) {
  QWidget parent;
  CBarCtrl bar(QRect(0, 0, 102, 12), &parent);
  bar.SetRange(10, 20);
  EXPECT_EQ(bar.SetPos(15), 1);
  EXPECT_EQ(bar.SetPos(21), 0);
  EXPECT_EQ(bar.SetPos(9), 0);
  EXPECT_EQ(bar.Pos(), 15);
  bar.SetRange(5, 5);  // empty range ignored
  EXPECT_EQ(bar.Minimum(), 10);
}

TEST(BarCtrl, fillGrowsFromTheLeftAndStopsShortOfTheRightEdge) {
  EXPECT_EQ(BarFillWidth(50, 0, 100, 200), 100);
  EXPECT_EQ(BarFillWidth(15, 10, 20, 100), 50);
  EXPECT_EQ(BarFillWidth(0, 0, 100, 200), 0);
  EXPECT_EQ(BarFillWidth(7, 0, 0, 200), 0);

  QWidget parent;
  CBarCtrl bar(QRect(0, 0, 102, 12), &parent);
  bar.SetColor(MakeColorRef(10, 20, 30));
  bar.SetPos(50);
  QImage image = Render(bar);
  EXPECT_EQ(Pixel(image, 1, 5), MakeColorRef(10, 20, 30));
  EXPECT_EQ(Pixel(image, 50, 5), MakeColorRef(10, 20, 30));
  EXPECT_EQ(Pixel(image, 51, 5), MakeColorRef(255, 0, 255));
  EXPECT_EQ(Pixel(image, 0, 5), MakeColorRef(255, 0, 255));
  bar.SetPos(100);
  bar.SetEdge(true);
  image = Render(bar);
  EXPECT_EQ(Pixel(image, 99, 5), MakeColorRef(10, 20, 30));
  EXPECT_EQ(Pixel(image, 0, 5), syscolor::kBtnShadow);  // sunken edge
  EXPECT_EQ(Pixel(image, 101, 5), syscolor::kBtnHighlight);
}

TEST(ColorLabel, opaqueTransparentAndPictureModes) {
  QWidget parent;
  CColorLabel label(QString(), QRect(0, 0, 40, 20), &parent);
  label.SetBackgroundColor(MakeColorRef(1, 2, 3));
  QImage image = Render(label);
  EXPECT_EQ(Pixel(image, 20, 10), MakeColorRef(1, 2, 3));
  label.SetTransparent(true);
  image = Render(label);
  EXPECT_EQ(Pixel(image, 20, 10), MakeColorRef(255, 0, 255));
  EXPECT_EQ(label.SetPicture(QStringLiteral("/nonexistent.bmp")), 0);
}

TEST(ColorListBox, itemsMeasureTheirTextAndSelectionIsFramedBlue) {
  CColorListBox list;
  list.resize(150, 100);
  const int textHeight = MeasureGdiText(list.font(), QStringLiteral("W"), kDtSingleLine).height();
  EXPECT_EQ(list.MeasureItem(QString()), textHeight + 3);
  list.SetItemHeight(18);
  EXPECT_EQ(list.MeasureItem(QStringLiteral("x")), 18);
  list.addItems({QStringLiteral("2026-12-08 Diary"), QStringLiteral("2026-12-09 Reminder")});
  list.setCurrentRow(1);
  EXPECT_EQ(list.RememberedSelection(), 1);
  list.show();
  QCoreApplication::processEvents();
  const QRect second = list.visualItemRect(list.item(1));
  const QImage image = list.viewport()->grab().toImage();
  EXPECT_EQ(Pixel(image, second.right() - 2, second.center().y()), MakeColorRef(100, 150, 200));
  EXPECT_EQ(Pixel(image, second.right() - 2, second.top()), MakeColorRef(180, 219, 250));
  list.ResetContent();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.RememberedSelection(), -1);
}

TEST(AnyDayPicker, calendarIsMadeOnlyWhenThePopupOpensAndOpensPreparedAtTheAnchor) {
  QWidget window;
  window.resize(300, 100);
  auto* picker = new AnyDayPicker(&window);
  picker->setGeometry(10, 10, 200, 24);
  picker->SetAnchor([] { return QDate(2026, 3, 17); });
  ApplyDateSettings(picker, 0, 1);
  ApplyDateSettings(picker, 0, 1);  // once more: still one preparer, one filter
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(picker->findChild<QCalendarWidget*>(), nullptr);

  // A person opens it with a click on the arrow.
  QTest::mouseMove(picker, QPoint(picker->width() - 8, 12));
  QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(picker->width() - 8, 12));
  auto* calendar = picker->findChild<QCalendarWidget*>();
  ASSERT_NE(calendar, nullptr);
  EXPECT_TRUE(QTest::qWaitForWindowExposed(calendar->window()));
  EXPECT_EQ(calendar->firstDayOfWeek(), Qt::Sunday);
  EXPECT_EQ(calendar->selectedDate(), QDate(2026, 3, 17));
  EXPECT_TRUE(picker->IsAnyDay());

  // Settings changed later reach the calendar that exists now.
  ApplyDateSettings(picker, 0, 2);
  EXPECT_EQ(calendar->firstDayOfWeek(), Qt::Monday);
  EXPECT_EQ(PreparedCalendar(picker), calendar);
  calendar->window()->close();  // the pop-up holds the mouse while open
}

TEST(AfterFirstPaint, runsAtOnceForAHiddenWindowAndOnceAfterAShownWindowsFirstPaint) {
  QWidget hidden;
  bool ranAtOnce = false;
  AfterFirstPaint(hidden, [&] { ranAtOnce = true; });
  EXPECT_TRUE(ranAtOnce);

  QWidget window;
  window.resize(60, 40);
  window.show();
  int runs = 0;
  AfterFirstPaint(window, [&] { ++runs; });
  EXPECT_EQ(runs, 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return runs == 1; }, 1500));
  window.repaint();
  QTest::qWait(20);
  EXPECT_EQ(runs, 1);
}

TEST(WaitDlg, closesWhenProgressReachesTheMaximumEvenBeforeDone) {
  CWaitDlg::Start(nullptr, QStringLiteral("Searching..."), 40, 3);
  CWaitDlg* dialog = CWaitDlg::Current();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->size(), QSize(300, 130));
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Please Wait..."));
  EXPECT_EQ(dialog->Bar()->Maximum(), 40);
  EXPECT_TRUE(dialog->isVisible());

  // A worker thread reports progress; the GUI thread keeps its event loop.
  std::thread worker([] {
    for (int i = 0; i <= 40; ++i) CWaitDlg::Progress(i);
  });
  worker.join();
  QElapsedTimer timer;
  timer.start();
  while (dialog->isVisible() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(dialog->Bar()->Pos(), 40);
  EXPECT_EQ(CWaitDlg::Current(), dialog);  // still there until done

  CWaitDlg::Done();
  EXPECT_EQ(CWaitDlg::Current(), nullptr);
}

TEST(WaitDlg, doneFromAWorkerEndsItAtTheNextTick) {
  CWaitDlg::Start(nullptr, QString(), 100, 5);
  ASSERT_NE(CWaitDlg::Current(), nullptr);
  EXPECT_EQ(CWaitDlg::Current()->Label()->text(), QStringLiteral("Please Wait..."));
  CWaitDlg::Progress(30);
  std::thread worker([] { CWaitDlg::Done(); });
  worker.join();
  QElapsedTimer timer;
  timer.start();
  while (CWaitDlg::Current() && timer.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  EXPECT_EQ(CWaitDlg::Current(), nullptr);
}

TEST(Resources, everyNumberedIconRendersAndTheBeepIsHalfASecondAt11025) {
  for (int id : {128, 133, 134, 136, 138, 143, 155, 172, 187, 198, 201, 203, 207,
                 213, 218, 237, 244, 245, 250, 251, 253, 261, 274, 306, 311, 316}) {
    const QPixmap pixmap = ResourcePixmap(id, 16);
    ASSERT_FALSE(pixmap.isNull()) << id;
    const QImage image = pixmap.toImage();
    int opaque = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) opaque += qAlpha(image.pixel(x, y)) > 0;
    EXPECT_GT(opaque, 10) << id;
  }
  EXPECT_EQ(ResourceIds().size(), 60);
  EXPECT_TRUE(ResourcePixmap(12345, 16).isNull());
  EXPECT_TRUE(ResourceData(12345).isEmpty());

  const QByteArray wav = ResourceData(kIdBeepWave);
  ASSERT_GE(wav.size(), 44);
  EXPECT_EQ(wav.left(4), QByteArray("RIFF"));
  EXPECT_EQ(wav.mid(8, 8), QByteArray("WAVEfmt "));
  const auto* b = reinterpret_cast<const uchar*>(wav.constData());
  EXPECT_EQ(qFromLittleEndian<quint16>(b + 20), 1);  // PCM
  EXPECT_EQ(qFromLittleEndian<quint16>(b + 22), 1);  // mono
  EXPECT_EQ(qFromLittleEndian<quint32>(b + 24), 11025u);
  EXPECT_EQ(qFromLittleEndian<quint16>(b + 34), 8);
  EXPECT_EQ(qFromLittleEndian<quint32>(b + 40), 11025u / 2);
}

TEST(DibImage, loadsCheckedBitmapsKeepsPaletteOnRequestAndStretchesToOtherSizes) {
  QTemporaryDir dir;
  const QString path = dir.path() + QStringLiteral("/stripes.bmp");
  ASSERT_TRUE(WriteFile(path, Bitmap8(4, 2, {0xFF0000, 0x00FF00}, [](int x) { return x < 2 ? 0 : 1; })));
  CDibImage image;
  EXPECT_EQ(image.Load(QString(), true), 0);
  ASSERT_EQ(image.Load(path, false), 1);
  EXPECT_TRUE(image.Palette().empty());
  ASSERT_EQ(image.Load(path, true), 1);
  EXPECT_EQ(image.Width(), 4);
  EXPECT_EQ(image.Height(), 2);
  ASSERT_EQ(image.Palette().size(), 2u);
  EXPECT_EQ(image.Palette()[1], MakeColorRef(0, 255, 0));

  QImage canvas = Canvas(40, 10);
  {
    QPainter painter(&canvas);
    EXPECT_EQ(image.Draw(painter, QRect(0, 0, 40, 10)), 1);
  }
  EXPECT_EQ(Pixel(canvas, 0, 0), MakeColorRef(255, 0, 0));
  EXPECT_EQ(Pixel(canvas, 19, 9), MakeColorRef(255, 0, 0));
  EXPECT_EQ(Pixel(canvas, 20, 0), MakeColorRef(0, 255, 0));
  EXPECT_EQ(Pixel(canvas, 39, 9), MakeColorRef(0, 255, 0));
  EXPECT_FALSE(image.MakeDeviceBitmap().isNull());

  ASSERT_TRUE(WriteFile(path, QByteArray("GIF89a not a bitmap")));
  EXPECT_EQ(image.Load(path, true), 0);
  EXPECT_FALSE(image.IsLoaded());
  EXPECT_FALSE(image.LastError().isEmpty());
  QImage empty = Canvas(4, 4);
  {
    QPainter painter(&empty);
    EXPECT_EQ(image.Draw(painter, QRect(0, 0, 4, 4), MakeColorRef(9, 8, 7)), 0);
  }
  EXPECT_EQ(Pixel(empty, 3, 3), MakeColorRef(9, 8, 7));
}

TEST(Skins, shippedSkinsAreTwentyFivePixelsHighPaletteBitmaps) {
  for (int theme = 0; theme < kThemeCount; ++theme) {
    const QString path = CBVTitle::SkinPath(theme);
    CDibImage skin;
    ASSERT_EQ(skin.Load(path, true), 1) << path.toStdString();
    EXPECT_EQ(skin.Height(), 25);
    EXPECT_GT(skin.Width(), 0);
    EXPECT_FALSE(skin.Palette().empty());
  }
}
