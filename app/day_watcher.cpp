#include "app/day_watcher.h"

#include <QFileInfo>

namespace orlane {

namespace {
constexpr int kSettleMs = 150;
}

DayWatcher::DayWatcher(const QString& folder, QObject* parent) : QObject(parent) {
  watcher_.addPath(folder);
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  const auto noted = [this] {
    rewatch();
    settle_.start();
  };
  connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, noted);
  connect(&watcher_, &QFileSystemWatcher::fileChanged, this, noted);
  connect(&settle_, &QTimer::timeout, this, &DayWatcher::changed);
}

void DayWatcher::watchDay(const QStringList& paths) {
  if (const QStringList old = watcher_.files(); !old.isEmpty()) watcher_.removePaths(old);
  dayFiles_ = paths;
  rewatch();
}

void DayWatcher::rewatch() {
  // A file replaced by a rename is no longer watched; one just created is not yet.
  const QStringList watched = watcher_.files();
  for (const QString& path : dayFiles_)
    if (!watched.contains(path) && QFileInfo::exists(path)) watcher_.addPath(path);
}

}  // namespace orlane
