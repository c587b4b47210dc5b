// The two downloads from the vendor's site over the blocking fetch: a year's
// holiday file and the latest version text. Each waits at most
// FetchTimeoutMs(); nothing here shows anything to the user.
#pragma once

#include "calendar/online_answers.h"

#include <QString>

namespace orlane {

// Downloads the year's holiday file and stores it when it is acceptable. A
// transfer that breaks off or never ends counts as no connection, so a
// partial file never replaces a good one; an error page is no record.
HolidaySyncOutcome DownloadHolidayFile(int year);

// The vendor's version file for the product: its version, or why there is
// none (no answer at all, an HTTP error such as 404, not a version).
VersionAnswer GetLatestVersion(const QString& productName);

}  // namespace orlane
