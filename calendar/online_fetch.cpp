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

VersionAnswer GetLatestVersion(const QString& productName) {
  // Anything longer than a few pieces is no version text.
  const HttpFetchResult fetched = FetchFromVendor(VersionFilePath(productName), 4096);
  VersionAnswer answer;
  answer.httpStatus = fetched.httpStatus;
  if (fetched.status == HttpFetchStatus::TooLarge) {
    answer.kind = VersionAnswerKind::NotAVersion;
    return answer;
  }
  if (!fetched.ok()) return answer;  // no connection
  if (!fetched.httpSuccess()) {
    answer.kind = VersionAnswerKind::NotFound;
    return answer;
  }
  return VersionFromAnswer(fetched.body);
}

}  // namespace orlane
