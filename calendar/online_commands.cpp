#include "calendar/online_commands.h"

#include "calendar/calendar_notice.h"
#include "calendar/online_fetch.h"
#include "calendar/vendor_site.h"
#include "platform/program_info.h"

#include <QApplication>
#include <QWidget>

namespace orlane {

namespace {

// The wait cursor for the length of a fetch.
class WaitCursor final {
 public:
  WaitCursor() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance())) {
      QApplication::setOverrideCursor(Qt::WaitCursor);
      active_ = true;
    }
  }
  ~WaitCursor() {
    if (active_) QApplication::restoreOverrideCursor();
  }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  bool active_ = false;
};

QString ProductName() {
  return QString::fromUtf8(kProgramTitle);
}
QString CurrentVersion() {
  return QString::fromUtf8(kProgramVersion);
}

VersionAnswer FetchLatest() {
  WaitCursor wait;
  return GetLatestVersion(ProductName());
}

}  // namespace

namespace {
// Without a configured site there is nobody to ask: one sentence says so.
bool TellWhenNoSite(QWidget* parent, int theme) {
  if (VendorSiteConfigured()) return false;
  ShowNotice(parent, {NoticeKind::Information, QString::fromLatin1(kNoVendorSiteMessage), theme});
  return true;
}
}  // namespace

void OpenVendorSite(QWidget* parent, int theme) {
  if (!TellWhenNoSite(parent, theme)) OpenWithShell(VendorBaseUrl());
}

HolidaySyncOutcome SyncHolidays(QWidget* parent, int theme, int year) {
  if (TellWhenNoSite(parent, theme)) return HolidaySyncOutcome::NoConnection;
  HolidaySyncOutcome outcome;
  {
    WaitCursor wait;
    outcome = DownloadHolidayFile(year);
  }
  const NoticeKind kind = outcome == HolidaySyncOutcome::Success ? NoticeKind::Information : NoticeKind::Warning;
  ShowNotice(parent, {kind, HolidaySyncMessage(outcome, VendorHostText()), theme});
  return outcome;
}

int CheckUpdate(QWidget* mainWindow, int theme, const std::optional<VersionAnswer>& fetched) {
  if (!fetched && TellWhenNoSite(mainWindow, theme)) return 0;
  const VersionAnswer latest = fetched ? *fetched : FetchLatest();
  switch (DecideUpdate(latest, CurrentVersion())) {
    case UpdateDecision::NoConnection:
      ShowNotice(mainWindow, {NoticeKind::Warning, UpdateConnectionMessage(VendorHostText()), theme});
      return 0;
    case UpdateDecision::NotFound:
      ShowNotice(mainWindow, {NoticeKind::Warning,
                              VersionNotFoundMessage(VendorHostText(), ProductName(), latest.httpStatus), theme});
      return 0;
    case UpdateDecision::NotAVersion:
      ShowNotice(mainWindow, {NoticeKind::Warning, NotAVersionMessage(VendorHostText()), theme});
      return 0;
    case UpdateDecision::AlreadyNewest:
      ShowNotice(mainWindow, {NoticeKind::Information, AlreadyNewestMessage(ProductName()), theme});
      return 0;
    case UpdateDecision::OfferUpdate: break;
  }
  if (!ShowNotice(mainWindow, {NoticeKind::Question, OfferUpdateQuestion(latest.version, ProductName()), theme}))
    return 0;
  const QUrl page = DownloadPageUrl(latest.downloadPage);
  if (OpenWithShell(page)) return 1;
  // Nothing else will show the address: the person can still go there by hand.
  ShowNotice(
      mainWindow,
      {NoticeKind::Warning,
       QStringLiteral("The download page could not be opened in a web browser:\n") + page.toDisplayString(), theme});
  return 0;
}

int StartupUpdateCheck(QWidget* mainWindow, int theme) {
  if (!VendorSiteConfigured()) return 0;
  const VersionAnswer latest = FetchLatest();
  if (!StartupCheckNeeded(latest, CurrentVersion())) return 0;
  return CheckUpdate(mainWindow, theme, latest);
}

}  // namespace orlane
