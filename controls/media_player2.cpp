#include "controls/media_player2.h"

#include "controls/media_module.h"

#include <QVBoxLayout>

namespace orlane {

CMediaPlayer2::CMediaPlayer2(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  MediaEngineEvents events;
  events.loaded = [this] {
    if (autoStart_) engine_->play();
  };
  events.ended = [this] {
    if (autoRewind_) engine_->rewind();
  };
  engine_ = MakeMediaEngine(*this, std::move(events));
}

CMediaPlayer2::~CMediaPlayer2() = default;

void CMediaPlayer2::SetAutoStart(bool on) {
  autoStart_ = on;
}

void CMediaPlayer2::SetPlayCount(int count) {
  playCount_ = count < 1 ? 1 : count;
  if (engine_ != nullptr) engine_->setLoops(playCount_);
}

void CMediaPlayer2::SetFileName(const QString& path) {
  fileName_ = path;
  if (engine_ != nullptr) engine_->setSource(path);
}

void CMediaPlayer2::Play() {
  if (engine_ != nullptr) engine_->play();
}

void CMediaPlayer2::Stop() {
  if (engine_ != nullptr) engine_->stop();
}

bool CMediaPlayer2::Playing() const {
  return engine_ != nullptr && engine_->playing();
}

bool CMediaPlayer2::HasVideo() const {
  return engine_ != nullptr && engine_->hasVideo();
}

int CMediaPlayer2::ReadyState() const {
  return engine_ != nullptr ? engine_->readyState() : kUninitialized;
}

int CMediaPlayer2::EngineLoops() const {
  return engine_ != nullptr ? engine_->loops() : 0;
}

}  // namespace orlane
