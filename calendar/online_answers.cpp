#include "calendar/online_answers.h"

#include "calendar/holiday_file.h"
#include "calendar/vendor_site.h"
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

namespace {
bool IsHolidayDateLine(QByteArrayView line) {
  if (line.size() != 5 || line[2] != '/') return false;
  for (int i : {0, 1, 3, 4})
    if (line[i] < '0' || line[i] > '9') return false;
  const int month = (line[0] - '0') * 10 + (line[1] - '0');
  const int day = (line[3] - '0') * 10 + (line[4] - '0');
  return month >= 1 && month <= 12 && day >= 1 && day <= 31;
}
}  // namespace

bool IsAcceptableHolidayData(const QByteArray& data) {
  if (data.size() < 6 || !data.startsWith("01/01")) return false;
  QList<QByteArrayView> lines;
  for (qsizetype at = 0; at <= data.size();) {
    qsizetype end = data.indexOf("\r\n", at);
    if (end < 0) end = data.size();
    lines.append(QByteArrayView(data).sliced(at, end - at));
    at = end + 2;
  }
  while (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
  if (lines.size() < 2 || lines.size() % 2 != 0) return false;
  for (qsizetype i = 0; i < lines.size(); i += 2) {
    const QByteArrayView name = lines[i + 1];
    if (!IsHolidayDateLine(lines[i]) || name.isEmpty() || name.contains('\n') || name.contains('\r')) return false;
  }
  return true;
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

VersionAnswer VersionFromAnswer(const QByteArray& body) {
  const QString text = QString::fromLatin1(JoinPiecesAsText(body, kVersionPieceSize));
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines)
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
  VersionAnswer answer;
  answer.kind = VersionAnswerKind::NotAVersion;
  answer.httpStatus = 200;
  const QString version = lines.value(0);
  if (version.isEmpty() || version.size() > kMaxVersionLength) return answer;
  for (qsizetype i = 2; i < lines.size(); ++i)
    if (!lines[i].trimmed().isEmpty()) return answer;  // more than a version file holds
  answer.kind = VersionAnswerKind::Version;
  answer.version = version;
  answer.downloadPage = lines.value(1).trimmed();
  return answer;
}

QUrl DownloadPageUrl(const QString& named) {
  QUrl fallback = VendorUrl(QLatin1String(kDownloadPagePath));
  if (named.isEmpty()) return fallback;
  QUrl page = named.startsWith(QLatin1Char('/')) && !named.startsWith(QStringLiteral("//"))
                  ? VendorUrl(named)
                  : QUrl(named, QUrl::StrictMode);
  const QString path = page.path().toLower();
  if (!IsVendorAddress(page) || path.endsWith(QStringLiteral(".exe")) || path.endsWith(QStringLiteral(".msi")))
    return fallback;
  return page;
}

UpdateDecision DecideUpdate(const VersionAnswer& latest, const QString& current) {
  switch (latest.kind) {
    case VersionAnswerKind::NoConnection: return UpdateDecision::NoConnection;
    case VersionAnswerKind::NotFound: return UpdateDecision::NotFound;
    case VersionAnswerKind::NotAVersion: return UpdateDecision::NotAVersion;
    case VersionAnswerKind::Version: break;
  }
  if (latest.version == current) return UpdateDecision::AlreadyNewest;
  return UpdateDecision::OfferUpdate;
}

bool StartupCheckNeeded(const VersionAnswer& latest, const QString& current) {
  const UpdateDecision decision = DecideUpdate(latest, current);
  return decision == UpdateDecision::NoConnection || decision == UpdateDecision::OfferUpdate;
}

QString UpdateConnectionMessage(const QString& host) {
  return QStringLiteral("Can not connect to ") + host + QStringLiteral(", Please check your network connection.");
}

QString VersionNotFoundMessage(const QString& host, const QString& productName, int httpStatus) {
  return QStringLiteral("The update site ") + host + QStringLiteral(" has no version information for ") + productName +
         QStringLiteral(" (it answered HTTP %1), so the newest version is not known.").arg(httpStatus);
}

QString NotAVersionMessage(const QString& host) {
  return QStringLiteral("The update site ") + host +
         QStringLiteral(" did not answer with a version number, so the newest version is not known.");
}

QString AlreadyNewestMessage(const QString& productName) {
  return QStringLiteral("Your ") + productName + QStringLiteral(" is already the newest one.");
}

QString OfferUpdateQuestion(const QString& latest, const QString& productName) {
  // The program stays open: it only shows the download page in the browser.
  return QStringLiteral("A new version ") + latest + QStringLiteral(" is available, do you want to update ") +
         productName + QStringLiteral(" now (its download page opens in your web browser)?");
}

}  // namespace orlane
