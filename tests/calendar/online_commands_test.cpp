#include "calendar/online_commands.h"
#include "calendar/calendar_notice.h"
#include "controls/modal_responder.h"
#include "controls/msg_box_dlg.h"
#include "holiday_test_folder.h"
#include "support/http_test_server.h"

#include <gtest/gtest.h>
#include <QDialog>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTimer>

#include <vector>

namespace orlane {
namespace {

using test::HolidayTestFolder;
using test::HttpTestServer;
using test::kFourLineHolidays;

// Records every message box and answers questions as told; records opened
// addresses instead of starting a browser.
class OnlineCommandsTest : public ::testing::Test {
 protected:
  OnlineCommandsTest() {
    qputenv("ORLANE_VENDOR_URL", server_.baseUrl().toUtf8());
    qputenv("ORLANE_FETCH_TIMEOUT_MS", "600");
  }
  ~OnlineCommandsTest() override {
    qunsetenv("ORLANE_VENDOR_URL");
    qunsetenv("ORLANE_FETCH_TIMEOUT_MS");
  }
  QString Host() const { return QStringLiteral("127.0.0.1:%1").arg(server_.port()); }
  void ServeVersion(const QByteArray& text) { server_.serve(QStringLiteral("/Orlane 2.ver"), 200, text); }

  HttpTestServer server_;
  HolidayTestFolder holidays_;
  std::vector<Notice> notices_;
  std::vector<QUrl> opened_;
  bool answerYes_ = false;
  QDialog window_;
  ScopedModalResponder answers_{[this](const ModalRequest& r) {
    const auto* box = qobject_cast<const CMsgBoxDlg*>(r.dialog);
    notices_.push_back({r.boxKind == CMsgBoxDlg::kYesNo ? NoticeKind::Question : NoticeKind::Information, r.text,
                        box ? box->Theme() : -1});
    return answerYes_ ? 1 : 2;
  }};
  ScopedService<std::function<bool(const QUrl&)>> opener_{&Services::openUrl, [this](const QUrl& url) {
                                                            opened_.push_back(url);
                                                            return true;
                                                          }};
};

TEST_F(OnlineCommandsTest, syncHolidays_storesAGoodFileAndSaysSo) {
  server_.serve(QStringLiteral("/holidays/Holidays_2005.bin"), 200, kFourLineHolidays);
  EXPECT_EQ(SyncHolidays(&window_, 3, 2005), HolidaySyncOutcome::Success);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].text, QStringLiteral("Holidays synchronized successfully!"));
  EXPECT_EQ(notices_[0].theme, 3);
  EXPECT_EQ(holidays_.read(2005), kFourLineHolidays);
  EXPECT_EQ(GetHolidayText(2005, 12, 25), QStringLiteral("Christmas"));
}

TEST_F(OnlineCommandsTest, syncHolidays_errorPageKeepsTheGoodFile) {
  holidays_.write(2005, kFourLineHolidays);
  server_.serve(QStringLiteral("/holidays/Holidays_2005.bin"), 404, "<html>Not Found</html>");
  EXPECT_EQ(SyncHolidays(&window_, 1, 2005), HolidaySyncOutcome::NoRecord);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].text, QStringLiteral("No record found, synchronize failed!"));
  EXPECT_EQ(holidays_.read(2005), kFourLineHolidays);
}

TEST_F(OnlineCommandsTest, syncHolidays_answerWithoutTheShapeOfAHolidayFileIsRefused) {
  holidays_.write(2005, kFourLineHolidays);
  for (const QByteArray& page :
       {QByteArray("01/01 was not found on this server."), QByteArray("01/01\nNew Year\n12/25\nBoxing Day\n")}) {
    notices_.clear();
    server_.serve(QStringLiteral("/holidays/Holidays_2005.bin"), 200, page);
    EXPECT_EQ(SyncHolidays(&window_, 1, 2005), HolidaySyncOutcome::NoRecord);
    ASSERT_EQ(notices_.size(), 1u);
    EXPECT_EQ(notices_[0].text, QStringLiteral("No record found, synchronize failed!"));
    EXPECT_EQ(holidays_.read(2005), kFourLineHolidays);
  }
}

