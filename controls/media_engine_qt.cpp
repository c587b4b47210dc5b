// The media module: a MediaEngine over QMediaPlayer, an audio output and a
// video surface in the player's frame.
#include "controls/media_engine.h"

#include <QAudioOutput>
#include <QFrame>
#include <QLayout>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoWidget>

#include <utility>

namespace orlane {
namespace {

class QtMediaEngine final : public QObject, public MediaEngine {
 public:
  QtMediaEngine(QFrame& host, MediaEngineEvents events)
      : QObject(&host),
        player_(new QMediaPlayer(this)),
        audio_(new QAudioOutput(this)),
        video_(new QVideoWidget(&host)),
        events_(std::move(events)) {
    player_->setAudioOutput(audio_);
    if (host.layout() != nullptr) host.layout()->addWidget(video_);
    player_->setVideoOutput(video_);
    connect(player_, &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
      if (status == QMediaPlayer::LoadedMedia && events_.loaded) events_.loaded();
      if (status == QMediaPlayer::EndOfMedia && events_.ended) events_.ended();
    });
  }
  ~QtMediaEngine() override {
    // Silence before the outputs go away, told to nobody: the player frame
    // is being destroyed.
    disconnect(player_, nullptr, this, nullptr);
    player_->stop();
  }
  Q_DISABLE_COPY_MOVE(QtMediaEngine)

  void setSource(const QString& path) override {
    player_->setSource(path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path));
  }
  void setLoops(int loops) override { player_->setLoops(loops); }
  int loops() const override { return player_->loops(); }
  void play() override { player_->play(); }
  void stop() override { player_->stop(); }
  void rewind() override { player_->setPosition(0); }
  bool playing() const override { return player_->playbackState() == QMediaPlayer::PlayingState; }
  bool hasVideo() const override { return player_->hasVideo(); }

  int readyState() const override {
    switch (player_->mediaStatus()) {
      case QMediaPlayer::LoadingMedia: return kMediaLoading;
      case QMediaPlayer::StalledMedia:
      case QMediaPlayer::BufferingMedia: return kMediaInteractive;
      case QMediaPlayer::LoadedMedia:
      case QMediaPlayer::BufferedMedia:
      case QMediaPlayer::EndOfMedia: return kMediaComplete;
      case QMediaPlayer::NoMedia:
      case QMediaPlayer::InvalidMedia: break;
    }
    return kMediaUninitialized;
  }

 private:
  QMediaPlayer* player_;
  QAudioOutput* audio_;
  QVideoWidget* video_;
  MediaEngineEvents events_;
};

}  // namespace

class QtMediaEngineFactory final : public QObject, public MediaEngineFactory {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID ORLANE_MEDIA_ENGINE_FACTORY_IID)
  Q_INTERFACES(orlane::MediaEngineFactory)

 public:
  MediaEngine* create(QFrame& host, MediaEngineEvents events) override {
    return new QtMediaEngine(host, std::move(events));
  }
};

}  // namespace orlane

#include "media_engine_qt.moc"
