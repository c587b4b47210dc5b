#include "caldav/dav_xml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace orlane {

namespace {
constexpr char16_t kDav[] = u"DAV:";
constexpr char16_t kCalDav[] = u"urn:ietf:params:xml:ns:caldav";
constexpr char kDavNs[] = "DAV:";
constexpr char kCalDavNs[] = "urn:ietf:params:xml:ns:caldav";

bool Is(const QXmlStreamReader& r, const char16_t* ns, const char16_t* name) {
  return r.namespaceUri() == QStringView(ns) && r.name() == QStringView(name);
}

// The text of the current element; child elements are read for their text too.
QString Text(QXmlStreamReader& r) {
  return r.readElementText(QXmlStreamReader::IncludeChildElements);
}

QByteArray Unquoted(const QString& etag) {
  QString t = etag.trimmed();
  if (t.startsWith(u"W/")) t = t.mid(2);
  if (t.size() >= 2 && t.startsWith(u'"') && t.endsWith(u'"')) t = t.mid(1, t.size() - 2);
  return t.toUtf8();
}

// The first <href> inside the current element.
QString ChildHref(QXmlStreamReader& r) {
  QString href;
  while (r.readNextStartElement()) {
    if (href.isEmpty() && Is(r, kDav, u"href"))
      href = Text(r).trimmed();
    else
      r.skipCurrentElement();
  }
  return href;
}

void ReadResourceType(QXmlStreamReader& r, DavResource& res) {
  while (r.readNextStartElement()) {
    if (Is(r, kDav, u"collection")) res.isCollection = true;
    if (Is(r, kCalDav, u"calendar")) res.isCalendar = true;
    r.skipCurrentElement();
  }
}

// supported-report-set / supported-report / report / <name>
void ReadReports(QXmlStreamReader& r, DavResource& res) {
  while (r.readNextStartElement()) {
    if (Is(r, kDav, u"supported-report") || Is(r, kDav, u"report")) {
      ReadReports(r, res);  // two levels at most: the schema's own depth
    } else {
      if (Is(r, kDav, u"sync-collection")) res.offersSyncCollection = true;
      r.skipCurrentElement();
    }
  }
}

void ReadComponents(QXmlStreamReader& r, DavResource& res) {
  while (r.readNextStartElement()) {
    if (Is(r, kCalDav, u"comp")) res.components << r.attributes().value(QLatin1StringView("name")).toString().toUpper();
    r.skipCurrentElement();
  }
}

void ReadProp(QXmlStreamReader& r, DavResource& into) {
  while (r.readNextStartElement()) {
    if (Is(r, kDav, u"getetag")) {
      into.etag = Unquoted(Text(r));
    } else if (Is(r, kCalDav, u"calendar-data")) {
      into.calendarData = Text(r).toUtf8();
      into.hasCalendarData = true;
    } else if (Is(r, kDav, u"displayname")) {
      into.displayName = Text(r).trimmed();
    } else if (Is(r, kDav, u"resourcetype")) {
      ReadResourceType(r, into);
    } else if (Is(r, kDav, u"current-user-principal")) {
      into.principalHref = ChildHref(r);
    } else if (Is(r, kCalDav, u"calendar-home-set")) {
      into.calendarHomeHref = ChildHref(r);
    } else if (Is(r, kDav, u"supported-report-set")) {
      ReadReports(r, into);
    } else if (Is(r, kCalDav, u"supported-calendar-component-set")) {
      ReadComponents(r, into);
    } else if (Is(r, kDav, u"sync-token")) {
      into.syncToken = Text(r).trimmed().toUtf8();
    } else {
      r.skipCurrentElement();
    }
  }
}

void MergeProps(const DavResource& from, DavResource& into) {
  if (!from.etag.isEmpty()) into.etag = from.etag;
  if (from.hasCalendarData) {
    into.calendarData = from.calendarData;
    into.hasCalendarData = true;
  }
  if (!from.displayName.isEmpty()) into.displayName = from.displayName;
  into.isCollection = into.isCollection || from.isCollection;
  into.isCalendar = into.isCalendar || from.isCalendar;
  if (!from.principalHref.isEmpty()) into.principalHref = from.principalHref;
  if (!from.calendarHomeHref.isEmpty()) into.calendarHomeHref = from.calendarHomeHref;
  into.offersSyncCollection = into.offersSyncCollection || from.offersSyncCollection;
  into.components << from.components;
  if (!from.syncToken.isEmpty()) into.syncToken = from.syncToken;
}

void ReadPropstat(QXmlStreamReader& r, DavResource& res) {
  DavResource props;
  int status = 0;
  while (r.readNextStartElement()) {
    if (Is(r, kDav, u"prop"))
      ReadProp(r, props);
    else if (Is(r, kDav, u"status"))
      status = ParseStatusLine(Text(r));
    else
      r.skipCurrentElement();
  }
  if (status >= 200 && status < 300) MergeProps(props, res);
}

DavResource ReadResponse(QXmlStreamReader& r) {
  DavResource res;
  bool propsSeen = false;
  while (r.readNextStartElement()) {
    if (Is(r, kDav, u"href") && res.href.isEmpty()) {
      res.href = Text(r).trimmed();
    } else if (Is(r, kDav, u"status")) {
      res.status = ParseStatusLine(Text(r));
    } else if (Is(r, kDav, u"propstat")) {
      ReadPropstat(r, res);
      propsSeen = true;
    } else {
      r.skipCurrentElement();
    }
  }
  if (res.status == 0 && propsSeen) res.status = 200;
  return res;
}

QByteArray Document(void (*body)(QXmlStreamWriter&)) {
  QByteArray out;
  QXmlStreamWriter w(&out);
  w.writeStartDocument();
  w.writeNamespace(QString::fromLatin1(kDavNs), QStringLiteral("d"));
  w.writeNamespace(QString::fromLatin1(kCalDavNs), QStringLiteral("c"));
  body(w);
  w.writeEndDocument();
  return out;
}

void Props(QXmlStreamWriter& w, std::initializer_list<std::pair<const char*, const char*>> names) {
  w.writeStartElement(QString::fromLatin1(kDavNs), QStringLiteral("prop"));
  for (const auto& [ns, name] : names) w.writeEmptyElement(QString::fromLatin1(ns), QString::fromLatin1(name));
  w.writeEndElement();
}

void Propfind(QXmlStreamWriter& w, std::initializer_list<std::pair<const char*, const char*>> names) {
  w.writeStartElement(QString::fromLatin1(kDavNs), QStringLiteral("propfind"));
  Props(w, names);
  w.writeEndElement();
}
}  // namespace

