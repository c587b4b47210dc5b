#include "calendar/online_commands.h"

#include "calendar/calendar_notice.h"
#include "calendar/online_fetch.h"
#include "calendar/vendor_site.h"
#include "platform/program_info.h"

#include <QApplication>
#include <QDialog>
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

QString FetchLatest() {
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

int CheckUpdate(QWidget* mainWindow, int theme, const std::optional<QString>& fetched) {
  if (!fetched && TellWhenNoSite(mainWindow, theme)) return 0;
  const QString latest = fetched ? *fetched : FetchLatest();
  switch (DecideUpdate(latest, CurrentVersion())) {
    case UpdateDecision::NoConnection:
      ShowNotice(mainWindow, {NoticeKind::Warning, UpdateConnectionMessage(VendorHostText()), theme});
      return 0;
    case UpdateDecision::AlreadyNewest:
      ShowNotice(mainWindow, {NoticeKind::Information, AlreadyNewestMessage(ProductName()), theme});
      return 0;
    case UpdateDecision::OfferUpdate: break;
  }
  if (!ShowNotice(mainWindow, {NoticeKind::Question, OfferUpdateQuestion(latest, ProductName()), theme})) return 0;
  const QUrl installer = VendorUrl(QString::fromLatin1(kInstallerPath));
  if (IsVendorAddress(installer)) OpenWithShell(installer);
  if (auto* dialog = qobject_cast<QDialog*>(mainWindow))
    dialog->reject();
  else if (mainWindow)
    mainWindow->close();
  return 1;
}

int StartupUpdateCheck(QWidget* mainWindow, int theme) {
  if (!VendorSiteConfigured()) return 0;
  const QString latest = FetchLatest();
  if (!StartupCheckNeeded(latest, CurrentVersion())) return 0;
  return CheckUpdate(mainWindow, theme, latest);
}

}  // namespace orlane
