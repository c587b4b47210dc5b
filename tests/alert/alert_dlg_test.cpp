#include "reminders/alert_dlg.h"

#include "calendar/analog_clock.h"
#include "controls/color_theme.h"
#include "controls/flash_player.h"
#include "controls/mac_button.h"
#include "controls/media_player2.h"
#include "days/title_line.h"
#include "media_files.h"
#include "platform/audio/sim_wave_devices.h"
#include "platform/audio/wave_player.h"
#include "platform/clock.h"
#include "platform/local_time.h"
#include "reminders/alarm_scheduler.h"
#include "reminders/alert_queue.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QImage>
#include <QKeyEvent>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <memory>

namespace orlane {
namespace {

constexpr int kTheme = 3;
constexpr int kLoadWaitMs = 10000;

using test::MakeSwf;
using test::SwfSpec;

class AlertTest : public ::testing::Test {
 protected:
  std::unique_ptr<CReminderAlertDlg> Open(const QString& media, bool repeat = false,
                                          const QString& title = QStringLiteral("Reminder active - 08:30:00"),
                                          const QString& text = QStringLiteral("Dentist")) {
    auto dlg = std::make_unique<CReminderAlertDlg>();
    dlg->SetTheme(kTheme);
    dlg->SetText(text);
    if (repeat) dlg->SetRepeat();
    dlg->SetMedia(media);
    dlg->SetTitle(title);
    dlg->show();
    return dlg;
  }
  QString Path(const QString& name) const { return dir_.filePath(name); }

  QTemporaryDir dir_;
};

TEST_F(AlertTest, noMedia_showsClockAndNoteInTheThemeColours) {
  auto dlg = Open(QString());
  EXPECT_EQ(dlg->size(), QSize(445, 450));
  EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Reminder active - 08:30:00"));
  ASSERT_NE(dlg->Clock(), nullptr);
  EXPECT_TRUE(dlg->Clock()->isVisible());
  EXPECT_EQ(dlg->Clock()->geometry(), QRect(20, 40, 405, 300));
  EXPECT_EQ(dlg->Clock()->parentWidget(), dlg->Client());
  EXPECT_FALSE(dlg->Clock()->Options().showSecondHand);
  const ClockColors& c = dlg->Clock()->Colors();
  EXPECT_EQ(c.background, ThemeColor(kTheme, 1));
  EXPECT_EQ(c.handOutline, ThemeColor(kTheme, 4));
  EXPECT_EQ(c.lightEdge, ThemeColor(kTheme, 2));
  EXPECT_EQ(c.handFill, ThemeColor(kTheme, 3));
  EXPECT_EQ(c.dial, ThemeColor(kTheme, 1));

  QTextEdit* text = dlg->TextControl();
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->geometry(), QRect(20, 343, 400, 97));
  EXPECT_EQ(text->toPlainText(), QStringLiteral("Dentist"));
  EXPECT_FALSE(text->isReadOnly());
  EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  const QColor base = text->palette().color(QPalette::Base);
  EXPECT_EQ(MakeColorRef(base.red(), base.green(), base.blue()), ThemeColor(kTheme, 1));

