// The time of a day's reminder as libical holds it: floating local time, as
// the day files keep their times.
#pragma once

#include <QByteArray>
#include <QDate>

#include <libical/ical.h>

namespace orlane {

icaltimetype FloatingTime(const QDate& date, const QByteArray& timeKey);

}  // namespace orlane
