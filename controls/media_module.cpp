#include "controls/media_module.h"

#include "platform/app_paths.h"

#include <QDir>
#include <QPluginLoader>
#include <QtDebug>

namespace orlane {

QString MediaModulePath() {
  return QDir::cleanPath(ProgramFolder() + QStringLiteral(ORLANE_MODULES_FROM_BIN "/orlane_media.so"));
}

namespace {
MediaEngineFactory* LoadedFactory() {
  // Loaded once and kept for the program's life: engines made from it may
  // live until the end.
  static MediaEngineFactory* const factory = [] {
    QPluginLoader loader(MediaModulePath());
    auto* made = qobject_cast<MediaEngineFactory*>(loader.instance());
    if (made == nullptr) qWarning().noquote() << "Sound and movie files cannot be played:" << loader.errorString();
    return made;
  }();
  return factory;
}
}  // namespace

MediaEngine* MakeMediaEngine(QFrame& host, MediaEngineEvents events) {
  MediaEngineFactory* factory = LoadedFactory();
  return factory != nullptr ? factory->create(host, std::move(events)) : nullptr;
}

}  // namespace orlane
