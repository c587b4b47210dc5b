// The recorder and player engine and the day cycle's sound strand on the
// simulated wave devices: the test decides when each buffer comes back and
// how far playback has gone.
#include "platform/audio/sim_mixer.h"
#include "platform/audio/sim_wave_devices.h"
#include "platform/file_io.h"
#include "security/scramble.h"
#include "sound/sound_day_cycle.h"
#include "sound/sound_day_file.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QtEndian>

#include <sys/stat.h>

using namespace orlane;
using audio::SimWaveIn;
using audio::SimWaveOut;

namespace {

void Pump() {
  QCoreApplication::processEvents();
}

QByteArray Ramp(int n, int seed = 0) {
  QByteArray b(n, '\0');
  for (int i = 0; i < n; ++i) b[i] = static_cast<char>((i * 7 + seed) & 0xff);
  return b;
}

struct Rig {
  test::TempUserFolder folder;
  audio::SimulatedAudio audio;
  audio::SimulatedMixer mixer;
  SoundEngine engine;
  DaySound day;
  QString rec = folder.file(QStringLiteral("07d60102.rec"));

  SoundResult load(const QByteArray& password = "pw") { return LoadDaySound(engine, day, rec, password); }
  SimWaveIn& in() { return *audio.lastInput(); }
  SimWaveOut& out() { return *audio.lastOutput(); }
  QByteArray temp() const { return folder.read(QStringLiteral("rec.tmp")); }
  // Records `buffers` returned while recording and `after` after Stop, then saves.
  SoundResult record(int rate, int bits, int buffers, int after, int seed = 0) {
    const SoundResult started = RecordCommand(engine, day, rate, bits);
    if (started.outcome != SoundOutcome::Done) return started;
    const int bytes = static_cast<int>(engine.InputBufferBytes());
    // One buffer at a time: the device drops what finds no queued buffer.
    const QByteArray recorded = Ramp(buffers * bytes, seed);
    for (int i = 0; i < buffers; ++i) in().feed(recorded.mid(i * bytes, bytes));
    // The device fills the buffers it holds while the Stop command waits for them.
    SimWaveIn* input = &in();
    QTimer::singleShot(0, [input, after, bytes, seed] { input->feed(Ramp(after * bytes, seed + 1)); });
    return StopCommand(engine, day, "pw");
  }
};

}  // namespace

TEST(SoundEngine, recording_queuesNBuffers_storesWhatComesBack_andDrainsAfterStop) {
  Rig r;
  r.load();
  r.mixer.setSources({"Line", "Mic"}, {true, false}, true);
  std::vector<std::pair<int, int>> levels;
  QObject::connect(&r.engine, &SoundEngine::soundLevel, [&](int full, int m) { levels.emplace_back(full, m); });
  ASSERT_EQ(RecordCommand(r.engine, r.day, 8000, 8).outcome, SoundOutcome::Done);
  EXPECT_EQ(r.engine.State(), SoundState::Recording);
  EXPECT_EQ(r.in().calls(), QStringList({"open", "add 2666", "add 2666", "add 2666", "start"}));
  EXPECT_EQ(r.mixer.sources(), std::vector<bool>({false, true}));  // the microphone is the source
  r.in().feed(QByteArray(2 * 2666, '\x10'));
  EXPECT_EQ(r.temp().size(), 2 * 2666);
  EXPECT_EQ(r.in().queuedCount(), 3u);  // both went back into the queue
  EXPECT_TRUE(levels.empty());          // the level message is posted, not sent
  Pump();
  ASSERT_EQ(levels.size(), 2u);
  EXPECT_EQ(levels[0], std::make_pair(128, 112));
  // After Stop the callback keeps the N buffers the device still fills, and no more.
  r.engine.Stop();
  EXPECT_EQ(r.engine.State(), SoundState::Stopped);
  EXPECT_EQ(r.in().feed(QByteArray(5 * 2666, '\x20')), 3u * 2666);
  EXPECT_EQ(r.in().queuedCount(), 0u);
  EXPECT_EQ(r.temp().size(), 5 * 2666);
  Pump();
  EXPECT_EQ(levels.size(), 2u);  // none while stopping
  const FinishedRecording done = r.engine.FinishRecording();
  EXPECT_EQ(done.stop, SoundRecorder::StopResult::Stopped);
  EXPECT_EQ(done.pcm.size(), 5 * 2666);
  EXPECT_FALSE(r.engine.InputOpen());
  EXPECT_EQ(StopCommand(r.engine, r.day, "pw").outcome, SoundOutcome::NotRecording);
}

