// Runs one CalDAV operation of the sync's protocol layer and prints the
// result as JSON, for the tests against a real server:
//   caldav_probe URL USER PASSWORD CALENDAR discover|changes TOKEN|fetch HREF...|
//                put HREF FILE ETAG|remove HREF ETAG
#include "caldav/caldav_calendar.h"

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

using namespace orlane;

namespace {
int Print(const QJsonObject& o) {
  std::fputs(QJsonDocument(o).toJson(QJsonDocument::Compact).constData(), stdout);
  std::fputs("\n", stdout);
  QCoreApplication::exit(o.value(u"ok").toBool() ? 0 : 1);
  return 0;
}

QJsonObject Written(const CalDavWritten& w) {
  return {{"ok", w.ok},
          {"conflict", w.conflict},
          {"gone", w.gone},
          {"etag", QString::fromUtf8(w.etag)},
          {"error", w.error}};
}

void Run(CalDavCalendar& cal, const QStringList& a) {
  const QString action = a.value(5);
  if (action == u"discover") return;
  if (action == u"changes") {
    cal.changesSince(a.value(6).toUtf8(), [](const CalDavChanges& c) {
      QJsonObject changed;
      for (const auto& [href, etag] : c.changed) changed[href] = QString::fromUtf8(etag);
      QJsonArray removed;
      for (const QString& href : c.removed) removed.append(href);
      Print({{"ok", c.ok},
             {"error", c.error},
             {"complete", c.complete},
             {"changed", changed},
             {"removed", removed},
             {"token", QString::fromUtf8(c.token)}});
    });
  } else if (action == u"fetch") {
    cal.fetch(a.mid(6), [](const CalDavFetched& f) {
      QJsonArray got, missing;
      for (const CalDavResourceData& r : f.resources)
        got.append(
            QJsonObject{{"href", r.href}, {"etag", QString::fromUtf8(r.etag)}, {"data", QString::fromUtf8(r.data)}});
      for (const QString& href : f.missing) missing.append(href);
      Print({{"ok", f.ok}, {"error", f.error}, {"resources", got}, {"missing", missing}});
    });
  } else if (action == u"put") {
    QFile file(a.value(7));
    if (!file.open(QIODevice::ReadOnly)) return void(Print({{"ok", false}, {"error", "no file"}}));
    const QString href = a.value(6).startsWith(u'/') ? a.value(6) : cal.hrefForUid(a.value(6).toUtf8());
    cal.put(href, file.readAll(), a.value(8).toUtf8(), [href](const CalDavWritten& w) {
      QJsonObject o = Written(w);
      o["href"] = href;
      Print(o);
    });
  } else if (action == u"remove") {
    cal.remove(a.value(6), a.value(7).toUtf8(), [](const CalDavWritten& w) { Print(Written(w)); });
  } else {
    Print({{"ok", false}, {"error", "unknown action"}});
  }
}
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList a = app.arguments();
  if (a.size() < 6) return 2;
  CalDavCalendar cal;
  cal.setCredentials(a[2], a[3]);
  cal.discover(ServerUrlFromText(a[1]), a[4], [&cal, &a](const CalDavFound& found) {
    if (!found.ok || a[5] == u"discover") {
      Print({{"ok", found.ok},
             {"error", found.error},
             {"calendar", found.calendar.toString()},
             {"sync", found.offersSyncCollection}});
      return;
    }
    Run(cal, a);
  });
  return app.exec();
}
