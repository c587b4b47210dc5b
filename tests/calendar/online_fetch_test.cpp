#include "calendar/online_fetch.h"
#include "calendar/online_answers.h"
#include "calendar/vendor_site.h"
#include "holiday_test_folder.h"
#include "platform/clock.h"
#include "platform/file_io.h"
#include "platform/http_fetch.h"
#include "platform/services.h"
#include "support/http_test_server.h"

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QTcpServer>

namespace orlane {
namespace {

using test::HolidayTestFolder;
using test::HttpTestServer;
using test::kFourLineHolidays;

// Points the vendor address at a server (or at nothing) for one test.
class VendorAt {
 public:
  explicit VendorAt(const QString& base, int timeoutMs = 3000) {
    qputenv("ORLANE_VENDOR_URL", base.toUtf8());
    qputenv("ORLANE_FETCH_TIMEOUT_MS", QByteArray::number(timeoutMs));
  }
  ~VendorAt() {
    qunsetenv("ORLANE_VENDOR_URL");
    qunsetenv("ORLANE_FETCH_TIMEOUT_MS");
  }
  VendorAt(const VendorAt&) = delete;
  VendorAt& operator=(const VendorAt&) = delete;
};

// A port on which nobody listens.
QString DeadBaseUrl() {
  QTcpServer probe;
  probe.listen(QHostAddress::LocalHost, 0);
  const quint16 port = probe.serverPort();
  probe.close();
  return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

TEST(VendorSite, defaultAndConfiguredAddresses) {
  qunsetenv("ORLANE_VENDOR_URL");
  EXPECT_FALSE(VendorSiteConfigured());
  EXPECT_TRUE(VendorBaseUrl().isEmpty());
  {
    VendorAt vendor(QStringLiteral("http://127.0.0.1:8123/"));
    EXPECT_EQ(VendorHostText(), QStringLiteral("127.0.0.1:8123"));
    EXPECT_EQ(VendorUrl(VersionFilePath(QStringLiteral("Orlane 2"))).path(), QStringLiteral("/Orlane 2.ver"));
    EXPECT_EQ(VendorUrl(HolidayDownloadPath(2005)).toString(),
              QStringLiteral("http://127.0.0.1:8123/holidays/Holidays_2005.bin"));
    EXPECT_EQ(FetchTimeoutMs(), 3000);
  }
  {
    // Without a scheme the site is reached over HTTPS; only "http://" says otherwise.
    VendorAt bare(QStringLiteral("updates.example.net:8443"));
    EXPECT_EQ(VendorUrl(QStringLiteral("/x")).toString(), QStringLiteral("https://updates.example.net:8443/x"));
    EXPECT_TRUE(IsVendorAddress(QUrl(QStringLiteral("https://updates.example.net/download/installol2.exe"))));
    EXPECT_FALSE(IsVendorAddress(QUrl(QStringLiteral("https://evil.example.com/download/installol2.exe"))));
    EXPECT_FALSE(IsVendorAddress(QUrl(QStringLiteral("http://updates.example.net/download/installol2.exe"))));
  }
  {
    VendorAt bad(QStringLiteral("ftp://x"), 5);
    EXPECT_FALSE(VendorSiteConfigured());
    EXPECT_EQ(FetchTimeoutMs(), 100);
  }
}

TEST(JoinPiecesAsText, eachPieceStopsAtItsFirstZeroByte) {
  EXPECT_EQ(JoinPiecesAsText("abc", 2), QByteArray("abc"));
  EXPECT_EQ(JoinPiecesAsText(QByteArray("a\0bcd\0e", 7), 3), QByteArray("acde"));
  EXPECT_EQ(JoinPiecesAsText(QByteArray(), 512), QByteArray());
  EXPECT_EQ(JoinPiecesAsText("abc", 0), QByteArray());
}

TEST(OnlineAnswers, holidayAcceptanceRuleAndMessages) {
  EXPECT_TRUE(IsAcceptableHolidayData(kFourLineHolidays));
  EXPECT_TRUE(IsAcceptableHolidayData("01/01\r\nNew Year"));
  EXPECT_TRUE(IsAcceptableHolidayData("01/01\r\nNew Year\r\n12/25\r\nChristmas\r\n\r\n"));
  EXPECT_FALSE(IsAcceptableHolidayData("01/01\r"));
  EXPECT_FALSE(IsAcceptableHolidayData("01/01"));
  EXPECT_FALSE(IsAcceptableHolidayData("<html>01/01"));
  EXPECT_FALSE(IsAcceptableHolidayData(""));
  // Begins like one, but has not the shape of a holiday file.
  EXPECT_FALSE(IsAcceptableHolidayData("01/01 is not on this server\r\n"));
  EXPECT_FALSE(IsAcceptableHolidayData("01/01\nNew Year\n12/25\nChristmas\n"));  // LF alone
  EXPECT_FALSE(IsAcceptableHolidayData("01/01\r\nNew Year\r\n12/25\r\n"));       // a date without its name
  EXPECT_FALSE(IsAcceptableHolidayData("01/01\r\n\r\n12/25\r\nChristmas"));      // an empty name
  EXPECT_FALSE(IsAcceptableHolidayData("01/01\r\nNew Year\r\n13/25\r\nNever"));  // no such month
  EXPECT_FALSE(IsAcceptableHolidayData("01/01\r\nNew Year\r\n12/32\r\nNever"));  // no such day
  EXPECT_FALSE(IsAcceptableHolidayData("01/01\r\nNew Year\r\n<p>\r\nx"));
  EXPECT_EQ(HolidaySyncMessage(HolidaySyncOutcome::NoConnection, QStringLiteral("h")),
            QStringLiteral("Can not connect to h."));
  EXPECT_EQ(HolidaySyncMessage(HolidaySyncOutcome::NoRecord, {}),
            QStringLiteral("No record found, synchronize failed!"));
  EXPECT_EQ(HolidaySyncMessage(HolidaySyncOutcome::WriteFailed, {}), QStringLiteral("Holidays file written failed!"));
  EXPECT_EQ(HolidaySyncMessage(HolidaySyncOutcome::Success, {}), QStringLiteral("Holidays synchronized successfully!"));
}

TEST(OnlineAnswers, versionRuleAndDecision) {
  EXPECT_EQ(VersionFromAnswer("2.40").version, QStringLiteral("2.40"));
  EXPECT_EQ(VersionFromAnswer("2.400").kind, VersionAnswerKind::NotAVersion);
  EXPECT_EQ(VersionFromAnswer("").kind, VersionAnswerKind::NotAVersion);
  EXPECT_EQ(VersionFromAnswer("<html><body>Not Found</body></html>").kind, VersionAnswerKind::NotAVersion);
  EXPECT_EQ(VersionFromAnswer("2.35\n").version, QStringLiteral("2.35"));
  EXPECT_EQ(VersionFromAnswer(QByteArray("2.4\0junk", 8)).version, QStringLiteral("2.4"));
  const VersionAnswer named = VersionFromAnswer("2.40\r\n/download/orlane-2.40.html\r\n");
  EXPECT_EQ(named.version, QStringLiteral("2.40"));
  EXPECT_EQ(named.downloadPage, QStringLiteral("/download/orlane-2.40.html"));
  EXPECT_EQ(VersionFromAnswer("2.40\n/download/\nand more").kind, VersionAnswerKind::NotAVersion);
  VersionAnswer none;
  VersionAnswer missing;
  missing.kind = VersionAnswerKind::NotFound;
  missing.httpStatus = 404;
  EXPECT_EQ(DecideUpdate(none, QStringLiteral("2.35")), UpdateDecision::NoConnection);
  EXPECT_EQ(DecideUpdate(missing, QStringLiteral("2.35")), UpdateDecision::NotFound);
  EXPECT_EQ(DecideUpdate(VersionFromAnswer("2.35"), QStringLiteral("2.35")), UpdateDecision::AlreadyNewest);
  EXPECT_EQ(DecideUpdate(VersionFromAnswer("2.3"), QStringLiteral("2.35")), UpdateDecision::OfferUpdate);
  EXPECT_FALSE(StartupCheckNeeded(VersionFromAnswer("2.35"), QStringLiteral("2.35")));
  EXPECT_TRUE(StartupCheckNeeded(none, QStringLiteral("2.35")));
  EXPECT_FALSE(StartupCheckNeeded(missing, QStringLiteral("2.35")));
  EXPECT_FALSE(StartupCheckNeeded(VersionFromAnswer("2.400"), QStringLiteral("2.35")));
  EXPECT_EQ(OfferUpdateQuestion(QStringLiteral("2.40"), QStringLiteral("Orlane 2")),
            QStringLiteral("A new version 2.40 is available, do you want to update Orlane 2 now (its download page "
                           "opens in your web browser)?"));
  EXPECT_EQ(VersionNotFoundMessage(QStringLiteral("h"), QStringLiteral("Orlane 2"), 404),
            QStringLiteral("The update site h has no version information for Orlane 2 (it answered HTTP 404), so the "
                           "newest version is not known."));
  EXPECT_EQ(UpdateConnectionMessage(QStringLiteral("h")),
            QStringLiteral("Can not connect to h, Please check your network connection."));
  EXPECT_EQ(AlreadyNewestMessage(QStringLiteral("Orlane 2")),
            QStringLiteral("Your Orlane 2 is already the newest one."));
}

TEST(HttpFetch, answersErrorsHangsAndBreaks) {
  HttpTestServer server;
  ASSERT_TRUE(server.listening());
  server.serve(QStringLiteral("/ok"), 200, "hello");
  server.serveHanging(QStringLiteral("/hang"));
  server.serveBroken(QStringLiteral("/broken"), QByteArray(4000, 'x'), 100);
  HttpFetchOptions options;
  options.timeoutMs = 700;

  const HttpFetchResult ok = HttpFetch(QUrl(server.baseUrl() + QStringLiteral("/ok")), options);
  EXPECT_TRUE(ok.httpSuccess());
  EXPECT_EQ(ok.body, QByteArray("hello"));

  const HttpFetchResult missing = HttpFetch(QUrl(server.baseUrl() + QStringLiteral("/none")), options);
  EXPECT_TRUE(missing.ok());
  EXPECT_EQ(missing.httpStatus, 404);
  EXPECT_FALSE(missing.httpSuccess());
  EXPECT_TRUE(missing.body.contains("404"));

  QElapsedTimer timer;
  timer.start();
  const HttpFetchResult hang = HttpFetch(QUrl(server.baseUrl() + QStringLiteral("/hang")), options);
  EXPECT_EQ(hang.status, HttpFetchStatus::TimedOut);
  EXPECT_LT(timer.elapsed(), 5000);

  const HttpFetchResult broken = HttpFetch(QUrl(server.baseUrl() + QStringLiteral("/broken")), options);
  EXPECT_FALSE(broken.ok());

  options.maxBytes = 10;
  server.serve(QStringLiteral("/big"), 200, QByteArray(5000, 'b'));
  EXPECT_EQ(HttpFetch(QUrl(server.baseUrl() + QStringLiteral("/big")), options).status, HttpFetchStatus::TooLarge);

  EXPECT_EQ(HttpFetch(QUrl(DeadBaseUrl() + QStringLiteral("/x")), options).status, HttpFetchStatus::NoConnection);
  EXPECT_EQ(HttpFetch(QUrl(QStringLiteral("file:///etc/passwd")), options).status, HttpFetchStatus::NoConnection);
}

TEST(HttpFetch, redirectsAreFollowedOnlyOnTheSameHost) {
  HttpTestServer server;
  HttpTestServer elsewhere;
  server.serve(QStringLiteral("/ok"), 200, "hello");
  server.serveRedirect(QStringLiteral("/moved"), "/ok");
  elsewhere.serve(QStringLiteral("/evil"), 200, "2.99");
  QString other = elsewhere.baseUrl() + QStringLiteral("/evil");
  other.replace(QStringLiteral("127.0.0.1"), QStringLiteral("localhost"));
  server.serveRedirect(QStringLiteral("/away"), other.toUtf8());
  HttpFetchOptions options;
  options.timeoutMs = 2000;

  const HttpFetchResult moved = HttpFetch(QUrl(server.baseUrl() + QStringLiteral("/moved")), options);
  EXPECT_TRUE(moved.httpSuccess());
  EXPECT_EQ(moved.body, "hello");
  const HttpFetchResult away = HttpFetch(QUrl(server.baseUrl() + QStringLiteral("/away")), options);
  EXPECT_EQ(away.status, HttpFetchStatus::Redirected);
  EXPECT_TRUE(away.body.isEmpty());
  EXPECT_TRUE(elsewhere.requests().isEmpty());
}

TEST(DownloadHolidayFile, goodFile_isStoredByteForByte) {
  HolidayTestFolder folder;
  HttpTestServer server;
  VendorAt vendor(server.baseUrl());
  server.serve(QStringLiteral("/holidays/Holidays_2005.bin"), 200, kFourLineHolidays);
  EXPECT_EQ(DownloadHolidayFile(2005), HolidaySyncOutcome::Success);
  EXPECT_EQ(folder.read(2005), kFourLineHolidays);
  EXPECT_EQ(GetHolidayText(2005, 12, 25), QStringLiteral("Christmas"));
  EXPECT_EQ(server.requests(), QStringList{QStringLiteral("/holidays/Holidays_2005.bin")});
}

TEST(DownloadHolidayFile, badAnswers_neverReplaceAGoodFile) {
  HolidayTestFolder folder;
  HttpTestServer server;
  VendorAt vendor(server.baseUrl(), 600);
  folder.write(2006, kFourLineHolidays);
  const QString path = QStringLiteral("/holidays/Holidays_2006.bin");

  EXPECT_EQ(DownloadHolidayFile(2006), HolidaySyncOutcome::NoRecord);  // the server's 404 page
  server.serve(path, 200, "<html>Not here</html>");
  EXPECT_EQ(DownloadHolidayFile(2006), HolidaySyncOutcome::NoRecord);
  server.serve(path, 200, "01/01");
  EXPECT_EQ(DownloadHolidayFile(2006), HolidaySyncOutcome::NoRecord);
  server.serve(path, 500, "01/01\r\nAn error page that looks right");
  EXPECT_EQ(DownloadHolidayFile(2006), HolidaySyncOutcome::NoRecord);
  server.serveBroken(path, "01/01\r\nNew Year\r\n" + QByteArray(3000, 'x'), 40);
  EXPECT_EQ(DownloadHolidayFile(2006), HolidaySyncOutcome::NoConnection);
  server.serveHanging(path);
  EXPECT_EQ(DownloadHolidayFile(2006), HolidaySyncOutcome::NoConnection);
  EXPECT_EQ(folder.read(2006), kFourLineHolidays);
}

TEST(DownloadHolidayFile, failedWrite_keepsTheOldFile) {
  HolidayTestFolder folder;
  HttpTestServer server;
  VendorAt vendor(server.baseUrl());
  folder.write(2007, kFourLineHolidays);
  server.serve(QStringLiteral("/holidays/Holidays_2007.bin"), 200, "01/01\r\nOther");
  SetService(&Services::failWriteStep, [](AtomicWriteStep step) { return step == AtomicWriteStep::Rename; });
  EXPECT_EQ(DownloadHolidayFile(2007), HolidaySyncOutcome::WriteFailed);
  SetService(&Services::failWriteStep, {});
  EXPECT_EQ(folder.read(2007), kFourLineHolidays);
}

TEST(DownloadHolidayFile, noServer_isNoConnection) {
  HolidayTestFolder folder;
  VendorAt vendor(DeadBaseUrl());
  EXPECT_EQ(DownloadHolidayFile(2005), HolidaySyncOutcome::NoConnection);
}

TEST(GetLatestVersion, versionFileRules) {
  HttpTestServer server;
  VendorAt vendor(server.baseUrl(), 600);
  const QString path = QStringLiteral("/Orlane 2.ver");
  server.serve(path, 200, "2.40");
  EXPECT_EQ(GetLatestVersion(QStringLiteral("Orlane 2")).version, QStringLiteral("2.40"));
  EXPECT_EQ(server.requests().last(), path);
  server.serve(path, 200, "2.400");
  EXPECT_EQ(GetLatestVersion(QStringLiteral("Orlane 2")).kind, VersionAnswerKind::NotAVersion);
  server.serve(path, 404, "404");  // a short error page is not a version
  const VersionAnswer missing = GetLatestVersion(QStringLiteral("Orlane 2"));
  EXPECT_EQ(missing.kind, VersionAnswerKind::NotFound);
  EXPECT_EQ(missing.httpStatus, 404);
  server.serveHanging(path);
  EXPECT_EQ(GetLatestVersion(QStringLiteral("Orlane 2")).kind, VersionAnswerKind::NoConnection);
  server.clear();
  EXPECT_EQ(GetLatestVersion(QStringLiteral("Orlane 2")).kind, VersionAnswerKind::NotFound);
  VendorAt dead(DeadBaseUrl(), 600);
  EXPECT_EQ(GetLatestVersion(QStringLiteral("Orlane 2")).kind, VersionAnswerKind::NoConnection);
}

}  // namespace
}  // namespace orlane