TEST_F(OnlineCommandsTest, syncHolidays_hangingServerEndsInBoundedTimeWhileTimersRun) {
  server_.serveHanging(QStringLiteral("/holidays/Holidays_2005.bin"));
  int ticks = 0;
  QTimer timer;
  QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
  timer.start(50);
  QElapsedTimer elapsed;
  elapsed.start();
  EXPECT_EQ(SyncHolidays(&window_, 1, 2005), HolidaySyncOutcome::NoConnection);
  EXPECT_LT(elapsed.elapsed(), 4000);
  EXPECT_GE(ticks, 3);  // the event loop kept running meanwhile
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].text, QStringLiteral("Can not connect to ") + Host() + QLatin1Char('.'));
}

TEST_F(OnlineCommandsTest, checkUpdate_sameVersionIsTheNewestOnCommandAndSilentAtStartup) {
  ServeVersion("2.35");
  EXPECT_EQ(CheckUpdate(&window_, 2), 0);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].text, QStringLiteral("Your Orlane 2 is already the newest one."));
  notices_.clear();
  EXPECT_EQ(StartupUpdateCheck(&window_, 2), 0);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(OnlineCommandsTest, checkUpdate_olderVersionIsOfferedAndNoKeepsTheWindow) {
  ServeVersion("2.3");
  window_.show();
  answerYes_ = false;
  EXPECT_EQ(CheckUpdate(&window_, 2), 0);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].kind, NoticeKind::Question);
  EXPECT_EQ(notices_[0].text, QStringLiteral("A new version 2.3 is available, do you want to update Orlane 2 now "
                                             "(its download page opens in your web browser)?"));
  EXPECT_TRUE(opened_.empty());
  EXPECT_TRUE(window_.isVisible());
}

TEST_F(OnlineCommandsTest, checkUpdate_yesOpensTheDownloadPageAndKeepsTheProgram) {
  ServeVersion("2.40");
  window_.show();
  answerYes_ = true;
  EXPECT_EQ(CheckUpdate(&window_, 2), 1);
  ASSERT_EQ(opened_.size(), 1u);
  EXPECT_EQ(opened_[0].toString(), server_.baseUrl() + QStringLiteral("/download/"));
  EXPECT_TRUE(window_.isVisible());
  EXPECT_EQ(window_.result(), 0);  // neither accepted nor rejected: still running
}

TEST_F(OnlineCommandsTest, checkUpdate_opensThePageTheVersionFileNames_onlyOnTheSameHostAndNeverAProgram) {
  answerYes_ = true;
  const std::pair<QByteArray, QString> cases[] = {
      {"2.40\r\n/download/orlane-2.40.html", server_.baseUrl() + QStringLiteral("/download/orlane-2.40.html")},
      {"2.40\r\n" + server_.baseUrl().toUtf8() + "/news/", server_.baseUrl() + QStringLiteral("/news/")},
      {"2.40\r\nhttp://elsewhere.example.com/download/", server_.baseUrl() + QStringLiteral("/download/")},
      {"2.40\r\n/download/installol2.exe", server_.baseUrl() + QStringLiteral("/download/")},
      {"2.40\r\n//elsewhere.example.com/x.html", server_.baseUrl() + QStringLiteral("/download/")},
  };
  for (const auto& [file, page] : cases) {
    opened_.clear();
    ServeVersion(file);
    EXPECT_EQ(CheckUpdate(&window_, 2), 1) << file.constData();
    ASSERT_EQ(opened_.size(), 1u) << file.constData();
    EXPECT_EQ(opened_[0].toString(), page) << file.constData();
  }
}

