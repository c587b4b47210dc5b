// What a CalDAV sync remembers between runs ("caldav.dat" in the user folder,
// scrambled like a reminder day file and written atomically; older versions
// never read it): the account (server address, user name, calendar), the
// calendar collection found for it and its last sync token, and for every
// synchronised item (a reminder by day and time, a series by UID, a diary
// page by day) the resource it is on the server: href, UID, the ETag last
// seen and the hash of the item's content at the last sync. The password is
// never here.
//
// The text is UTF-8, one record a line, fields separated by tabs, with tab,
// line breaks and '%' written as %09, %0A, %0D, %25. Lines the reader does
// not understand are written back as they were.
#pragma once

#include "platform/file_io.h"

#include <QByteArray>
#include <QString>
#include <map>
#include <vector>

namespace orlane {

struct SyncItem {
  QString href;  // path on the server, percent-encoded as it asks
  QByteArray uid;
  QByteArray etag;
  QByteArray hash;  // of the content at the last sync, as SyncContentHash makes it

  bool operator==(const SyncItem&) const = default;
};

struct SyncState {
  QString server;  // as set up
  QString user;
  QString calendarName;  // empty: the account's first calendar
  QString collection;    // the calendar's address, once found
  bool syncCollection = false;
  QByteArray token;
  std::map<QString, SyncItem> items;  // item key -> resource
  std::vector<QByteArray> otherLines;

  bool operator==(const SyncState&) const = default;
  bool configured() const { return !server.isEmpty(); }
  // The key of the item at href, or empty.
  QString keyOfHref(const QString& href) const;
};

enum class SyncStateLoad { Ok, Missing, Unreadable, Damaged };

inline constexpr qint64 kSyncStateReadLimit = qint64(64) << 20;

QString SyncStateFilePath();
QByteArray SyncContentHash(const QByteArray& content);

// Damaged: not a state file of ours; state is then empty.
SyncStateLoad ParseSyncState(const QByteArray& plainText, SyncState& state);
QByteArray SerializeSyncState(const SyncState& state);

SyncStateLoad LoadSyncState(const QString& path, SyncState& state);
WriteResult SaveSyncState(const QString& path, const SyncState& state);

}  // namespace orlane
