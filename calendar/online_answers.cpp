#include "calendar/online_answers.h"

#include "calendar/holiday_file.h"
#include "platform/file_io.h"

#include <QDir>

namespace orlane {

QByteArray JoinPiecesAsText(const QByteArray& body, int pieceSize) {
  if (pieceSize <= 0) return {};
  QByteArray text;
  text.reserve(body.size());
  for (qsizetype at = 0; at < body.size(); at += pieceSize) {
    const QByteArrayView piece = QByteArrayView(body).sliced(at, std::min<qsizetype>(pieceSize, body.size() - at));
    const qsizetype zero = piece.indexOf('\0');
    text.append(zero < 0 ? piece : piece.first(zero));
  }
  return text;
}

QString HolidayDownloadPath(int year) {
  return QStringLiteral("/holidays/") + HolidayFileName(year);
}

bool IsAcceptableHolidayData(const QByteArray& data) {
  return data.size() >= 6 && data.startsWith("01/01");
}

HolidaySyncOutcome StoreHolidayDownload(int year, const QByteArray& data) {
  if (!IsAcceptableHolidayData(data) || data.size() > kMaxHolidayFileBytes) return HolidaySyncOutcome::NoRecord;
  const QString folder = HolidayDownloadFolder();
  QDir().mkpath(folder);
  if (AtomicWriteFile(folder + HolidayFileName(year), data) != WriteResult::Written)
    return HolidaySyncOutcome::WriteFailed;
  ForgetHolidayFiles();
  return HolidaySyncOutcome::Success;
}

QString HolidaySyncMessage(HolidaySyncOutcome outcome, const QString& host) {
  switch (outcome) {
    case HolidaySyncOutcome::NoConnection: return QStringLiteral("Can not connect to ") + host + QLatin1Char('.');
    case HolidaySyncOutcome::NoRecord: return QStringLiteral("No record found, synchronize failed!");
    case HolidaySyncOutcome::WriteFailed: return QStringLiteral("Holidays file written failed!");
    case HolidaySyncOutcome::Success: break;
  }
  return QStringLiteral("Holidays synchronized successfully!");
}

QString VersionFilePath(const QString& productName) {
  return QLatin1Char('/') + productName + QStringLiteral(".ver");
}

QString VersionFromAnswer(const QByteArray& body) {
  const QByteArray text = JoinPiecesAsText(body, kVersionPieceSize);
  QString version = QString::fromLatin1(text);
  if (version.size() > kMaxVersionLength) return {};
  return version;
}

UpdateDecision DecideUpdate(const QString& latest, const QString& current) {
  if (latest.isEmpty()) return UpdateDecision::NoConnection;
  if (latest == current) return UpdateDecision::AlreadyNewest;
  return UpdateDecision::OfferUpdate;
}

QString UpdateConnectionMessage(const QString& host) {
  return QStringLiteral("Can not connect to ") + host + QStringLiteral(", Please check your network connection.");
}

QString AlreadyNewestMessage(const QString& productName) {
  return QStringLiteral("Your ") + productName + QStringLiteral(" is already the newest one.");
}

QString OfferUpdateQuestion(const QString& latest, const QString& productName) {
  return QStringLiteral("A new version ") + latest + QStringLiteral(" is available, do you want to update ") +
         productName + QStringLiteral(" now (the current ") + productName + QStringLiteral(" will be closed)?");
}

}  // namespace orlane