TEST_F(OnlineCommandsTest, checkUpdate_saysWhatTheSiteAnswered_connectionMessageOnlyWithoutAnAnswer) {
  ServeVersion("2.350");
  EXPECT_EQ(CheckUpdate(&window_, 2), 0);
  server_.clear();  // 404: the site has no version file
  EXPECT_EQ(CheckUpdate(&window_, 2), 0);
  server_.serveHanging(QStringLiteral("/Orlane 2.ver"));
  EXPECT_EQ(CheckUpdate(&window_, 2), 0);
  ASSERT_EQ(notices_.size(), 3u);
  EXPECT_EQ(notices_[0].text, QStringLiteral("The update site ") + Host() +
                                  QStringLiteral(" did not answer with a version number, so the newest version is "
                                                 "not known."));
  EXPECT_EQ(notices_[1].text, QStringLiteral("The update site ") + Host() +
                                  QStringLiteral(" has no version information for Orlane 2 (it answered HTTP 404), so "
                                                 "the newest version is not known."));
  EXPECT_EQ(notices_[2].text,
            QStringLiteral("Can not connect to ") + Host() + QStringLiteral(", Please check your network connection."));
  // At start-up a site that answered without a version says nothing.
  notices_.clear();
  server_.clear();
  EXPECT_EQ(StartupUpdateCheck(&window_, 2), 0);
  ServeVersion("<html>");
  EXPECT_EQ(StartupUpdateCheck(&window_, 2), 0);
  EXPECT_TRUE(notices_.empty());
}

TEST_F(OnlineCommandsTest, startupWithoutAnswer_showsTheConnectionMessageOnceAfterOneFetch) {
  server_.serveHanging(QStringLiteral("/Orlane 2.ver"));
  QElapsedTimer elapsed;
  elapsed.start();
  EXPECT_EQ(StartupUpdateCheck(&window_, 2), 0);
  EXPECT_LT(elapsed.elapsed(), 3000);
  EXPECT_EQ(server_.requests().size(), 1);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_TRUE(notices_[0].text.startsWith(QStringLiteral("Can not connect to ")));
}

TEST_F(OnlineCommandsTest, startupWithNewVersion_offersIt) {
  ServeVersion("2.40");
  answerYes_ = false;
  EXPECT_EQ(StartupUpdateCheck(&window_, 2), 0);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_EQ(notices_[0].kind, NoticeKind::Question);
}

TEST_F(OnlineCommandsTest, versionRedirectedToAnotherHost_isNoAnswerAndOpensNothing) {
  HttpTestServer elsewhere;
  elsewhere.serve(QStringLiteral("/Orlane 2.ver"), 200, "9.99");
  QString other = elsewhere.baseUrl() + QStringLiteral("/Orlane 2.ver");
  other.replace(QStringLiteral("127.0.0.1"), QStringLiteral("localhost"));
  server_.serveRedirect(QStringLiteral("/Orlane 2.ver"), QUrl(other).toEncoded());
  answerYes_ = true;
  EXPECT_EQ(CheckUpdate(&window_, 2), 0);
  ASSERT_EQ(notices_.size(), 1u);
  EXPECT_TRUE(notices_[0].text.startsWith(QStringLiteral("Can not connect to ")));
  EXPECT_TRUE(opened_.empty());
  EXPECT_TRUE(elsewhere.requests().isEmpty());
}

TEST_F(OnlineCommandsTest, defaultNotice_isTheThemedMessageBox) {
  std::vector<ModalRequest> asked;
  ScopedModalResponder responder([&](const ModalRequest& r) {
    asked.push_back(r);
    return 2;  // "No"
  });
  ServeVersion("2.40");
  EXPECT_EQ(CheckUpdate(&window_, 4), 0);
  ServeVersion("2.35");
  EXPECT_EQ(CheckUpdate(&window_, 4), 0);
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0].dialogClass, QStringLiteral("CMsgBoxDlg"));
  EXPECT_EQ(asked[0].boxKind, 1);
  EXPECT_TRUE(asked[0].text.startsWith(QStringLiteral("A new version 2.40 is available")));
  EXPECT_EQ(asked[1].boxKind, 0);
  EXPECT_EQ(asked[1].text, QStringLiteral("Your Orlane 2 is already the newest one."));
  EXPECT_TRUE(opened_.empty());
}

}  // namespace
}  // namespace orlane