TEST(SoundEngine, stopCommand_savesTheDay_wavAndRecLayouts_andAppendsTheNextRecording) {
  Rig r;
  r.load();
  // 8000 Hz 16 bit: 10 buffers of 800 bytes; 20 while recording and the 10 after Stop give 24000 bytes.
  const SoundResult first = r.record(8000, 16, 20, 10);
  EXPECT_EQ(first.outcome, SoundOutcome::Done);
  EXPECT_TRUE(first.message.isEmpty());
  const QByteArray file = r.folder.read(QStringLiteral("07d60102.rec"));
  ASSERT_EQ(file.size(), 32 + 24046);
  EXPECT_EQ(file.left(32), MakePasswordHeader("pw"));
  const QByteArray image = Unscrambled(file.mid(32));
  EXPECT_EQ(image.left(4), "RIFF");
  EXPECT_EQ(qFromLittleEndian<quint32>(image.constData() + 4), 24038u);
  EXPECT_EQ(image.mid(8, 8), "WAVEfmt ");
  EXPECT_EQ(qFromLittleEndian<quint32>(image.constData() + 16), 18u);
  EXPECT_EQ(qFromLittleEndian<quint32>(image.constData() + 24), 8000u);
  EXPECT_EQ(qFromLittleEndian<quint16>(image.constData() + 34), 16);
  EXPECT_EQ(image.mid(38, 4), "data");
  EXPECT_EQ(qFromLittleEndian<quint32>(image.constData() + 42), 24000u);
  const QByteArray pcm = image.mid(46);
  EXPECT_TRUE(pcm == Ramp(16000) + Ramp(8000, 1));
  // The view shows the new sound; the temp file holds it for the next recording.
  EXPECT_TRUE(r.engine.IsSoundOpen());
  EXPECT_EQ(r.engine.DataLength(), 24000);
  EXPECT_EQ(r.day.state, DaySoundState::Shown);
  // A second recording is appended to the first.
  EXPECT_EQ(r.record(8000, 16, 10, 10, 50).outcome, SoundOutcome::Done);
  const SoundDay both = LoadSoundDay(r.rec, "pw");
  ASSERT_EQ(both.state, SoundDayState::Loaded);
  EXPECT_TRUE(both.image.pcm == pcm + Ramp(8000, 50) + Ramp(8000, 51));
  EXPECT_TRUE(r.temp() == both.image.pcm);
}

TEST(SoundEngine, oddDataLength_getsItsPadByte_andLoadsBackExactly) {
  Rig r;
  r.load();
  // 11025 Hz 8 bit: buffers of 3675 bytes; five of them make an odd length.
  ASSERT_EQ(r.record(11025, 8, 2, 3).outcome, SoundOutcome::Done);
  const QByteArray image = Unscrambled(r.folder.read(QStringLiteral("07d60102.rec")).mid(32));
  EXPECT_EQ(image.size(), 46 + 5 * 3675 + 1);
  EXPECT_EQ(image.back(), '\0');
  EXPECT_EQ(qFromLittleEndian<quint32>(image.constData() + 4), 38u + 5 * 3675 + 1);
  SoundEngine other;
  other.SetTempFilePath(r.folder.file(QStringLiteral("other.tmp")));
  DaySound day;
  EXPECT_TRUE(LoadDaySound(other, day, r.rec, "pw").message.isEmpty());
  EXPECT_EQ(other.DataLength(), 5 * 3675);
  EXPECT_EQ(r.folder.read(QStringLiteral("other.tmp")).size(), 5 * 3675);
}

