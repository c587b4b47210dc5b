// Tells the main window that the user folder or the shown day's files were
// written, by the window itself or from outside (the command line, a
// file-sync program). A burst of changes comes as one changed() a moment
// after it ends; the window compares what it holds with the files.
#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

namespace orlane {

class DayWatcher final : public QObject {
  Q_OBJECT

 public:
  DayWatcher(const QString& folder, QObject* parent);

  // The files of the shown day, watched also while they do not exist yet.
  void watchDay(const QStringList& paths);

 Q_SIGNALS:
  void changed();

 private:
  void rewatch();

  QFileSystemWatcher watcher_;
  QTimer settle_;
  QStringList dayFiles_;
};

}  // namespace orlane
