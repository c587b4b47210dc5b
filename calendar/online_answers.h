// What the program makes of the vendor site's answers: the holiday file
// acceptance rule and its four outcomes, the version file's 4-character rule,
// the update decision, and the exact texts the user is shown for each.
#pragma once

#include <QByteArray>
#include <QString>

namespace orlane {

// The answer read as the program reads it: in pieces of pieceSize bytes, each
// piece kept up to its first zero byte.
QByteArray JoinPiecesAsText(const QByteArray& body, int pieceSize);

// ---- holiday files ----
inline constexpr int kHolidayPieceSize = 512;

enum class HolidaySyncOutcome { NoConnection, NoRecord, WriteFailed, Success };

// "/holidays/Holidays_2005.bin".
QString HolidayDownloadPath(int year);
// At least 6 characters, beginning with "01/01".
bool IsAcceptableHolidayData(const QByteArray& data);
// Checks the downloaded data and, when it is acceptable, stores it as the
// year's holiday file through an atomic write (a refused or failed write
// leaves the old file as it was).
HolidaySyncOutcome StoreHolidayDownload(int year, const QByteArray& data);
QString HolidaySyncMessage(HolidaySyncOutcome outcome, const QString& host);

// ---- version check ----
inline constexpr int kVersionPieceSize = 32;
inline constexpr int kMaxVersionLength = 4;

// "/Orlane 2.ver".
QString VersionFilePath(const QString& productName);
inline constexpr char kInstallerPath[] = "/download/installol2.exe";
// The version text of a successful answer, or empty when it is longer than 4
// characters.
QString VersionFromAnswer(const QByteArray& body);

enum class UpdateDecision { NoConnection, AlreadyNewest, OfferUpdate };
UpdateDecision DecideUpdate(const QString& latest, const QString& current);
// At start-up only a differing (or missing) answer leads to the full check.
inline bool StartupCheckNeeded(const QString& latest, const QString& current) {
  return latest != current;
}

QString UpdateConnectionMessage(const QString& host);
QString AlreadyNewestMessage(const QString& productName);
QString OfferUpdateQuestion(const QString& latest, const QString& productName);

}  // namespace orlane
