// The title line's text: the time, today's holiday and the status after it,
// which is the shown day's (or a panel's passing message), the backup
// reminder and the calendar sync's outcome. Rebuilt at every tick and
// whenever one of its parts changes.
#pragma once

#include <QObject>
#include <QString>

class QLabel;

namespace orlane {

class ReminderOptions;

class TitleStatus final : public QObject {
  Q_OBJECT

 public:
  TitleStatus(QLabel& line, const ReminderOptions& options, QObject* parent = nullptr);
  Q_DISABLE_COPY_MOVE(TitleStatus)

  const QString& status() const { return status_; }
  // The day's status, or a panel's message in its place.
  void setStatus(const QString& status);
  // The day's status, with a fresh look at whether the folder holds any day (for the backup reminder).
  void setDayStatus(const QString& status);
  void setSyncStatus(const QString& status);
  void rebuild();

 private:
  QLabel& line_;
  const ReminderOptions& options_;
  QString status_;
  QString syncStatus_;
  bool folderHasDays_ = false;
};

}  // namespace orlane
