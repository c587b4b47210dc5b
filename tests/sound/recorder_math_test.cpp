// The recorder's arithmetic and the controls' tables: buffer counts and
// sizes, sample alignment, typed times, positions, levels, the button table,
// slider scales and the keys of the Sound Diary mode.
#include "sound/recorder_math.h"
#include "sound/recorder_controls.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(RecorderMath, inputBuffersPerFormat) {
  struct Case {
    int rate, bits, count;
    quint32 bytes;
  };
  for (const Case c : {Case{8000, 8, 3, 2666}, Case{44100, 8, 5, 8820}, Case{22050, 16, 9, 2450},
                       Case{11025, 16, 10, 1102}, Case{11025, 8, 3, 3675}, Case{22050, 8, 3, 7350}}) {
    const WaveFormat f = RecordingFormat(c.rate, c.bits);
    const int n = InputBufferCount(f, kMaxInputBuffers);
    EXPECT_EQ(n, c.count) << c.rate << "/" << c.bits;
    EXPECT_EQ(InputBufferBytes(f, n), c.bytes) << c.rate << "/" << c.bits;
    EXPECT_EQ(RecordMemoryBytes(f), qint64(c.rate) * 4);
  }
  EXPECT_EQ(InputBufferCount(RecordingFormat(8000, 24), 7), 7);  // other depths keep N
}

TEST(RecorderMath, alignmentTimesAndMarks) {
  EXPECT_EQ(AlignToSample(13, 16), 0);
  EXPECT_EQ(AlignToSample(21, 8), 16);
  EXPECT_EQ(AlignToSample(-5, 8), 0);
  EXPECT_EQ(KeyStepBytes(8000), 80);
  EXPECT_EQ(KeyStepBytes(44100), 441);
  EXPECT_EQ(KeyStepBytes(11025), 110);
  EXPECT_EQ(TimeTextToBytes(u"1:30.500", 8000), (90 * 8000) + 4000);
  EXPECT_EQ(TimeTextToBytes(u"x:2.", 1000), 2000);
  EXPECT_EQ(TimeTextToBytes(u"", 1000), 0);
  // Ctrl+Right with no end mark at 8000 bytes/s: -1 + 80 = 79, aligned to 72.
  EXPECT_EQ(AlignToSample(StepMark(-1, 1, 80, 24000), 8), 72);
  EXPECT_EQ(StepMark(40, -1, 80, 24000), 0);
  EXPECT_EQ(StepMark(23990, 1, 80, 24000), 24000);
  EXPECT_EQ(StepMark(100, 0, 80, 24000), 100);
  EXPECT_EQ(OffsetAtX(0, 300, 24000), 0);
  EXPECT_EQ(OffsetAtX(150, 300, 24000), 12000);
  EXPECT_EQ(OffsetAtX(299, 300, 24001), static_cast<qint64>(24001.0 / 300 * 299));
  EXPECT_EQ(OffsetAtX(10, 0, 24000), 0);
  // Header over the last 1000 of 3000 bytes: 250 played is 2250; played to its end, its start.
  EXPECT_EQ(PlayPositionOf(3000, 1000, 250), 2250);
  EXPECT_EQ(PlayPositionOf(3000, 1000, 1000), 2000);
}

TEST(RecorderMath, levelsAndFormatRule) {
  EXPECT_EQ(LevelOfBuffer("\x80", 1, 8).magnitude, 0);
  EXPECT_EQ(LevelOfBuffer("\x00", 1, 8).magnitude, 128);
  EXPECT_EQ(LevelOfBuffer("\x00", 1, 8).fullScale, 128);
  const InputLevel loud = LevelOfBuffer("\x00\x80", 2, 16);  // -32768
  EXPECT_EQ(loud.fullScale, 32767);
  EXPECT_EQ(loud.magnitude, 32767);
  EXPECT_EQ(LevelOfBuffer("\x10\xFF", 2, 16).magnitude, 240);
  const WaveFormat f = RecordingFormat(11025, 16);
  EXPECT_EQ(f.averageBytesPerSecond, 22050u);
  EXPECT_EQ(f.blockAlign, 2);
  EXPECT_TRUE(FormatDiffersFromSettings(WaveFormat::Pcm(22050, 8), 11025, 8));
  EXPECT_TRUE(FormatDiffersFromSettings(WaveFormat::Pcm(22050, 8), 22050, 16));
  EXPECT_FALSE(FormatDiffersFromSettings(WaveFormat::Pcm(22050, 8), 22050, 8));
  EXPECT_EQ(WaveOpenErrorCode(audio::WaveStatus::BadFormat), 32);
}

