#include "platform/local_time.h"

#include <QDate>
#include <QLocale>

#include <array>

namespace orlane {

std::time_t MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
  std::tm tm{};
  tm.tm_year = year - 1900;
  tm.tm_mon = month - 1;
  tm.tm_mday = day;
  tm.tm_hour = hour;
  tm.tm_min = minute;
  tm.tm_sec = second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

std::tm LocalTm(std::time_t t) {
  std::tm tm{};
  localtime_r(&t, &tm);
  return tm;
}

LocalDate LocalDateOf(std::time_t t) {
  const std::tm tm = LocalTm(t);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

std::time_t StartOfLocalDay(std::time_t t) {
  const LocalDate d = LocalDateOf(t);
  return MakeLocalTime(d.year, d.month, d.day);
}

namespace {
QByteArray LongDateText(std::time_t t) {
  const LocalDate d = LocalDateOf(t);
  return QLocale::system().toString(QDate(d.year, d.month, d.day), QLocale::LongFormat).toUtf8();
}

// strftime with "%" codes escaped so a text spliced into a format stays literal.
QByteArray EscapePercent(const QByteArray& text) {
  QByteArray out = text;
  return out.replace("%", "%%");
}
}  // namespace

QByteArray TranslateWindowsTimeFormat(const char* format, std::time_t t) {
  QByteArray out;
  for (const char* p = format; *p; ++p) {
    if (*p != '%' || p[1] == '\0') {
      out += *p;
      continue;
    }
    if (p[1] == '%') {
      out += "%%";
      ++p;
      continue;
    }
    if (p[1] == 'z') {  // Windows: the zone's name
      out += "%Z";
      ++p;
      continue;
    }
    if (p[1] == '#' && p[2] != '\0') {
      const char code = p[2];
      p += 2;
      if (code == 'x') {
        out += EscapePercent(LongDateText(t));
      } else if (code == 'c') {
        out += EscapePercent(LongDateText(t)) + " %X";
      } else {
        out += "%-";  // glibc: no padding
        out += code;
      }
      continue;
    }
    out += *p;
    out += p[1];
    ++p;
  }
  return out;
}

QString FormatLocalTime(const char* format, std::time_t t) {
  const QByteArray translated = TranslateWindowsTimeFormat(format, t);
  const std::tm tm = LocalTm(t);
  std::array<char, 512> buffer{};
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
  const size_t n = std::strftime(buffer.data(), buffer.size(), translated.constData(), &tm);
#pragma GCC diagnostic pop
  return QString::fromLocal8Bit(buffer.data(), static_cast<qsizetype>(n));
}

}  // namespace orlane
