// The user-interface side of the vendor site: the synchronise-holidays
// command, the update check on command, and the update check at start-up.
// Each shows its outcome through the notice handler in the caller's theme and
// holds the wait cursor while it fetches (at most the fetch's time bound).
#pragma once

#include "calendar/online_answers.h"

#include <QString>

#include <optional>

class QWidget;

namespace orlane {

// Each command below first says in one sentence when no site is configured.

// Opens the vendor's web site with the desktop.
void OpenVendorSite(QWidget* parent, int theme);

// Downloads the holiday file of `year` and tells the outcome.
HolidaySyncOutcome SyncHolidays(QWidget* parent, int theme, int year);

// Asks for the latest version and reports it; on Yes to the offer opens the
// download page in the browser and returns 1, else 0. The program goes on
// running either way. A version already fetched (at start-up) is used
// instead of a second fetch, so a dead server costs one time bound, not two.
int CheckUpdate(QWidget* mainWindow, int theme, const std::optional<VersionAnswer>& fetched = std::nullopt);

// The start-up rule: nothing is shown when no site is configured, the
// vendor's version equals the program's, or the site answered without a
// version (a missing version file); otherwise the check runs as on command.
// 1 when the download page was opened.
int StartupUpdateCheck(QWidget* mainWindow, int theme);

}  // namespace orlane