TEST(RecorderControls, buttonTable) {
  using S = SoundState;
  auto row = [](bool open, S s) {
    const RecorderButtonStates b = RecorderButtons(open, s);
    return std::array<bool, 8>{b.play, b.record, b.stop, b.pause, b.deleteSound, b.saveAs, b.calendar, b.modeSwitch};
  };
  using R = std::array<bool, 8>;
  EXPECT_EQ(row(true, S::Stopped), (R{1, 1, 0, 0, 1, 1, 1, 1}));
  EXPECT_EQ(row(true, S::Playing), (R{0, 0, 1, 1, 0, 0, 1, 1}));
  EXPECT_EQ(row(true, S::Paused), (R{1, 0, 1, 0, 0, 0, 1, 1}));
  EXPECT_EQ(row(true, S::Recording), (R{0, 0, 1, 0, 0, 0, 1, 0}));
  EXPECT_EQ(row(false, S::Stopped), (R{0, 1, 0, 0, 0, 0, 1, 1}));
  EXPECT_EQ(row(false, S::Paused), (R{0, 1, 0, 0, 0, 0, 1, 1}));
  EXPECT_EQ(row(false, S::Recording), (R{0, 0, 1, 0, 0, 0, 0, 0}));
  const RecorderButtonStates busy = RecorderButtons(false, S::Stopped, true);
  EXPECT_FALSE(busy.record || busy.stop || busy.calendar || busy.modeSwitch);
  EXPECT_TRUE(RecorderButtons(true, S::Stopped).ForId(recorder_ids::kSaveAs));
  EXPECT_FALSE(RecorderButtons(true, S::Stopped).ForId(1033));
}

TEST(RecorderControls, levelBarSlidersAndKeys) {
  const LevelBarSetting bar = LevelBarFor(32767, 40000);
  EXPECT_EQ(bar.maximum, 32767);
  EXPECT_EQ(bar.position, 32767);
  EXPECT_EQ(LevelBarFor(128, 5).position, 5);
  // A control of range 0..65535 gives 0..16; 65535 puts the slider at 16.
  const SliderSetting master = OutputSliderSetting(0, 65535, 65535);
  EXPECT_EQ(master.minimum, 0);
  EXPECT_EQ(master.maximum, 16);
  EXPECT_EQ(master.position, 16);
  EXPECT_EQ(OutputSliderSetting(0, 65535, -1).position, 0);  // -1 unsigned, + 1, wraps to 0
  const SliderSetting mic = MicrophoneSliderSetting(0, 65535, 40000);
  EXPECT_EQ(mic.maximum, 15);
  EXPECT_EQ(mic.position, 9);
  EXPECT_EQ(SliderVolume(16), 65536);
  EXPECT_EQ(SoundKeyActionFor(Qt::Key_S, Qt::ControlModifier), SoundKeyAction::SaveAll);
  EXPECT_EQ(SoundKeyActionFor(Qt::Key_Right, Qt::ControlModifier | Qt::KeypadModifier), SoundKeyAction::EndMarkForward);
  EXPECT_EQ(SoundKeyActionFor(Qt::Key_Left, Qt::NoModifier), SoundKeyAction::StartMarkBack);
  EXPECT_EQ(SoundKeyActionFor(Qt::Key_F3, Qt::NoModifier), SoundKeyAction::None);
  EXPECT_EQ(SoundKeyActionFor(Qt::Key_P, Qt::ControlModifier), SoundKeyAction::None);
  int viewKeys = 0;
  for (const SoundKeyBinding& b : SoundDiaryKeys()) viewKeys += b.soundView;
  EXPECT_EQ(viewKeys, 4);
  EXPECT_EQ(MarkKeyDirection(SoundKeyAction::EndMarkBack), -1);
  EXPECT_TRUE(MovesEndMark(SoundKeyAction::EndMarkBack));
  EXPECT_EQ(MarkKeyDirection(SoundKeyAction::Help), 0);
}
