#include "platform/http_fetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>

#include <memory>

namespace orlane {

namespace {

HttpFetchStatus StatusOfError(QNetworkReply::NetworkError error, bool gotHeaders) {
  switch (error) {
    case QNetworkReply::NoError: return HttpFetchStatus::Ok;
    case QNetworkReply::RemoteHostClosedError:
      return gotHeaders ? HttpFetchStatus::Broken : HttpFetchStatus::NoConnection;
    default:
      // HTTP error statuses (404, 500, ...) come as errors too, with a body.
      if (error >= QNetworkReply::ContentAccessDenied && error <= QNetworkReply::UnknownServerError)
        return HttpFetchStatus::Ok;
      return gotHeaders ? HttpFetchStatus::Broken : HttpFetchStatus::NoConnection;
  }
}

bool SameSiteRedirect(const QUrl& from, const QUrl& to) {
  if (to.host().compare(from.host(), Qt::CaseInsensitive) != 0) return false;
  if (to.scheme() == QLatin1String("https")) return true;
  return to.scheme() == QLatin1String("http") && from.scheme() == QLatin1String("http");
}

constexpr int kMaxRedirects = 5;

}  // namespace

HttpFetchResult HttpFetch(const QUrl& url, const HttpFetchOptions& options) {
  HttpFetchResult result;
  if (!url.isValid() || (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))) {
    return result;
  }
  QNetworkAccessManager manager;
  manager.setRedirectPolicy(QNetworkRequest::UserVerifiedRedirectPolicy);
  QNetworkRequest request(url);
  request.setMaximumRedirectsAllowed(kMaxRedirects);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
  request.setRawHeader("Cache-Control", "no-cache");
  request.setRawHeader("Pragma", "no-cache");
  request.setTransferTimeout(options.timeoutMs);

  std::unique_ptr<QNetworkReply> reply(manager.get(request));
  QEventLoop loop;
  QTimer deadline;
  deadline.setSingleShot(true);
  bool timedOut = false;
  bool tooLarge = false;
  bool refusedRedirect = false;
  QObject::connect(reply.get(), &QNetworkReply::redirected, &loop, [&](const QUrl& target) {
    if (SameSiteRedirect(url, target)) {
      Q_EMIT reply->redirectAllowed();
      return;
    }
    refusedRedirect = true;
    loop.quit();
  });
  QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
    timedOut = true;
    loop.quit();
  });
  QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
    result.body += reply->readAll();
    if (result.body.size() > options.maxBytes) {
      tooLarge = true;
      loop.quit();
    }
  });
  QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
  deadline.start(options.timeoutMs);
  if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);

  const QVariant code = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  result.httpStatus = code.isValid() ? code.toInt() : 0;
  if (refusedRedirect) {
    result.status = HttpFetchStatus::Redirected;
    result.body.clear();
  } else if (tooLarge) {
    result.status = HttpFetchStatus::TooLarge;
  } else if (timedOut || !reply->isFinished()) {
    result.status = HttpFetchStatus::TimedOut;
  } else {
    result.body += reply->readAll();
    result.status = StatusOfError(reply->error(), result.httpStatus != 0);
    if (reply->error() == QNetworkReply::OperationCanceledError || reply->error() == QNetworkReply::TimeoutError) {
      result.status = HttpFetchStatus::TimedOut;
    }
  }
  QObject::disconnect(reply.get(), nullptr, &loop, nullptr);
  reply->abort();
  return result;
}

}  // namespace orlane
