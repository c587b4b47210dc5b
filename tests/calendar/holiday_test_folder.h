// A temporary holiday folder for one test: it becomes ORLANE_HOLIDAY_DIR (the
// only folder read and written) and the cache is forgotten on the way in and
// out, so no test sees another's files or the build folder's.
#pragma once

#include "calendar/holiday_file.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

namespace orlane::test {

class HolidayTestFolder {
 public:
  HolidayTestFolder() {
    qputenv("ORLANE_HOLIDAY_DIR", dir_.path().toUtf8());
    ForgetHolidayFiles();
  }
  ~HolidayTestFolder() {
    qunsetenv("ORLANE_HOLIDAY_DIR");
    ForgetHolidayFiles();
  }
  HolidayTestFolder(const HolidayTestFolder&) = delete;
  HolidayTestFolder& operator=(const HolidayTestFolder&) = delete;

  QString path(int year) const { return dir_.path() + QLatin1Char('/') + HolidayFileName(year); }
  void write(int year, const QByteArray& bytes) const {
    QFile f(path(year));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
  }
  QByteArray read(int year) const {
    QFile f(path(year));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

 private:
  QTemporaryDir dir_;
};

inline const QByteArray kFourLineHolidays = "01/01\r\nNew Year\r\n12/25\r\nChristmas";

}  // namespace orlane::test
