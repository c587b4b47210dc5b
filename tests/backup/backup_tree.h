// A user folder of ten years for backup tests, and a file-by-file comparison.
#pragma once

#include "days/day_files.h"
#include "support/random_bytes.h"

#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMap>

namespace orlane::test {

inline void WriteTestFile(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile f(path);
  if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
}

// Reminders on every third day, pages on every fifth, a sound diary each
// month, the settings files, an empty file and a file of exactly one chunk.
inline void FillTenYears(const QString& folder, qint64 soundBytes = 8000) {
  RandomBytes random(25);
  QDate day(2015, 1, 1);
  for (int n = 0; day.year() < 2025; ++n, day = day.addDays(1)) {
    const QString key = MakeDayKey(day.year(), day.month(), day.day());
    if (n % 3 == 0) WriteTestFile(folder + key + QStringLiteral(".alm"), random.bytes(300));
    if (n % 5 == 0) WriteTestFile(folder + key + QStringLiteral(".dia"), random.bytes(1500));
    if (day.day() == 1) {
      QByteArray sound(soundBytes, '\0');
      for (char& c : sound) c = static_cast<char>(random.next() >> 24);
      WriteTestFile(folder + key + QStringLiteral(".rec"), sound);
    }
  }
  WriteTestFile(folder + QStringLiteral("Orlane.cfg"), random.bytes(66));
  WriteTestFile(folder + QStringLiteral("user.sav"), QByteArray(40, 'u'));
  WriteTestFile(folder + QStringLiteral("Deskleaf.cfg"), random.bytes(40));
  WriteTestFile(folder + QStringLiteral("extra.cfg"), "backup_reminder_days=7\nsomething_newer=1\n");
  WriteTestFile(folder + QStringLiteral("empty"), {});
  WriteTestFile(folder + QStringLiteral("chunk"), QByteArray(1 << 16, 'c'));
  WriteTestFile(folder + QStringLiteral("pictures/day one.bmp"), QByteArray(5000, 'p'));
}

// Every file below folder by relative name, with its bytes.
inline QMap<QString, QByteArray> ReadTree(const QString& folder) {
  QMap<QString, QByteArray> tree;
  QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString path = it.next();
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    tree.insert(QDir(folder).relativeFilePath(path), f.readAll());
  }
  return tree;
}

}  // namespace orlane::test