TEST(SoundEngine, formatRule_otherPassword_andDamagedFiles_leaveTheDayAlone) {
  Rig r;
  ASSERT_EQ(SaveSoundDay(r.rec, "pw", WaveFormat::Pcm(22050, 8), Ramp(4410)), WriteResult::Written);
  r.load();
  ASSERT_TRUE(r.engine.IsSoundOpen());
  const QByteArray before = r.folder.read(QStringLiteral("07d60102.rec"));
  const SoundResult refused = RecordCommand(r.engine, r.day, 11025, 8);
  EXPECT_EQ(refused.outcome, SoundOutcome::FormatDiffers);
  EXPECT_EQ(refused.message, FormatDiffersMessage());
  EXPECT_EQ(r.engine.State(), SoundState::Stopped);
  EXPECT_EQ(r.audio.inputsMade(), 0);
  EXPECT_TRUE(r.folder.read(QStringLiteral("07d60102.rec")) == before);
  EXPECT_TRUE(r.temp() == Ramp(4410));
  // Written under another password: not shown, and neither recorded over nor deleted.
  ForgetDaySound(r.engine, r.day);
  EXPECT_FALSE(r.folder.exists(QStringLiteral("rec.tmp")));
  const SoundResult other = r.load("other");
  EXPECT_TRUE(other.message.isEmpty());
  EXPECT_EQ(r.day.state, DaySoundState::OtherPassword);
  EXPECT_FALSE(r.engine.IsSoundOpen());
  EXPECT_EQ(RecordCommand(r.engine, r.day, 22050, 8).outcome, SoundOutcome::Protected);
  EXPECT_EQ(DeleteCommand(r.engine, r.day, "other").outcome, SoundOutcome::Protected);
  EXPECT_TRUE(r.folder.read(QStringLiteral("07d60102.rec")) == before);
  // A damaged file tells its error; a recording keeps the original beside it.
  r.folder.write(QStringLiteral("07d60102.rec"),
                 WrapWithPasswordHeader(BuildWavImage(WaveFormat::Pcm(8000, 8), {}), "pw"));
  const SoundResult damaged = r.load();
  EXPECT_EQ(damaged.message, QStringLiteral("Audio Open Error:6"));
  EXPECT_TRUE(damaged.errorBox);
  EXPECT_EQ(r.day.state, DaySoundState::Damaged);
  EXPECT_EQ(r.record(8000, 8, 0, 3).outcome, SoundOutcome::Done);
  EXPECT_TRUE(r.folder.exists(QStringLiteral("07d60102.rec.damaged")));
  EXPECT_EQ(LoadSoundDay(r.rec, "pw").image.pcm.size(), 3 * 2666);
}

TEST(SoundEngine, drainedWait_isBounded_keepsEventsFlowing_andTellsTheUser) {
  Rig r;
  r.load();
  ASSERT_EQ(RecordCommand(r.engine, r.day, 8000, 8).outcome, SoundOutcome::Done);
  r.in().feed(Ramp(2666));
  r.engine.SetDrainTimeout(80);
  bool ranDuringWait = false;
  QTimer::singleShot(0, [&] { ranDuringWait = r.engine.Busy(); });
  QElapsedTimer clock;
  clock.start();
  const SoundResult saved = StopCommand(r.engine, r.day, "pw");  // the device never hands its buffers back
  EXPECT_GE(clock.elapsed(), 80);
  EXPECT_LT(clock.elapsed(), 2000);
  EXPECT_TRUE(ranDuringWait);
  EXPECT_TRUE(saved.deviceTimedOut);
  EXPECT_FALSE(saved.message.isEmpty());
  EXPECT_EQ(saved.outcome, SoundOutcome::Done);  // what did come back is saved
  EXPECT_FALSE(r.engine.InputOpen());
  EXPECT_TRUE(LoadSoundDay(r.rec, "pw").image.pcm == Ramp(2666));
  // Nothing recorded at all: nothing written.
  ForgetDaySound(r.engine, r.day);
  QFile::remove(r.rec);
  r.load();
  ASSERT_EQ(RecordCommand(r.engine, r.day, 8000, 8).outcome, SoundOutcome::Done);
  EXPECT_EQ(StopCommand(r.engine, r.day, "pw").outcome, SoundOutcome::NothingRecorded);
  EXPECT_FALSE(r.folder.exists(QStringLiteral("07d60102.rec")));
}

