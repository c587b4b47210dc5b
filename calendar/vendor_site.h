// The vendor's web site the program asks for holiday files and its latest
// version: its address (ORLANE_VENDOR_URL, e.g. "http://127.0.0.1:8123", else
// the "VendorUrl" value of the configuration store; none when neither names
// one), the host text the messages name, and the time bound of each fetch
// (ORLANE_FETCH_TIMEOUT_MS). The site is reached over HTTPS unless its
// configured address says "http://" itself.
#pragma once

#include <QString>
#include <QUrl>

namespace orlane {

inline constexpr int kDefaultFetchTimeoutMs = 10000;
inline constexpr char kNoVendorSiteMessage[] = "No update site is configured.";

// The site's base address, without a trailing '/'; empty when none is configured.
QUrl VendorBaseUrl();
bool VendorSiteConfigured();
// The host as the messages name it: "orlane.example.org", "127.0.0.1:8123".
QString VendorHostText();
// The base address with path appended ("/holidays/Holidays_2005.bin").
QUrl VendorUrl(const QString& path);
// Whether url is on the vendor's host (the only host an installer is opened from).
bool IsVendorAddress(const QUrl& url);
// How long one fetch may take, 100 ms to 60 s.
int FetchTimeoutMs();

}  // namespace orlane
