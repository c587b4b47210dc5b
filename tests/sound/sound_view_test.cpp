// The sound view's pixels, its mouse and keys, and the mixer sliders: the
// waveform image drawn from the column summary against the line drawn through
// every sample, the lines and background at known points, and sliders that
// follow a simulated mixer.
#include "controls/gdi_painter.h"
#include "controls/modal_responder.h"
#include "platform/audio/sim_mixer.h"
#include "platform/audio/sim_wave_devices.h"
#include "sound/mixer_sliders.h"
#include "sound/sound_wave_accessible.h"
#include "sound/sound_wave_wnd.h"
#include "sound/wave_painter.h"
#include "sound/waveform.h"
#include "sound/waveform_summary.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QSlider>

#include <random>

using namespace orlane;

namespace {

// The reference: the line through every decimated sample, segment by segment.
QImage DrawLineThroughSamples(const WaveFormat& f, const QByteArray& pcm, QSize size, bool band, const WaveColors& c) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(ToQColor(c.background));
  const std::vector<QPoint> points = BuildWaveform(f, pcm, size.width(), size.height(), band);
  QPainter painter(&image);
  GdiPainter gdi(painter);
  for (size_t i = 1; i < points.size(); ++i)
    gdi.Line(points[i - 1].x(), points[i - 1].y(), points[i].x(), points[i].y(), c.wave);
  return image;
}

QByteArray Noise(int n, unsigned seed) {
  std::mt19937 rng(seed);
  QByteArray b(n, '\0');
  for (char& ch : b) ch = static_cast<char>(rng() & 0xff);
  return b;
}

