#include "calendar/online_fetch.h"

#include "calendar/holiday_file.h"
#include "calendar/vendor_site.h"
#include "platform/http_fetch.h"

namespace orlane {

namespace {

HttpFetchResult FetchFromVendor(const QString& path, qint64 maxBytes) {
  HttpFetchOptions options;
  options.timeoutMs = FetchTimeoutMs();
  options.maxBytes = maxBytes;
  return HttpFetch(VendorUrl(path), options);
}

}  // namespace

HolidaySyncOutcome DownloadHolidayFile(int year) {
  const HttpFetchResult fetched = FetchFromVendor(HolidayDownloadPath(year), kMaxHolidayFileBytes);
  if (fetched.status == HttpFetchStatus::TooLarge) return HolidaySyncOutcome::NoRecord;
  if (!fetched.ok()) return HolidaySyncOutcome::NoConnection;
  if (!fetched.httpSuccess()) return HolidaySyncOutcome::NoRecord;
  return StoreHolidayDownload(year, JoinPiecesAsText(fetched.body, kHolidayPieceSize));
}

QString GetLatestVersion(const QString& productName) {
  // Anything longer than a few pieces is no version text.
  const HttpFetchResult fetched = FetchFromVendor(VersionFilePath(productName), 4096);
  if (!fetched.httpSuccess()) return {};
  return VersionFromAnswer(fetched.body);
}

}  // namespace orlane
