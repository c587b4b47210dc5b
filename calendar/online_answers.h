// What the program makes of the vendor site's answers: the holiday file
// acceptance rule (its shape: date lines, each followed by a name line) and
// its four outcomes, the version file (a version of at most 4 characters on
// its first line, optionally the address of the download page on its second),
// the update decision, and the exact texts the user is shown for each.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace orlane {

// The answer read as the program reads it: in pieces of pieceSize bytes, each
// piece kept up to its first zero byte.
QByteArray JoinPiecesAsText(const QByteArray& body, int pieceSize);

// ---- holiday files ----
inline constexpr int kHolidayPieceSize = 512;

enum class HolidaySyncOutcome { NoConnection, NoRecord, WriteFailed, Success };

// "/holidays/Holidays_2005.bin".
QString HolidayDownloadPath(int year);
// The shape of a holiday file: it begins with "01/01"; lines end in CR LF
// (the last one may end the data instead, empty lines may trail); every
// holiday is a date line "MM/DD" (a real month and day) followed by a
// non-empty name line. An error page or a file whose lines end in LF alone
// has not this shape.
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
// The site's download page, when the version file names none. A page: the
// program never downloads or starts an installer itself.
inline constexpr char kDownloadPagePath[] = "/download/";

// What asking for the version file brought.
enum class VersionAnswerKind {
  Version,       // a version text (and maybe the download page)
  NoConnection,  // no answer: no connection, no complete answer in time
  NotFound,      // the site answered with an HTTP error (404: no version file)
  NotAVersion,   // the site answered, but not with a version of at most 4 characters
};
struct VersionAnswer {
  VersionAnswerKind kind = VersionAnswerKind::NoConnection;
  QString version;
  QString downloadPage;  // the second line as it stands; empty when none
  int httpStatus = 0;
};

// A successful answer's body: the first line (up to CR LF or LF) is the
// version, the second the download page's address.
VersionAnswer VersionFromAnswer(const QByteArray& body);

// The download page to open for an answer's named page: an address on the
// vendor's own host (a path is taken on the site), never a program to
// download; anything else gives the site's download page.
QUrl DownloadPageUrl(const QString& named);

enum class UpdateDecision { NoConnection, NotFound, NotAVersion, AlreadyNewest, OfferUpdate };
UpdateDecision DecideUpdate(const VersionAnswer& latest, const QString& current);
// At start-up only a differing version, or no answer at all, leads to the
// full check; a site that answered without a version is not worth a notice
// at every start.
bool StartupCheckNeeded(const VersionAnswer& latest, const QString& current);

QString UpdateConnectionMessage(const QString& host);
QString VersionNotFoundMessage(const QString& host, const QString& productName, int httpStatus);
QString NotAVersionMessage(const QString& host);
QString AlreadyNewestMessage(const QString& productName);
QString OfferUpdateQuestion(const QString& latest, const QString& productName);

}  // namespace orlane
