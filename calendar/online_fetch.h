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

// The vendor's version text for the product, or an empty text when it
// cannot be had, is an error page, or is longer than 4 characters.
QString GetLatestVersion(const QString& productName);

}  // namespace orlane
