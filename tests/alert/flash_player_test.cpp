#include "controls/flash_player.h"

#include "swf_files.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QContextMenuEvent>
#include <QImage>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QThread>
#include <QWidget>

namespace orlane {
namespace {

using test::MakeSwf;
using test::SwfSpec;

class FlashTest : public ::testing::Test {
 protected:
  QString Movie(const SwfSpec& movieHeader, bool compressed, const QString& name = QStringLiteral("movie.swf")) {
    const QString path = dir_.filePath(name);
    EXPECT_TRUE(test::WriteBytes(path, MakeSwf(movieHeader, compressed)));
    return path;
  }
  QTemporaryDir dir_;
  QWidget host_;
};

TEST_F(FlashTest, create_needsAParentAndLoadsTheMovie) {
  NFlash orphan;
  EXPECT_FALSE(orphan.Create(QString(), QRect(0, 0, 10, 10), nullptr, 1));

  NFlash empty(&host_);
  ASSERT_TRUE(empty.Create(QString(), QRect(1, 2, 30, 40), &host_, 7));
  EXPECT_EQ(empty.FrameCount(), -1);
  EXPECT_EQ(empty.geometry(), QRect(1, 2, 30, 40));
  EXPECT_EQ(empty.Id(), 7);
  EXPECT_FALSE(empty.IsPlaying());
  EXPECT_FALSE(empty.TimerRunning());

  SwfSpec movieHeader;
  movieHeader.frameCount = 30;
  for (bool compressed : {false, true}) {
    NFlash flash(&host_);
    ASSERT_TRUE(flash.Create(Movie(movieHeader, compressed), QRect(0, 0, 100, 80), &host_, 1));
    EXPECT_EQ(flash.FrameCount(), 30);
    EXPECT_EQ(flash.CurrentFrame(), 1);
    EXPECT_EQ(flash.MovieName(), QStringLiteral("movie.swf"));
  }
}

TEST_F(FlashTest, playingMovie_stopsOnItsLastFrame) {
  SwfSpec movieHeader;
  movieHeader.frameRate256 = 10 * 256;  // one frame a tick
  movieHeader.frameCount = 5;
  NFlash flash(&host_);
  ASSERT_TRUE(flash.Create(Movie(movieHeader, false), QRect(0, 0, 100, 80), &host_, 1));
  flash.Play();
  EXPECT_TRUE(flash.IsPlaying());
  EXPECT_TRUE(flash.TimerRunning());
  for (int i = 2; i <= 4; ++i) {
    flash.Tick();
    EXPECT_EQ(flash.CurrentFrame(), i);
    EXPECT_TRUE(flash.IsPlaying());
  }
  flash.Tick();
  EXPECT_EQ(flash.CurrentFrame(), 5);
  EXPECT_FALSE(flash.IsPlaying());
  EXPECT_FALSE(flash.TimerRunning());
  flash.Tick();  // a late tick leaves it on the last frame
  EXPECT_EQ(flash.CurrentFrame(), 5);
}

TEST_F(FlashTest, timeline_followsTheFrameRate) {
  SwfSpec movieHeader;
  movieHeader.frameRate256 = 5 * 256;  // half a frame a tick
  movieHeader.frameCount = 100;
  NFlash slow(&host_);
  ASSERT_TRUE(slow.Create(Movie(movieHeader, false, QStringLiteral("slow.swf")), QRect(0, 0, 50, 50), &host_, 1));
  slow.Play();
  for (int i = 0; i < 10; ++i) slow.Tick();  // one second
  EXPECT_EQ(slow.CurrentFrame(), 6);

  movieHeader.frameRate256 = 30 * 256;  // three frames a tick
  NFlash fast(&host_);
  ASSERT_TRUE(fast.Create(Movie(movieHeader, true, QStringLiteral("fast.swf")), QRect(0, 0, 50, 50), &host_, 1));
  fast.Play();
  for (int i = 0; i < 10; ++i) fast.Tick();
  EXPECT_EQ(fast.CurrentFrame(), 31);
}

TEST_F(FlashTest, unreadableMovie_runsUntilPlayingIsSwitchedOff) {
  const QString path = dir_.filePath(QStringLiteral("bad.swf"));
  ASSERT_TRUE(test::WriteBytes(path, QByteArray("not a movie at all")));
  NFlash flash(&host_);
  ASSERT_TRUE(flash.Create(path, QRect(0, 0, 50, 50), &host_, 1));
  EXPECT_EQ(flash.FrameCount(), -1);
  flash.Play();
  for (int i = 0; i < 20; ++i) flash.Tick();
  EXPECT_TRUE(flash.TimerRunning());
  EXPECT_TRUE(flash.IsPlaying());
  flash.SetPlaying(false);
  EXPECT_FALSE(flash.TimerRunning());
  flash.SetPlaying(true);
  EXPECT_TRUE(flash.TimerRunning());
}

TEST_F(FlashTest, realTimer_advancesTheTimeline) {
  SwfSpec movieHeader;
  movieHeader.frameRate256 = 10 * 256;
  movieHeader.frameCount = 3;
  NFlash flash(&host_);
  ASSERT_TRUE(flash.Create(Movie(movieHeader, false), QRect(0, 0, 50, 50), &host_, 1));
  flash.Play();
  for (int i = 0; i < 100 && flash.IsPlaying(); ++i) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(20);
  }
  EXPECT_FALSE(flash.IsPlaying());
  EXPECT_EQ(flash.CurrentFrame(), 3);
}

TEST_F(FlashTest, paint_showsTheStageColour) {
  SwfSpec movieHeader;
  movieHeader.rgb = 0x102030;
  NFlash flash(&host_);
  ASSERT_TRUE(flash.Create(Movie(movieHeader, true), QRect(0, 0, 120, 90), &host_, 1));
  QImage image(flash.size(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  flash.render(&image);
  EXPECT_EQ(image.pixel(5, 5) & 0xFFFFFF, 0x102030u);
  EXPECT_EQ(image.pixel(110, 80) & 0xFFFFFF, 0x102030u);
  EXPECT_EQ(flash.StageColor(), QColor(0x10, 0x20, 0x30));
}

TEST_F(FlashTest, rightButton_isSwallowed) {
  SwfSpec movieHeader;
  NFlash flash(&host_);
  ASSERT_TRUE(flash.Create(Movie(movieHeader, false), QRect(0, 0, 50, 50), &host_, 1));
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(10, 10), Qt::RightButton, Qt::RightButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&flash, &press);
  EXPECT_TRUE(press.isAccepted());
  QContextMenuEvent menu(QContextMenuEvent::Mouse, QPoint(10, 10), flash.mapToGlobal(QPoint(10, 10)));
  QApplication::sendEvent(&flash, &menu);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(flash.contextMenuPolicy(), Qt::PreventContextMenu);
}

}  // namespace
}  // namespace orlane
