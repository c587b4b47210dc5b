#include "controls/media_player2.h"

#include <QAudioOutput>
#include <QUrl>
#include <QVBoxLayout>
#include <QVideoWidget>

namespace orlane {

CMediaPlayer2::CMediaPlayer2(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  player_ = new QMediaPlayer(this);
  audio_ = new QAudioOutput(this);
  player_->setAudioOutput(audio_);
  video_ = new QVideoWidget(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(1, 1, 1, 1);
  layout->addWidget(video_);
  player_->setVideoOutput(video_);
  connect(player_, &QMediaPlayer::mediaStatusChanged, this, &CMediaPlayer2::OnStatusChanged);
}

CMediaPlayer2::~CMediaPlayer2() {
  // Silence before the outputs go away with the children.
  player_->stop();
}

void CMediaPlayer2::SetAutoStart(bool on) {
  autoStart_ = on;
}

void CMediaPlayer2::SetPlayCount(int count) {
  playCount_ = count < 1 ? 1 : count;
  player_->setLoops(playCount_);
}

void CMediaPlayer2::SetFileName(const QString& path) {
  fileName_ = path;
  player_->setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
}

void CMediaPlayer2::Play() {
  player_->play();
}

void CMediaPlayer2::Stop() {
  player_->stop();
}

bool CMediaPlayer2::Playing() const {
  return player_->playbackState() == QMediaPlayer::PlayingState;
}

bool CMediaPlayer2::HasVideo() const {
  return player_->hasVideo();
}

int CMediaPlayer2::ReadyState() const {
  switch (player_->mediaStatus()) {
    case QMediaPlayer::LoadingMedia: return kLoading;
    case QMediaPlayer::StalledMedia:
    case QMediaPlayer::BufferingMedia: return kInteractive;
    case QMediaPlayer::LoadedMedia:
    case QMediaPlayer::BufferedMedia:
    case QMediaPlayer::EndOfMedia: return kComplete;
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::InvalidMedia: break;
  }
  return kUninitialized;
}

void CMediaPlayer2::OnStatusChanged(QMediaPlayer::MediaStatus status) {
  if (status == QMediaPlayer::LoadedMedia && autoStart_) player_->play();
  if (status == QMediaPlayer::EndOfMedia && autoRewind_) player_->setPosition(0);
}

}  // namespace orlane