TEST(SoundEngine, player_seekMarksPauseResumeAndTheEndOfPlayback) {
  Rig r;
  SoundEngine& e = r.engine;
  ASSERT_EQ(e.OpenSound(WaveFormat::Pcm(8000, 8), Ramp(24000)).result, 1);
  EXPECT_EQ(e.SeekTo(21), 1);
  EXPECT_EQ(e.StartMark(), 16);
  EXPECT_TRUE(e.ArrowKey(1, true));  // Ctrl+Right, no end mark: -1 + 80 aligned down
  EXPECT_EQ(e.EndMark(), 72);
  e.SetEndMark(-1);
  e.LeftClick(0, 300);
  EXPECT_EQ(e.StartMark(), 0);
  e.LeftClick(150, 300);
  EXPECT_EQ(e.StartMark(), 12000);
  ASSERT_EQ(e.Play(), 1);
  EXPECT_TRUE(e.PositionTimerActive());
  EXPECT_EQ(r.out().calls().last(), QStringLiteral("write 12000"));
  r.out().play(1000);
  EXPECT_EQ(e.GetPlayPosition(), 13000);
  EXPECT_FALSE(e.ArrowKey(1, false));  // keys go on while playing
  e.Pause();
  EXPECT_EQ(e.State(), SoundState::Paused);
  EXPECT_EQ(r.out().play(500), 0u);
  ASSERT_EQ(e.Play(), 1);
  EXPECT_EQ(r.out().calls().last(), QStringLiteral("restart"));
  r.out().play(500);
  EXPECT_EQ(e.GetPlayPosition(), 13500);
  // The end mark stops playback and puts the position back at the start mark.
  e.RightClick(200, 300);
  EXPECT_EQ(e.EndMark(), 16000);
  r.out().play(2600);
  e.PositionTick();
  EXPECT_EQ(e.State(), SoundState::Stopped);
  EXPECT_EQ(e.StartMark(), 12000);
  EXPECT_EQ(e.GetPlayPosition(), 12000);
  EXPECT_FALSE(e.PositionTimerActive());
  // Played to its end: Stopped once the posted end arrives; Play starts at the start mark again.
  e.SetEndMark(-1);
  ASSERT_EQ(e.Play(), 1);
  r.out().playAll();
  EXPECT_EQ(e.State(), SoundState::Playing);
  Pump();
  EXPECT_EQ(e.State(), SoundState::Stopped);
  EXPECT_EQ(e.GetPlayPosition(), 12000);
  ASSERT_EQ(e.Play(), 1);
  EXPECT_EQ(r.out().calls().last(), QStringLiteral("write 12000"));
  // A seek's reset is not the end of playback.
  e.SeekTo(8000);
  Pump();
  EXPECT_EQ(e.State(), SoundState::Playing);
  e.Stop();
  EXPECT_EQ(e.StartMark(), 0);
  EXPECT_EQ(e.Play(), 1);
  EXPECT_EQ(r.out().calls().last(), QStringLiteral("write 24000"));
  // 16-bit: offset 13 starts at 0.
  ASSERT_EQ(e.OpenSound(WaveFormat::Pcm(8000, 16), Ramp(2000)).result, 1);
  e.SeekTo(13);
  EXPECT_EQ(e.StartMark(), 0);
  EXPECT_EQ(e.State(), SoundState::Stopped);
}

