#include "calendar/vendor_site.h"

#include "security/registry_key.h"

#include <QtGlobal>

#include <algorithm>

namespace orlane {

QUrl VendorBaseUrl() {
  QString configured = qEnvironmentVariable("ORLANE_VENDOR_URL").trimmed();
  if (configured.isEmpty()) configured = ReadProgramValue(QStringLiteral("VendorUrl")).trimmed();
  if (!configured.isEmpty() && !configured.contains(QStringLiteral("://")))
    configured.prepend(QStringLiteral("https://"));
  QUrl url(configured, QUrl::StrictMode);
  if (!url.isValid() || url.host().isEmpty() ||
      (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
    return {};
  }
  QString path = url.path();
  while (path.endsWith(QLatin1Char('/'))) path.chop(1);
  url.setPath(path);
  url.setQuery(QString());
  url.setFragment(QString());
  return url;
}

bool VendorSiteConfigured() {
  return !VendorBaseUrl().isEmpty();
}

QString VendorHostText() {
  const QUrl url = VendorBaseUrl();
  if (url.port() > 0) return url.host() + QLatin1Char(':') + QString::number(url.port());
  return url.host();
}

QUrl VendorUrl(const QString& path) {
  QUrl url = VendorBaseUrl();
  url.setPath(url.path() + path);
  return url;
}

bool IsVendorAddress(const QUrl& url) {
  const QUrl site = VendorBaseUrl();
  return url.isValid() && url.host().compare(site.host(), Qt::CaseInsensitive) == 0 &&
         (url.scheme() == QLatin1String("https") || url.scheme() == site.scheme());
}

int FetchTimeoutMs() {
  bool ok = false;
  const int ms = qEnvironmentVariableIntValue("ORLANE_FETCH_TIMEOUT_MS", &ok);
  if (!ok) return kDefaultFetchTimeoutMs;
  return std::clamp(ms, 100, 60000);
}

}  // namespace orlane