int ParseStatusLine(QStringView line) {
  const QList<QStringView> parts = line.trimmed().split(u' ', Qt::SkipEmptyParts);
  if (parts.size() < 2) return 0;
  bool ok = false;
  const int code = parts[1].toInt(&ok);
  return ok && code >= 100 && code <= 999 ? code : 0;
}

DavMultiStatus ParseMultiStatus(const QByteArray& xml) {
  DavMultiStatus out;
  if (xml.size() > kDavMaxAnswerBytes) {
    out.error = QStringLiteral("the answer is too large");
    return out;
  }
  QXmlStreamReader r(xml);
  if (!r.readNextStartElement() || !Is(r, kDav, u"multistatus")) {
    out.error = r.hasError() ? r.errorString() : QStringLiteral("not a multistatus answer");
    return out;
  }
  while (r.readNextStartElement()) {
    if (Is(r, kDav, u"response")) {
      if (out.responses.size() >= size_t(kDavMaxResponses)) {
        out.error = QStringLiteral("too many responses");
        out.responses.clear();
        return out;
      }
      out.responses.push_back(ReadResponse(r));
    } else if (Is(r, kDav, u"sync-token")) {
      out.syncToken = Text(r).trimmed().toUtf8();
    } else {
      r.skipCurrentElement();
    }
  }
  if (r.hasError()) {
    out.error = r.errorString();
    out.responses.clear();
    return out;
  }
  out.ok = true;
  return out;
}

QByteArray PropfindDiscoveryBody() {
  return Document([](QXmlStreamWriter& w) {
    Propfind(w, {{kDavNs, "current-user-principal"},
                 {kCalDavNs, "calendar-home-set"},
                 {kDavNs, "displayname"},
                 {kDavNs, "resourcetype"},
                 {kDavNs, "supported-report-set"},
                 {kCalDavNs, "supported-calendar-component-set"}});
  });
}

QByteArray PropfindEtagsBody() {
  return Document([](QXmlStreamWriter& w) { Propfind(w, {{kDavNs, "getetag"}, {kDavNs, "resourcetype"}}); });
}

QByteArray SyncCollectionBody(const QByteArray& token) {
  QByteArray out;
  QXmlStreamWriter w(&out);
  w.writeStartDocument();
  w.writeNamespace(QString::fromLatin1(kDavNs), QStringLiteral("d"));
  w.writeStartElement(QString::fromLatin1(kDavNs), QStringLiteral("sync-collection"));
  w.writeTextElement(QString::fromLatin1(kDavNs), QStringLiteral("sync-token"), QString::fromUtf8(token));
  w.writeTextElement(QString::fromLatin1(kDavNs), QStringLiteral("sync-level"), QStringLiteral("1"));
  Props(w, {{kDavNs, "getetag"}});
  w.writeEndElement();
  w.writeEndDocument();
  return out;
}

QByteArray MultigetBody(const QStringList& hrefs) {
  QByteArray out;
  QXmlStreamWriter w(&out);
  w.writeStartDocument();
  w.writeNamespace(QString::fromLatin1(kDavNs), QStringLiteral("d"));
  w.writeNamespace(QString::fromLatin1(kCalDavNs), QStringLiteral("c"));
  w.writeStartElement(QString::fromLatin1(kCalDavNs), QStringLiteral("calendar-multiget"));
  Props(w, {{kDavNs, "getetag"}, {kCalDavNs, "calendar-data"}});
  for (const QString& href : hrefs) w.writeTextElement(QString::fromLatin1(kDavNs), QStringLiteral("href"), href);
  w.writeEndElement();
  w.writeEndDocument();
  return out;
}

}  // namespace orlane