QRgb Rgb(ColorRef c) {
  return qRgb(RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace

TEST(WaveformSummary, drawsExactlyTheLineThroughEverySample) {
  const WaveColors colors;
  struct Case {
    WaveFormat format;
    int bytes;
    QSize size;
    bool band;
  };
  const std::vector<Case> cases = {
      {WaveFormat::Pcm(8000, 8), 24000, {300, 132}, true},     // many samples per column
      {WaveFormat::Pcm(8000, 8), 37, {300, 132}, true},        // several columns per sample
      {WaveFormat::Pcm(44100, 16), 88200, {517, 211}, false},  // decimated, whole height
      {WaveFormat::Pcm(44100, 16, 2), 70000, {64, 40}, true},
      {WaveFormat::Pcm(11025, 16), 6, {400, 90}, true},
      {WaveFormat::Pcm(22050, 8), 22050, {1, 50}, false},
      {WaveFormat::Pcm(8000, 8), 5000, {250, 20}, true},  // a band taller than the view
      {WaveFormat::Pcm(8000, 8), 299, {300, 300}, false},
  };
  for (size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    for (const QByteArray& pcm : {Noise(c.bytes, static_cast<unsigned>(i)), QByteArray(c.bytes, '\x80'),
                                  QByteArray(c.bytes, '\x00'), QByteArray(c.bytes, '\xff')}) {
      const WaveformSummary summary = BuildWaveformSummary(c.format, pcm, c.size.width(), c.size.height(), c.band);
      EXPECT_EQ(DrawWaveSummary(summary, c.size, colors), DrawLineThroughSamples(c.format, pcm, c.size, c.band, colors))
          << "case " << i;
    }
  }
  // Built in slices, the summary is the same.
  const QByteArray pcm = Noise(50000, 9);
  WaveformSummaryBuilder sliced(WaveFormat::Pcm(8000, 8), pcm, 333, 120, true);
  while (sliced.Step(777)) {
  }
  EXPECT_EQ(sliced.Take(), BuildWaveformSummary(WaveFormat::Pcm(8000, 8), pcm, 333, 120, true));
}

TEST(SoundWaveWnd, paintsWaveMarksAndRecording_andTakesClicksAndKeys) {
  test::TempUserFolder folder;
  audio::SimulatedAudio audio;
  audio::SimulatedMixer mixer;
  CSoundWaveWnd view;
  ASSERT_EQ(view.Create(QRect(0, 0, 300, 132), nullptr, 1030), 1);
  SoundEngine& e = view.Engine();
  const WaveColors colors = view.Colors();
  // No sound: the background only.
  QImage shown = view.RenderView();
  EXPECT_EQ(shown.pixel(150, 66), Rgb(colors.background));
  // Silence at 8000 Hz 8 bit: a flat line on the baseline.
  ASSERT_EQ(e.OpenSound(WaveFormat::Pcm(8000, 8), QByteArray(24000, '\x80')).result, 1);
  ASSERT_FALSE(view.WaveImage().isNull());
  const int baseline = (132 - 32) / 2 + 16;
  shown = view.RenderView();
  EXPECT_EQ(shown.pixel(100, baseline), Rgb(colors.wave));
  EXPECT_EQ(shown.pixel(100, baseline - 20), Rgb(colors.background));
  // The play position at 0: a dotted column from y = 16, three on, three off.
  EXPECT_EQ(shown.pixel(0, 16), Rgb(colors.text));
  EXPECT_EQ(shown.pixel(0, 18), Rgb(colors.text));
  EXPECT_EQ(shown.pixel(0, 19), Rgb(colors.background));
  EXPECT_NE(shown.pixel(0, 132 - 16), Rgb(colors.text));
  // A left click seeks, a right click sets the end mark, both drawn.
  QMouseEvent left(QEvent::MouseButtonPress, QPointF(150, 40), QPointF(150, 40), Qt::LeftButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&view, &left);
  EXPECT_EQ(e.StartMark(), 12000);
  QMouseEvent right(QEvent::MouseButtonPress, QPointF(225, 40), QPointF(225, 40), Qt::RightButton, Qt::RightButton,
                    Qt::NoModifier);
  QApplication::sendEvent(&view, &right);
  EXPECT_EQ(e.EndMark(), 18000);
  shown = view.RenderView();
  EXPECT_EQ(shown.pixel(150, 22), Rgb(colors.text));
  EXPECT_EQ(shown.pixel(225, 22), Rgb(colors.endMark));
  // Arrow keys move the marks by 10 ms; Ctrl+S is left for the window.
  QKeyEvent rightKey(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
  QApplication::sendEvent(&view, &rightKey);
  EXPECT_TRUE(rightKey.isAccepted());
  EXPECT_EQ(e.StartMark(), 12080);
  QKeyEvent ctrlLeft(QEvent::KeyPress, Qt::Key_Left, Qt::ControlModifier);
  QApplication::sendEvent(&view, &ctrlLeft);
  EXPECT_EQ(e.EndMark(), 17920);
  QKeyEvent save(QEvent::KeyPress, Qt::Key_S, Qt::ControlModifier);
  QApplication::sendEvent(&view, &save);
  EXPECT_FALSE(save.isAccepted());
  EXPECT_EQ(e.EndMark(), 17920);
  // Without the text band the wave uses the whole height and no texts are drawn.
  view.SetShowText(false);
  shown = view.RenderView();
  EXPECT_EQ(shown.pixel(100, 66), Rgb(colors.wave));
  EXPECT_EQ(shown.pixel(151, 0), Rgb(colors.text));  // the position line from the top
  view.SetShowText(true);
  // A new theme colours the view; closing the sound leaves the background.
  view.SetTheme(2);
  EXPECT_EQ(view.RenderView().pixel(100, baseline), Rgb(WaveColorsForTheme(2).wave));
  e.ClearSound();
  EXPECT_TRUE(view.WaveImage().isNull());
  shown = view.RenderView();
  EXPECT_EQ(shown.pixel(100, baseline), Rgb(WaveColorsForTheme(2).background));
  EXPECT_EQ(shown.pixel(0, 20), Rgb(WaveColorsForTheme(2).background));
  // Recording: no waveform, clicks ignored, the level message passed on.
  e.SetFormat(WaveFormat::Pcm(8000, 8));
  ASSERT_EQ(e.StartRecording(), 1);
  int level = -1;
  QObject::connect(&view, &CSoundWaveWnd::soundLevel, [&](int, int m) { level = m; });
  audio.lastInput()->feed(QByteArray(2666, '\x00'));
  QApplication::processEvents();
  EXPECT_EQ(level, 128);
  QApplication::sendEvent(&view, &left);
  EXPECT_EQ(e.StartMark(), 0);
  e.Stop();
  audio.lastInput()->feed(QByteArray(3 * 2666, '\x00'));
  EXPECT_EQ(e.StopRecording(), SoundRecorder::StopResult::Stopped);
  // A WAV the view cannot read is told in the error box.
  QStringList told;
  ScopedModalResponder responder([&](const ModalRequest& r) {
    told << r.text;
    return 1;
  });
  EXPECT_EQ(view.LoadWaveFromMemory(QByteArray("RIFF\x04\0\0\0WAVE", 12)), -1);
  EXPECT_EQ(told, QStringList({"Audio Open Error:3"}));
}

TEST(MixerSliders, followTheMixer_writeOnRelease_andExplainAMissingMixer) {
  audio::SimulatedMixer mixer;
  mixer.line(audio::MixerLine::Master).channels = {65535, 65535};
  mixer.line(audio::MixerLine::Microphone).channels = {40000};
  QSlider master, wave, mic;
  CMixerSliders sliders(&master, &wave, &mic);
  EXPECT_TRUE(master.isEnabled());
  EXPECT_EQ(master.maximum(), 16);
  EXPECT_EQ(master.value(), 16);
  EXPECT_EQ(mic.maximum(), 15);
  EXPECT_EQ(mic.value(), 9);
  // Changed elsewhere: the slider follows.
  mixer.changeFromOutside(audio::MixerLine::Wave, 32767);
  EXPECT_EQ(wave.value(), 8);
  // Moved by the user: position × 4096, clamped to the control's range.
  master.setValue(16);
  master.setSliderDown(true);
  master.setValue(4);
  EXPECT_EQ(mixer.line(audio::MixerLine::Master).channels[0], 65535);  // not while dragging
  master.setSliderDown(false);
  EXPECT_EQ(mixer.line(audio::MixerLine::Master).channels[0], 4 * 4096);
  wave.setValue(16);
  EXPECT_EQ(mixer.line(audio::MixerLine::Wave).channels[0], 65535);

  audio::SimulatedMixer none;
  none.setPresent(false);
  QSlider a, b, c;
  CMixerSliders missing(&a, &b, &c);
  EXPECT_FALSE(a.isEnabled());
  EXPECT_FALSE(c.isEnabled());
  EXPECT_EQ(a.toolTip(), CMixerSliders::UnavailableTip());
  EXPECT_FALSE(missing.Available(audio::MixerLine::Master));
  // The reason is seen without hovering: on the sliders' labels.
  QLabel masterName(QStringLiteral("Master")), waveName(QStringLiteral("Wave")), micName(QStringLiteral("Mic"));
  missing.SetLabels(&masterName, &waveName, &micName);
  EXPECT_EQ(masterName.text(), QStringLiteral("Master: no mixer found"));
  EXPECT_EQ(micName.text(), QStringLiteral("Mic: no mixer found"));
  QLabel present(QStringLiteral("Master"));
  sliders.SetLabels(&present, nullptr, nullptr);
  EXPECT_EQ(present.text(), QStringLiteral("Master"));
}

TEST(WavePainter, theFormatLineStopsShortOfThePositionTime_soTheTwoTimesNeverRunTogether) {
  const WaveColors colors;
  QFont font(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  const WaveFormat format = WaveFormat::Pcm(8000, 8);
  const QString line = WaveFormatLine(format, 47984);  // "... Length 47984 byte   Time 00:05.998"
  const int timeWidth = QFontMetrics(font).horizontalAdvance(FormatWaveTime(0.0f));
  for (const int width : {900, 520, 300, 120}) {
    QImage image(width, 120, QImage::Format_RGB32);
    image.fill(Rgb(colors.background));
    DrawWaveFormatLine(image, line, colors, font);
    // Nothing of the line within 12 pixels of where the position's time begins, nor beyond.
    const int free = width - 10 - timeWidth - 12;
    for (int y = 120 - 16; y < 120; ++y)
      for (int x = std::max(free, 0); x < width; ++x)
        ASSERT_EQ(image.pixel(x, y), Rgb(colors.background)) << width << " at " << x << "," << y;
  }
  EXPECT_EQ(FitWaveFormatLine(line, 10000, font), line);
  const QString withoutTime = line.left(line.lastIndexOf(QStringLiteral("   Time ")));
  EXPECT_EQ(FitWaveFormatLine(line, QFontMetrics(font).horizontalAdvance(withoutTime) + 2, font), withoutTime);
  EXPECT_LT(QFontMetrics(font).horizontalAdvance(FitWaveFormatLine(line, 60, font)), 61);
}

TEST(SoundWaveAccessible, isAValueOfPositionAndLengthDescribingTheEndMark) {
  InstallSoundAccessibility();
  test::TempUserFolder folder;
  audio::SimulatedAudio audio;
  CSoundWaveWnd view;
  ASSERT_EQ(view.Create(QRect(0, 0, 300, 132), nullptr, 1030), 1);
  QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&view);
  ASSERT_TRUE(iface && iface->valueInterface());
  EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Sound diary"));
  EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("No sound"));
  SoundEngine& e = view.Engine();
  ASSERT_EQ(e.OpenSound(WaveFormat::Pcm(8000, 8), QByteArray(24000, '\x80')).result, 1);
  e.SetEndMark(20000);
  EXPECT_EQ(iface->valueInterface()->maximumValue().toDouble(), 3.0);
  EXPECT_EQ(iface->valueInterface()->currentValue().toDouble(), 0.0);
  EXPECT_EQ(iface->text(QAccessible::Description), QStringLiteral("Length 00:03.000, end mark 00:02.500"));
  // Setting the value moves the play position, within the sound.
  iface->valueInterface()->setCurrentValue(1.5);
  EXPECT_EQ(e.GetPlayPosition(), 12000);
  EXPECT_EQ(iface->text(QAccessible::Value), QStringLiteral("00:01.500"));
  iface->valueInterface()->setCurrentValue(99.0);
  EXPECT_LT(e.GetPlayPosition(), 24000);  // the engine's last place, near the end
  EXPECT_GT(e.GetPlayPosition(), 23900);
}