TEST(SoundEngine, deleteSaveAsAndASoundTheOutputCannotPlay) {
  Rig r;
  ASSERT_EQ(SaveSoundDay(r.rec, "pw", WaveFormat::Pcm(8000, 8), Ramp(800)), WriteResult::Written);
  r.load();
  r.engine.SeekTo(16);
  r.engine.SetEndMark(48);
  const QString wav = r.folder.root() + QStringLiteral("export.wav");
  ASSERT_EQ(r.engine.SaveSelectionAsWave(wav), 1);
  QByteArray exported;
  ASSERT_EQ(ReadFileBytes(wav, exported), FileReadResult::Ok);
  EXPECT_TRUE(exported == BuildWavImage(WaveFormat::Pcm(8000, 8), Ramp(800).mid(16, 32)));
  const QString sox = QStandardPaths::findExecutable(QStringLiteral("sox"));
  if (!sox.isEmpty()) {
    QProcess info;
    info.start(sox, {QStringLiteral("--i"), wav});
    ASSERT_TRUE(info.waitForFinished(10000));
    const QString text = QString::fromUtf8(info.readAllStandardOutput());
    EXPECT_EQ(info.exitCode(), 0) << info.readAllStandardError().toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Channels\\s*:\\s*1")))) << text.toStdString();
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("Sample Rate\\s*:\\s*8000")))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("32 samples"))) << text.toStdString();
  }
  r.engine.SetEndMark(16);  // at the start mark: nothing
  EXPECT_EQ(r.engine.SaveSelectionAsWave(r.folder.root() + QStringLiteral("none.wav")), 0);
  EXPECT_FALSE(QFile::exists(r.folder.root() + QStringLiteral("none.wav")));
  r.engine.SetEndMark(-1);  // no end mark: to the end of the sound
  ASSERT_EQ(r.engine.SaveSelectionAsWave(wav), 1);
  ReadFileBytes(wav, exported);
  EXPECT_EQ(exported.size(), 46 + 800 - 16);
  // Delete removes the day's file and the temp file.
  EXPECT_EQ(DeleteCommand(r.engine, r.day, "pw").outcome, SoundOutcome::Done);
  EXPECT_FALSE(QFile::exists(r.rec));
  EXPECT_FALSE(r.folder.exists(QStringLiteral("rec.tmp")));
  EXPECT_FALSE(r.engine.IsSoundOpen());
  // Without a sound output the day's samples still go to the temp file, and
  // its format still rules the next recording.
  ASSERT_EQ(SaveSoundDay(r.rec, "pw", WaveFormat::Pcm(22050, 8), Ramp(300)), WriteResult::Written);
  r.audio.setOutputPresent(false);
  const SoundResult unplayable = r.load();
  EXPECT_EQ(unplayable.message, QStringLiteral("Audio Open Error:8:2"));
  EXPECT_EQ(r.day.state, DaySoundState::Unplayable);
  EXPECT_TRUE(r.temp() == Ramp(300));
  EXPECT_EQ(RecordCommand(r.engine, r.day, 8000, 8).outcome, SoundOutcome::FormatDiffers);
  EXPECT_EQ(r.record(22050, 8, 0, 3).outcome, SoundOutcome::Done);
  EXPECT_TRUE(LoadSoundDay(r.rec, "pw").image.pcm == Ramp(300) + Ramp(3 * 7350, 1));
}

namespace {
int ModeOf(const QString& path) {
  struct stat st {};
  return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}
}  // namespace

TEST(SoundEngine, recordingTempFile_isPrivateFromItsFirstBytes_evenOverALeftoverOne) {
  const mode_t savedMask = ::umask(022);
  Rig r;
  const QString temp = r.folder.file(QStringLiteral("rec.tmp"));
  r.load();
  ASSERT_EQ(RecordCommand(r.engine, r.day, 8000, 8).outcome, SoundOutcome::Done);
  r.in().feed(Ramp(static_cast<int>(r.engine.InputBufferBytes())));
  EXPECT_EQ(ModeOf(temp), 0600);  // while the recording still runs
  ASSERT_EQ(StopCommand(r.engine, r.day, "pw").outcome, SoundOutcome::Done);
  // A file left readable by others (an older run) is replaced when the day loads...
  ForgetDaySound(r.engine, r.day);
  r.folder.write(QStringLiteral("rec.tmp"), "left over");
  QFile::setPermissions(temp, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
  r.load();
  EXPECT_EQ(ModeOf(temp), 0600);
  EXPECT_EQ(r.temp().size(), r.engine.DataLength());
  // ...and narrowed before the first appended buffer when no day was loaded over it.
  QFile::setPermissions(temp, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther);
  ASSERT_EQ(RecordCommand(r.engine, r.day, 8000, 8).outcome, SoundOutcome::Done);
  r.in().feed(Ramp(static_cast<int>(r.engine.InputBufferBytes())));
  EXPECT_EQ(ModeOf(temp), 0600);
  EXPECT_EQ(StopCommand(r.engine, r.day, "pw").outcome, SoundOutcome::Done);
  ::umask(savedMask);
}
