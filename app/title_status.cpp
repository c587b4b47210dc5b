#include "app/title_status.h"

#include "app/reminder_options.h"
#include "calendar/holiday_file.h"
#include "days/backup_settings.h"
#include "days/title_line.h"
#include "platform/clock.h"
#include "platform/local_time.h"

#include <QLabel>

namespace orlane {

TitleStatus::TitleStatus(QLabel& line, const ReminderOptions& options, QObject* parent)
    : QObject(parent), line_(line), options_(options) {}

void TitleStatus::setStatus(const QString& status) {
  status_ = status;
  rebuild();
}

void TitleStatus::setDayStatus(const QString& status) {
  folderHasDays_ = UserFolderHasDays();
  setStatus(status);
}

void TitleStatus::setSyncStatus(const QString& status) {
  syncStatus_ = status;
  rebuild();
}

void TitleStatus::rebuild() {
  const std::time_t now = NowSeconds();
  const QString backup = BackupReminderText(options_.settings(), now, folderHasDays_);
  QString status = backup.isEmpty() ? status_ : status_ + QLatin1Char(' ') + backup;
  if (!syncStatus_.isEmpty()) status += QLatin1Char(' ') + syncStatus_;
  const LocalDate today = LocalDateOf(now);
  line_.setText(TitleLineText(now, GetHolidayText(today.year, today.month, today.day), status));
}

}  // namespace orlane