  EXPECT_EQ(dlg->Player(), nullptr);
  EXPECT_EQ(dlg->Flash(), nullptr);
  EXPECT_FALSE(dlg->TimerActive(CReminderAlertDlg::kMediaTimerId));
  EXPECT_TRUE(dlg->TimerActive(CReminderAlertDlg::kSecondTimerId));
}

TEST_F(AlertTest, paint_clockAndNoteAreasShowColourOne) {
  auto dlg = Open(QString());
  QImage image(dlg->Client()->size(), QImage::Format_RGB32);
  image.fill(Qt::magenta);
  dlg->Client()->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  const ColorRef one = ThemeColor(kTheme, 1);
  auto at = [&](int x, int y) {
    const QRgb c = image.pixel(x, y);
    return MakeColorRef(qRed(c), qGreen(c), qBlue(c));
  };
  EXPECT_EQ(at(22, 42), one);  // clock corner, outside the face
  EXPECT_EQ(at(422, 337), one);
  EXPECT_EQ(at(40, 430), one);  // note area below its one line
  EXPECT_NE(at(22, 42), MakeColorRef(255, 0, 255));
}

TEST_F(AlertTest, emptyNote_keepsNoTitle) {
  auto dlg = Open(QString(), false, QStringLiteral("Reminder test - 09:00:00"), QString());
  EXPECT_EQ(dlg->TextControl()->toPlainText(), QStringLiteral("No Title."));
}

TEST_F(AlertTest, beepOnly_beepsOnEverySecondTickUntilClosed) {
  audio::SimulatedAudio audio;
  {
    auto dlg = Open(QStringLiteral("Beep Only"), false);
    ASSERT_NE(dlg->Player(), nullptr);
    EXPECT_TRUE(dlg->Player()->isHidden());
    EXPECT_TRUE(dlg->Player()->FileName().isEmpty());
    EXPECT_TRUE(dlg->Clock()->isVisible());
    for (int beep = 1; beep <= 3; ++beep) {
      dlg->OnTimer(CReminderAlertDlg::kSecondTimerId);
      ASSERT_TRUE(QTest::qWaitFor([&] { return audio.outputOpens() == beep; }, 3000)) << beep;
      const auto* out = audio.lastOutput();
      ASSERT_NE(out, nullptr);
      EXPECT_EQ(out->format().samplesPerSec, 11025u);
      EXPECT_EQ(out->format().bitsPerSample, 8);
      EXPECT_EQ(out->format().channels, 1);
      dlg->OnTimer(CReminderAlertDlg::kMediaTimerId);  // never shows a player for a beep
      EXPECT_TRUE(dlg->Clock()->isVisible());
    }
    EXPECT_EQ(dlg->TextControl()->toPlainText(), QStringLiteral("Dentist"));
    dlg->reject();
    EXPECT_FALSE(dlg->isVisible());
  }
  audio::ShutdownWavePlayback();
  const int after = audio.outputOpens();
  QTest::qWait(1200);
  EXPECT_EQ(audio.outputOpens(), after);
}

TEST_F(AlertTest, beepOnly_realTimerBeepsOnceASecondAndStopsOnClosing) {
  audio::SimulatedAudio audio;
  auto dlg = Open(QStringLiteral("Beep Only"), true);
  EXPECT_TRUE(QTest::qWaitFor([&] { return audio.outputOpens() >= 2; }, 3500));
  QTest::keyClick(dlg.get(), Qt::Key_Escape);
  EXPECT_FALSE(dlg->TimerActive(CReminderAlertDlg::kSecondTimerId));
  EXPECT_FALSE(dlg->TimerActive(CReminderAlertDlg::kMediaTimerId));
  QTest::qWait(300);  // a beep already on its way
  const int opens = audio.outputOpens();
  QTest::qWait(1300);
  EXPECT_EQ(audio.outputOpens(), opens);
  dlg.reset();
  audio::ShutdownWavePlayback();
}

// A sound has no pictures: it plays while the clock stays, without a video area.
TEST_F(AlertTest, waveWithRepeat_waitsForThePlayerThenPlaysItBehindTheClock) {
  const QString wave = test::WriteTestWave(Path(QStringLiteral("tone.wav")));
  auto dlg = Open(wave, true);
  CMediaPlayer2* player = dlg->Player();
  ASSERT_NE(player, nullptr);
  EXPECT_TRUE(player->isHidden());
  EXPECT_EQ(player->geometry(), QRect(20, 40, 400, 300));
  EXPECT_EQ(player->PlayCount(), 1000);
  EXPECT_TRUE(player->AutoRewind());
  EXPECT_FALSE(player->AutoStart());
  EXPECT_EQ(player->FileName(), wave);
  EXPECT_TRUE(dlg->TimerActive(CReminderAlertDlg::kMediaTimerId));

  ASSERT_TRUE(QTest::qWaitFor([&] { return player->ReadyState() >= 2; }, kLoadWaitMs));
  dlg->OnTimer(CReminderAlertDlg::kMediaTimerId);
  EXPECT_FALSE(dlg->TimerActive(CReminderAlertDlg::kMediaTimerId));
  EXPECT_FALSE(player->HasVideo());
  EXPECT_TRUE(player->isHidden());
  EXPECT_TRUE(dlg->Clock()->isVisible());
  EXPECT_TRUE(player->Playing());
  dlg->OnCommand(CThemedDialog::kCloseButtonId);
  EXPECT_FALSE(player->Playing());
}

TEST_F(AlertTest, waveWithoutRepeat_playsOnce) {
  auto dlg = Open(test::WriteTestWave(Path(QStringLiteral("tone.wav"))), false);
  ASSERT_NE(dlg->Player(), nullptr);
  EXPECT_EQ(dlg->Player()->PlayCount(), 1);
  EXPECT_FALSE(dlg->Player()->AutoRewind());
  // The media timer starts it by itself, and the clock stays.
  EXPECT_TRUE(QTest::qWaitFor([&] { return dlg->Player()->Playing(); }, kLoadWaitMs));
  EXPECT_TRUE(dlg->Player()->isHidden());
  EXPECT_TRUE(dlg->Clock()->isVisible());
}

TEST_F(AlertTest, unplayableFile_leavesTheClockAndSaysNothing) {
  int modals = 0;
  ScopedModalResponder responder([&](const ModalRequest&) { return ++modals, 1; });
  for (const QString& media :
       {test::WriteUnplayable(Path(QStringLiteral("words.wav"))), Path(QStringLiteral("missing.mp3"))}) {
    auto dlg = Open(media, true);
    QTest::qWait(1500);
    for (int i = 0; i < 3; ++i) dlg->OnTimer(CReminderAlertDlg::kMediaTimerId);
    EXPECT_TRUE(dlg->Clock()->isVisible()) << media.toStdString();
    EXPECT_TRUE(dlg->Player()->isHidden());
    EXPECT_TRUE(dlg->TimerActive(CReminderAlertDlg::kMediaTimerId));
  }
  EXPECT_EQ(modals, 0);
}

TEST_F(AlertTest, flashMovie_replacesTheClock) {
  SwfSpec movieHeader;
  movieHeader.frameCount = 42;
  movieHeader.frameRate256 = 15 * 256;
  for (bool compressed : {false, true}) {
    const QString movie = Path(compressed ? QStringLiteral("packed.SWF") : QStringLiteral("plain.Swf"));
    ASSERT_TRUE(test::WriteBytes(movie, MakeSwf(movieHeader, compressed)));
    auto dlg = Open(movie);
    NFlash* flash = dlg->Flash();
    ASSERT_NE(flash, nullptr);
    EXPECT_TRUE(flash->isVisible());
    EXPECT_FALSE(dlg->Clock()->isVisible());
    EXPECT_EQ(flash->geometry(), QRect(20, 40, 400, 300));
    EXPECT_EQ(flash->FrameCount(), 42);
    EXPECT_EQ(flash->Header().frameRate256, 15 * 256);
    EXPECT_TRUE(flash->IsPlaying());
    EXPECT_EQ(dlg->Player(), nullptr);
    EXPECT_FALSE(dlg->TimerActive(CReminderAlertDlg::kMediaTimerId));
  }
}

TEST_F(AlertTest, escapeAndCloseButton_closeTheWindow) {
  auto dlg = Open(QString());
  QTest::keyClick(dlg.get(), Qt::Key_Escape);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_EQ(dlg->result(), QDialog::Rejected);

  auto other = Open(QString());
  ASSERT_NE(other->CloseButton(), nullptr);
  other->OnCommand(CThemedDialog::kCloseButtonId);
  EXPECT_FALSE(other->isVisible());

  auto third = Open(QString());
  QTest::mouseClick(third->CloseButton(), Qt::LeftButton);
  EXPECT_FALSE(third->isVisible());
}

TEST_F(AlertTest, informationClock_textFollowsTheTime) {
  TestClock clock(static_cast<qint64>(MakeLocalTime(2026, 3, 14, 10, 0, 5)) * 1000);
  auto dlg = Open(QString(), false, QStringLiteral("Clock"), ClockInfoText(NowSeconds()));
  const QString first = dlg->TextControl()->toPlainText();
  EXPECT_TRUE(first.startsWith(QStringLiteral("10:00:05"))) << first.toStdString();
  clock.advanceMs(1000);
  dlg->OnTimer(CReminderAlertDlg::kSecondTimerId);
  const QString second = dlg->TextControl()->toPlainText();
  EXPECT_EQ(second, ClockInfoText(NowSeconds()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  EXPECT_TRUE(second.startsWith(QStringLiteral("10:00:06")));

  auto reminder = Open(QString(), false, QStringLiteral("Reminder active - 10:00:00"), QStringLiteral("Call"));
  clock.advanceMs(1000);
  reminder->OnTimer(CReminderAlertDlg::kSecondTimerId);
  EXPECT_EQ(reminder->TextControl()->toPlainText(), QStringLiteral("Call"));
}

TEST_F(AlertTest, showFunctions_passTheReminderToAModalWindow) {
  QString title, text, media;
  ScopedModalResponder responder([&](const ModalRequest& request) {
    title = request.title;
    text = request.text;
    if (auto* dlg = qobject_cast<CReminderAlertDlg*>(request.dialog)) media = dlg->Media();
    return 2;
  });
  AlertRequest alert;
  alert.title = QStringLiteral("Missed Reminder - 2006-01-02 08:30:00");
  alert.note = QByteArray("K\xC3\xA4se kaufen");
  alert.media = QByteArray("Beep Only");
  alert.repeat = true;
  ShowReminderAlert(alert, kTheme, nullptr);
  EXPECT_EQ(title, alert.title);
  EXPECT_EQ(text, QString::fromUtf8("K\xC3\xA4se kaufen"));
  EXPECT_EQ(media, QStringLiteral("Beep Only"));

  TestClock clock(static_cast<qint64>(MakeLocalTime(2026, 7, 1, 23, 59, 59)) * 1000);
  ShowClockAlert(kTheme, nullptr);
  EXPECT_EQ(title, QStringLiteral("Clock"));
  EXPECT_EQ(text, ClockInfoText(NowSeconds()));
  audio::ShutdownWavePlayback();
}

TEST_F(AlertTest, snooze_offeredForDueRemindersOnly_reportsTheMinutesOnceAndCloses) {
  auto dlg = Open(QString());
  EXPECT_FALSE(dlg->SnoozeOffered());  // Play Now and the clock: no Snooze
  EXPECT_EQ(dlg->SnoozeButton(), nullptr);

  AlertQueue queue;
  queue.setSnoozeMinutes(7);
  std::vector<int> snoozed;
  int closed = 0;
  QObject::connect(&queue, &AlertQueue::snoozed, [&](const AlertRequest&, int minutes) { snoozed.push_back(minutes); });
  QObject::connect(&queue, &AlertQueue::closed, [&](const AlertRequest&) { ++closed; });
  QObject::connect(&queue, &AlertQueue::opened, [&](CReminderAlertDlg* window, const AlertRequest&) {
    window->EnsureInitialized();
    EXPECT_EQ(window->size(), QSize(445, 450 + CReminderAlertDlg::kSnoozeRowHeight));
    ASSERT_NE(window->SnoozeButton(), nullptr);
    EXPECT_EQ(window->SnoozeButton()->text(), QStringLiteral("&Snooze"));
    EXPECT_EQ(window->SnoozeBox()->minimum(), 1);
    EXPECT_EQ(window->SnoozeBox()->maximum(), 1440);
    EXPECT_EQ(window->SnoozeBox()->value(), 7);
    window->SnoozeBox()->setValue(1);
  });
  ScopedModalResponder answer([](const ModalRequest& request) {
    EXPECT_TRUE(request.buttons.contains(QStringLiteral("Snooze")));
    return CReminderAlertDlg::kSnoozeId;
  });
  queue.enqueue(AlertRequest{
      QStringLiteral("Reminder active - 08:30:00"), "Dentist", {}, false, QStringLiteral("07d60102"), "08:30:00"});
  for (int i = 0; i < 20 && closed == 0; ++i) QCoreApplication::processEvents();
  EXPECT_EQ(snoozed, std::vector<int>{1});
  EXPECT_EQ(closed, 1);
}

}  // namespace
}  // namespace orlane
