#include "sound/sound_player.h"

#include "sound/recorder_math.h"

#include <algorithm>

namespace orlane {

using audio::WaveStatus;

SoundPlayer::SoundPlayer(EndedHandler ended) : ended_(std::move(ended)) {}

SoundPlayer::~SoundPlayer() {
  Close();
}

WaveStatus SoundPlayer::Open(const WaveFormat& format, QByteArray pcm) {
  Close();
  auto device = audio::CreateWaveOut();
  const WaveStatus status = device->open(ToDeviceFormat(format), [this](audio::WaveBuffer* b) { OnDone(b); });
  if (status != WaveStatus::Ok) return status;
  output_ = std::move(device);
  data_ = std::move(pcm);
  PointHeaderAt(0);
  return WaveStatus::Ok;
}

void SoundPlayer::Close() {
  if (!output_) return;
  seeking_ = true;
  output_->close();
  seeking_ = false;
  if (header_.flags & audio::kBufferPrepared) audio::UnprepareBuffer(&header_);
  output_.reset();
  ++generation_;
  header_ = {};
  data_ = QByteArray();
}

void SoundPlayer::PointHeaderAt(qint64 offset) {
  offset = std::clamp<qint64>(offset, 0, std::max<qint64>(0, data_.size() - 1));
  header_ = {};
  // The device only reads: pointing at the shared bytes never copies them.
  header_.data = const_cast<char*>(data_.constData()) + offset;
  header_.length = static_cast<quint32>(data_.size() - offset);
  header_.user = ++generation_;
  audio::PrepareBuffer(&header_);
}

void SoundPlayer::Rewind(qint64 offset) {
  if (!output_) return;
  seeking_ = true;
  output_->reset();
  audio::UnprepareBuffer(&header_);
  PointHeaderAt(offset);
  seeking_ = false;
}

bool SoundPlayer::Write() {
  if (!output_) return false;
  if (!(header_.flags & audio::kBufferPrepared)) audio::PrepareBuffer(&header_);
  if (output_->write(&header_) == WaveStatus::Ok) return true;
  audio::UnprepareBuffer(&header_);
  return false;
}

bool SoundPlayer::Pause() {
  return output_ && output_->pause() == WaveStatus::Ok;
}

bool SoundPlayer::Restart() {
  return output_ && output_->restart() == WaveStatus::Ok;
}

void SoundPlayer::Reset() {
  if (output_) output_->reset();
}

qint64 SoundPlayer::Position() const {
  quint64 played = 0;
  if (!output_ || output_->positionBytes(&played) != WaveStatus::Ok) return HeaderStart();
  return PlayPositionOf(DataLength(), header_.length, played);
}

void SoundPlayer::OnDone(audio::WaveBuffer* buffer) {
  if (seeking_.load() || !ended_) return;
  ended_(buffer->user);
}

}  // namespace orlane
