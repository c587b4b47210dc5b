#include "caldav/caldav_calendar.h"

#include "caldav/dav_xml.h"

#include <memory>

namespace orlane {

namespace {
constexpr int kFetchBatch = 100;

QByteArray Quoted(const QByteArray& etag) {
  return '"' + etag + '"';
}

QString WithSlash(QString path) {
  if (!path.endsWith(u'/')) path += u'/';
  return path;
}

QString LastSegment(const QString& path) {
  const QStringList parts = path.split(u'/', Qt::SkipEmptyParts);
  return parts.isEmpty() ? QString() : QUrl::fromPercentEncoding(parts.last().toUtf8());
}

bool HoldsEvents(const DavResource& r) {
  return r.isCalendar && (r.components.isEmpty() || r.components.contains(u"VEVENT"));
}

QString AnswerError(const DavReply& reply, const DavMultiStatus& parsed) {
  if (!reply.success()) return reply.error;
  return QStringLiteral("The server's answer cannot be read (%1).").arg(parsed.error);
}
}  // namespace

CalDavCalendar::CalDavCalendar(QObject* parent) : QObject(parent), client_(new DavClient(this)) {}

QUrl CalDavCalendar::urlOf(const QString& path) const {
  return calendar_.resolved(QUrl(path));
}

QString CalDavCalendar::pathOf(const QString& href) const {
  // One spelling of a path, however the server escapes it, so that hrefs compare equal.
  return QString::fromLatin1(QUrl::toPercentEncoding(urlOf(href).path(QUrl::FullyDecoded), "/@"));
}

QString CalDavCalendar::hrefForUid(const QByteArray& uid) const {
  return WithSlash(pathOf(calendar_.toString())) +
         QString::fromLatin1(QUrl::toPercentEncoding(QString::fromUtf8(uid), "@")) + QStringLiteral(".ics");
}

void CalDavCalendar::setCalendar(const QUrl& calendar, bool offersSyncCollection) {
  calendar_ = calendar;
  calendar_.setPath(WithSlash(calendar_.path()));
  syncCollection_ = offersSyncCollection;
}

void CalDavCalendar::discover(const QUrl& server, const QString& name, std::function<void(const CalDavFound&)> done) {
  calendar_ = server;
  client_->send(
      "PROPFIND", server, {{"Depth", "0"}}, PropfindDiscoveryBody(),
      [this, server, name, done = std::move(done)](const DavReply& reply) {
        const DavMultiStatus parsed = ParseMultiStatus(reply.body);
        if (!reply.success() || !parsed.ok || parsed.responses.empty()) {
          CalDavFound failed;
          failed.error = AnswerError(reply, parsed);
          if (reply.success() && parsed.ok) failed.error = DescribeHttpStatus(404);
          done(failed);
          return;
        }
        const DavResource& here = parsed.responses.front();
        if (here.isCalendar) {
          CalDavFound found;
          found.ok = true;
          setCalendar(server, here.offersSyncCollection);
          found.calendar = calendar_;
          found.displayName = here.displayName;
          found.offersSyncCollection = here.offersSyncCollection;
          done(found);
        } else if (!here.calendarHomeHref.isEmpty()) {
          findCalendarIn(server.resolved(QUrl(here.calendarHomeHref)), name, done);
        } else if (!here.principalHref.isEmpty() && server.resolved(QUrl(here.principalHref)).path() != server.path()) {
          discover(server.resolved(QUrl(here.principalHref)), name, done);
        } else {
          // A collection without principal or home: look for calendars inside it.
          findCalendarIn(server, name, done);
        }
      });
}

void CalDavCalendar::findCalendarIn(const QUrl& home, const QString& name,
                                    std::function<void(const CalDavFound&)> done) {
  client_->send("PROPFIND", home, {{"Depth", "1"}}, PropfindDiscoveryBody(),
                [this, home, name, done = std::move(done)](const DavReply& reply) {
                  const DavMultiStatus parsed = ParseMultiStatus(reply.body);
                  CalDavFound found;
                  if (!reply.success() || !parsed.ok) {
                    found.error = AnswerError(reply, parsed);
                    done(found);
                    return;
                  }
                  for (const DavResource& r : parsed.responses) {
                    if (!HoldsEvents(r)) continue;
                    const QUrl url = home.resolved(QUrl(r.href));
                    const bool named = r.displayName.compare(name, Qt::CaseInsensitive) == 0 ||
                                       LastSegment(url.path(QUrl::FullyEncoded)) == name;
                    if (!name.isEmpty() && !named) continue;
                    setCalendar(url, r.offersSyncCollection);
                    found.ok = true;
                    found.calendar = calendar_;
                    found.displayName = r.displayName;
                    found.offersSyncCollection = r.offersSyncCollection;
                    done(found);
                    return;
                  }
                  found.error = name.isEmpty() ? QStringLiteral("The server has no calendar for this account.")
                                               : QStringLiteral("The server has no calendar named \"%1\".").arg(name);
                  done(found);
                });
}

void CalDavCalendar::changesSince(const QByteArray& token, std::function<void(const CalDavChanges&)> done) {
  if (!syncCollection_) {
    listEtags(std::move(done));
    return;
  }
  client_->send("REPORT", calendar_, {}, SyncCollectionBody(token),
                [this, token, done = std::move(done)](const DavReply& reply) {
                  // A token the server no longer knows: start again from nothing.
                  if (!token.isEmpty() && reply.reached && (reply.status == 403 || reply.status == 409)) {
                    changesSince(QByteArray(), done);
                    return;
                  }
                  CalDavChanges out = readChanges(reply);
                  out.complete = token.isEmpty();
                  done(out);
                });
}

void CalDavCalendar::listEtags(std::function<void(const CalDavChanges&)> done) {
  client_->send("PROPFIND", calendar_, {{"Depth", "1"}}, PropfindEtagsBody(),
                [this, done = std::move(done)](const DavReply& reply) {
                  CalDavChanges out = readChanges(reply);
                  out.complete = true;
                  done(out);
                });
}

CalDavChanges CalDavCalendar::readChanges(const DavReply& reply) const {
  const DavMultiStatus parsed = ParseMultiStatus(reply.body);
  CalDavChanges out;
  if (!reply.success() || !parsed.ok) {
    out.error = AnswerError(reply, parsed);
    return out;
  }
  const QString own = WithSlash(pathOf(calendar_.toString()));
  for (const DavResource& r : parsed.responses) {
    const QString path = pathOf(r.href);
    if (path == own || r.isCollection) continue;
    // A sync report names removed resources with 404; a listing has none.
    if (r.status == 404)
      out.removed.push_back(path);
    else if (r.status >= 200 && r.status < 300)
      out.changed[path] = r.etag;
  }
  out.ok = true;
  out.token = parsed.syncToken;
  return out;
}

void CalDavCalendar::fetch(const QStringList& hrefs, std::function<void(const CalDavFetched&)> done) {
  fetchBatch(hrefs, std::make_shared<CalDavFetched>(), std::move(done));
}

void CalDavCalendar::fetchBatch(QStringList rest, const std::shared_ptr<CalDavFetched>& into,
                                std::function<void(const CalDavFetched&)> done) {
  if (rest.isEmpty()) {
    into->ok = true;
    done(*into);
    return;
  }
  const QStringList batch = rest.mid(0, kFetchBatch);
  rest = rest.mid(batch.size());
  client_->send("REPORT", calendar_, {{"Depth", "1"}}, MultigetBody(batch),
                [this, batch, rest, into, done = std::move(done)](const DavReply& reply) {
                  const DavMultiStatus parsed = ParseMultiStatus(reply.body);
                  if (!reply.success() || !parsed.ok) {
                    into->error = AnswerError(reply, parsed);
                    done(*into);
                    return;
                  }
                  QStringList asked = batch;
                  for (const DavResource& r : parsed.responses) {
                    const QString path = pathOf(r.href);
                    if (!asked.removeOne(path)) continue;
                    if (r.status >= 200 && r.status < 300 && r.hasCalendarData)
                      into->resources.push_back({path, r.etag, r.calendarData});
                    else
                      into->missing.push_back(path);
                  }
                  for (const QString& path : asked) into->missing.push_back(path);
                  fetchBatch(rest, into, done);
                });
}

void CalDavCalendar::put(const QString& href, const QByteArray& data, const QByteArray& etag,
                         std::function<void(const CalDavWritten&)> done) {
  const DavClient::Headers headers = {etag.isEmpty() ? std::pair{QByteArray("If-None-Match"), QByteArray("*")}
                                                     : std::pair{QByteArray("If-Match"), Quoted(etag)}};
  client_->send("PUT", urlOf(href), headers, data, [this, href, done = std::move(done)](const DavReply& reply) {
    CalDavWritten out;
    out.conflict = reply.reached && reply.status == 412;
    out.ok = reply.success();
    out.etag = reply.etag;
    if (!out.ok) {
      out.error = reply.error;
      done(out);
      return;
    }
    if (!out.etag.isEmpty()) {
      done(out);
      return;
    }
    // The server did not say the new ETag: ask for it.
    client_->send("PROPFIND", urlOf(href), {{"Depth", "0"}}, PropfindEtagsBody(),
                  [out, done](const DavReply& asked) mutable {
                    const DavMultiStatus parsed = ParseMultiStatus(asked.body);
                    if (asked.success() && parsed.ok && !parsed.responses.empty())
                      out.etag = parsed.responses.front().etag;
                    done(out);
                  });
  });
}

void CalDavCalendar::remove(const QString& href, const QByteArray& etag,
                            std::function<void(const CalDavWritten&)> done) {
  DavClient::Headers headers;
  if (!etag.isEmpty()) headers.push_back({"If-Match", Quoted(etag)});
  client_->send("DELETE", urlOf(href), headers, {}, [done = std::move(done)](const DavReply& reply) {
    CalDavWritten out;
    out.gone = reply.reached && reply.status == 404;
    out.conflict = reply.reached && reply.status == 412;
    out.ok = reply.success() || out.gone;
    if (!out.ok) out.error = reply.error;
    done(out);
  });
}

}  // namespace orlane
