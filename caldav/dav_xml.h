// The WebDAV / CalDAV XML of a sync: the request bodies (PROPFIND for the
// discovery, the sync-collection and calendar-multiget REPORTs) and the reader
// of the multistatus answers. The reader takes only what a sync needs and
// skips every element it does not know; calendar data stays opaque bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace orlane {

// One <response> of a multistatus: its href, its status (the response's own,
// or 200 when only its properties carry one), and the properties that came
// with a 2xx propstat.
struct DavResource {
  QString href;  // as the server wrote it (percent-encoded path or URL)
  int status = 0;
  QByteArray etag;  // without the surrounding quotes
  bool hasCalendarData = false;
  QByteArray calendarData;
  QString displayName;
  bool isCollection = false;
  bool isCalendar = false;
  QString principalHref;     // current-user-principal
  QString calendarHomeHref;  // calendar-home-set
  bool offersSyncCollection = false;
  QStringList components;  // supported-calendar-component-set, e.g. VEVENT
  QByteArray syncToken;    // the collection's sync-token property
};

struct DavMultiStatus {
  bool ok = false;
  QString error;  // why the answer could not be read
  std::vector<DavResource> responses;
  QByteArray syncToken;  // the sync-collection report's new token
};

// Answers larger than this are not read (a calendar of years fits easily).
inline constexpr qsizetype kDavMaxAnswerBytes = qsizetype(64) << 20;
inline constexpr qsizetype kDavMaxResponses = 500000;

DavMultiStatus ParseMultiStatus(const QByteArray& xml);

// "HTTP/1.1 404 Not Found" -> 404; 0 when the line says no code.
int ParseStatusLine(QStringView line);

// Request bodies.
// current-user-principal, calendar-home-set, displayname, resourcetype,
// supported-report-set, supported-calendar-component-set: every step of finding a calendar.
QByteArray PropfindDiscoveryBody();
QByteArray PropfindEtagsBody();                          // getetag
QByteArray SyncCollectionBody(const QByteArray& token);  // empty token: the first sync
QByteArray MultigetBody(const QStringList& hrefs);

}  // namespace orlane
