// The WAV images the engine reads and writes: the sound a day's file holds,
// the recording just stopped, and the selection between the marks.
#include "platform/file_io.h"
#include "sound/sound_engine.h"

namespace orlane {

SoundLoadResult SoundEngine::OpenSound(const WaveFormat& format, QByteArray pcm) {
  ClosePlayer();
  format_ = format;
  const audio::WaveStatus status = player_.Open(format, std::move(pcm));
  if (status != audio::WaveStatus::Ok) {
    return {-2, kWaveBadFormatError,
            QStringLiteral("Audio Open Error:8:") + QString::number(WaveOpenErrorCode(status))};
  }
  startMark_ = 0;
  endMark_ = -1;
  Q_EMIT soundChanged();
  return {1, 0, {}};
}

SoundLoadResult SoundEngine::LoadWaveFromMemory(QByteArrayView bytes) {
  ClosePlayer();
  WavImage image = ParseWavImage(bytes);
  if (image.error == kWaveBadFormatError) {
    format_ = image.format;
    return {-2, image.error, WavErrorMessage(image.error)};
  }
  if (image.error != 0) return {-1, image.error, WavErrorMessage(image.error)};
  return OpenSound(image.format, std::move(image.pcm));
}

int SoundEngine::SaveRecordingAsWave(const QString& path) {
  const FinishedRecording done = FinishRecording();
  if (done.stop == SoundRecorder::StopResult::NotRecording || !done.read || done.pcm.isEmpty()) return 0;
  return AtomicWriteFile(path, BuildWavImage(format_, done.pcm)) == WriteResult::Written ? 1 : 0;
}

int SoundEngine::SaveSelectionAsWave(const QString& path) const {
  const qint64 length = DataLength();
  const qint64 end = endMark_ >= 0 ? std::min(endMark_, length) : length;
  const qint64 count = end - startMark_;
  if (count <= 0 || startMark_ < 0) return 0;
  WaveFormat format = format_;
  format.extraSize = 0;
  return AtomicWriteFile(path, BuildWavImage(format, Data().sliced(startMark_, count))) == WriteResult::Written ? 1 : 0;
}

}  // namespace orlane
