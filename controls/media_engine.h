// What plays a reminder's sound or movie: the media module (Qt Multimedia,
// loaded when a media player is first made) makes one engine for each
// player frame. The program itself links no multimedia library, so starting
// it costs nothing of them.
#pragma once

#include <QtPlugin>

#include <functional>

class QFrame;
class QString;

namespace orlane {

// How far the media has loaded, as the media player reports it: from 2 on it can play.
inline constexpr int kMediaUninitialized = 0;
inline constexpr int kMediaLoading = 1;
inline constexpr int kMediaInteractive = 3;
inline constexpr int kMediaComplete = 4;

class MediaEngine {
 public:
  virtual ~MediaEngine() = default;

  virtual void setSource(const QString& path) = 0;
  virtual void setLoops(int loops) = 0;
  virtual int loops() const = 0;
  virtual void play() = 0;
  virtual void stop() = 0;
  virtual void rewind() = 0;
  virtual bool playing() const = 0;
  virtual bool hasVideo() const = 0;
  virtual int readyState() const = 0;
};

// What the player is told of its media as it loads and plays.
struct MediaEngineEvents {
  std::function<void()> loaded;
  std::function<void()> ended;
};

class MediaEngineFactory {
 public:
  virtual ~MediaEngineFactory() = default;
  // An engine that is a child object of host (Qt's ownership) and shows its
  // pictures in host's layout.
  virtual MediaEngine* create(QFrame& host, MediaEngineEvents events) = 0;
};

}  // namespace orlane

#define ORLANE_MEDIA_ENGINE_FACTORY_IID "org.orlane.MediaEngineFactory/1"
Q_DECLARE_INTERFACE(orlane::MediaEngineFactory, ORLANE_MEDIA_ENGINE_FACTORY_IID)
