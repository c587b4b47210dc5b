// One calendar collection of a CalDAV server, through a DavClient: finding it
// (current-user-principal, calendar-home-set, the calendar by name), listing
// what changed since a sync token (sync-collection, RFC 6578) or every
// resource's ETag where the server offers no sync-collection, fetching
// resources (calendar-multiget), and conditional writes and deletions.
// Every operation answers through its callback from the event loop; the
// resources are opaque bytes here.
#pragma once

#include "caldav/dav_client.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <map>
#include <vector>

namespace orlane {

struct CalDavFound {
  bool ok = false;
  QString error;
  QUrl calendar;  // the collection, ending in '/'
  QString displayName;
  bool offersSyncCollection = false;
};

struct CalDavChanges {
  bool ok = false;
  QString error;
  bool complete = false;                  // changed lists every resource (no token, or the token was refused)
  std::map<QString, QByteArray> changed;  // href path -> ETag
  std::vector<QString> removed;           // href paths
  QByteArray token;                       // the new sync token; empty without sync-collection
};

struct CalDavResourceData {
  QString href;
  QByteArray etag;
  QByteArray data;
};

struct CalDavFetched {
  bool ok = false;
  QString error;
  std::vector<CalDavResourceData> resources;
  std::vector<QString> missing;  // asked for, but gone from the server
};

struct CalDavWritten {
  bool ok = false;
  bool conflict = false;  // the resource is not as expected (412): changed or made by someone else
  bool gone = false;      // a deletion found nothing (404): as good as deleted
  QString error;
  QByteArray etag;  // of the written resource
};

class CalDavCalendar final : public QObject {
  Q_OBJECT

 public:
  explicit CalDavCalendar(QObject* parent = nullptr);

  DavClient& client() { return *client_; }
  void setCredentials(const QString& user, const QString& password) { client_->setCredentials(user, password); }

  // Finds the calendar named name (its display name or its last path part;
  // empty: the first calendar of events) from the server address, which may
  // be the server, the principal, the calendar home or the calendar itself.
  void discover(const QUrl& server, const QString& name, std::function<void(const CalDavFound&)> done);
  // Uses a calendar found before.
  void setCalendar(const QUrl& calendar, bool offersSyncCollection);
  const QUrl& calendar() const { return calendar_; }

  // Changes since token (empty: everything).
  void changesSince(const QByteArray& token, std::function<void(const CalDavChanges&)> done);
  void fetch(const QStringList& hrefs, std::function<void(const CalDavFetched&)> done);
  // Writes data at href: with etag only when the resource still has it,
  // without only when there is no resource there yet.
  void put(const QString& href, const QByteArray& data, const QByteArray& etag,
           std::function<void(const CalDavWritten&)> done);
  void remove(const QString& href, const QByteArray& etag, std::function<void(const CalDavWritten&)> done);

  // A new resource's path in the calendar for a UID.
  QString hrefForUid(const QByteArray& uid) const;
  // The path of an href the server wrote (absolute URL or path, percent-encoded).
  QString pathOf(const QString& href) const;
  // The changes a multistatus answer lists, or its error.
  CalDavChanges readChanges(const DavReply& reply) const;

 private:
  void listEtags(std::function<void(const CalDavChanges&)> done);
  void fetchBatch(QStringList rest, const std::shared_ptr<CalDavFetched>& into,
                  std::function<void(const CalDavFetched&)> done);
  void findCalendarIn(const QUrl& home, const QString& name, std::function<void(const CalDavFound&)> done);
  QUrl urlOf(const QString& path) const;

  DavClient* client_ = nullptr;  // owned as a child
  QUrl calendar_;
  bool syncCollection_ = false;
};

}  // namespace orlane
