#include "caldav/dav_client.h"

#include "caldav/dav_xml.h"

#include <QAuthenticator>
#include <QBuffer>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace orlane {

namespace {
constexpr char kAuthTried[] = "orlaneAuthTried";

bool IsLoopbackHost(const QString& host) {
  if (host.compare(u"localhost", Qt::CaseInsensitive) == 0) return true;
  const QHostAddress address(host);
  return !address.isNull() && address.isLoopback();
}

QByteArray Unquoted(QByteArray etag) {
  etag = etag.trimmed();
  if (etag.startsWith("W/")) etag = etag.mid(2);
  if (etag.size() >= 2 && etag.startsWith('"') && etag.endsWith('"')) etag = etag.mid(1, etag.size() - 2);
  return etag;
}
}  // namespace

QUrl ServerUrlFromText(const QString& text, QString* error) {
  auto refuse = [error](const QString& why) {
    if (error) *error = why;
    return QUrl();
  };
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return refuse(QStringLiteral("No server address is set."));
  QUrl url(trimmed, QUrl::StrictMode);
  if (!trimmed.contains(u"://")) {
    url = QUrl(QStringLiteral("https://") + trimmed, QUrl::StrictMode);
    if (url.isValid() && IsLoopbackHost(url.host())) url.setScheme(QStringLiteral("http"));
  }
  if (!url.isValid() || url.host().isEmpty())
    return refuse(QStringLiteral("\"%1\" is not a server address.").arg(trimmed));
  const QString scheme = url.scheme().toLower();
  if (scheme != u"https" && scheme != u"http")
    return refuse(QStringLiteral("The server address must begin with https://."));
  if (url.path().isEmpty()) url.setPath(QStringLiteral("/"));
  return url;
}

QString DescribeHttpStatus(int status) {
  switch (status) {
    case 401: return QStringLiteral("The server refused the user name or password.");
    case 403: return QStringLiteral("The server does not allow this account to do that.");
    case 404: return QStringLiteral("The server has no calendar at this address.");
    case 405:
    case 501: return QStringLiteral("The server at this address is not a calendar server.");
    case 507: return QStringLiteral("The server has no room left.");
    default: break;
  }
  if (status >= 500) return QStringLiteral("The server has a problem (error %1). Try again later.").arg(status);
  return QStringLiteral("The server answered with error %1.").arg(status);
}

DavClient::DavClient(QObject* parent) : QObject(parent), network_(new QNetworkAccessManager(this)) {
  connect(network_, &QNetworkAccessManager::authenticationRequired, this,
          [this](QNetworkReply* reply, QAuthenticator* auth) {
            // Asked a second time for one request: the server refused what was given.
            if (reply->property(kAuthTried).toBool() || user_.isEmpty()) return;
            reply->setProperty(kAuthTried, true);
            auth->setUser(user_);
            auth->setPassword(password_);
          });
}

DavClient::~DavClient() {
  abortAll();
}

void DavClient::setCredentials(const QString& user, const QString& password) {
  user_ = user;
  password_ = password;
  network_->clearAccessCache();
}

void DavClient::send(const QByteArray& verb, const QUrl& url, const Headers& headers, const QByteArray& body,
                     Done done) {
  QNetworkRequest request(url);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
  request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
  request.setTransferTimeout(timeoutMs_);
  request.setRawHeader("User-Agent", "Orlane");
  if (!body.isEmpty())
    request.setHeader(QNetworkRequest::ContentTypeHeader, verb == "PUT"
                                                              ? QByteArrayLiteral("text/calendar; charset=utf-8")
                                                              : QByteArrayLiteral("application/xml; charset=utf-8"));
  for (const auto& [name, value] : headers) request.setRawHeader(name, value);
  QNetworkReply* reply = network_->sendCustomRequest(request, verb, body);
  ++pending_;
  connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
    if (received > kDavMaxAnswerBytes) reply->abort();
  });
  connect(reply, &QNetworkReply::finished, this, [this, reply, done = std::move(done)] { finish(reply, done); });
}

void DavClient::abortAll() {
  for (QNetworkReply* reply : network_->findChildren<QNetworkReply*>())
    if (reply->isRunning()) reply->abort();
}

void DavClient::finish(QNetworkReply* reply, const Done& done) {
  --pending_;
  reply->deleteLater();
  DavReply out;
  const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  out.reached = status.isValid();
  out.status = status.toInt();
  out.body = reply->readAll();
  out.etag = Unquoted(reply->rawHeader("ETag"));
  if (!out.reached) {
    switch (reply->error()) {
      case QNetworkReply::OperationCanceledError:
      case QNetworkReply::TimeoutError: out.error = QStringLiteral("The server did not answer in time."); break;
      case QNetworkReply::SslHandshakeFailedError:
        out.error = QStringLiteral("The server's certificate is not trusted: %1").arg(reply->errorString());
        break;
      case QNetworkReply::InsecureRedirectError:
        out.error = QStringLiteral("The server sent the connection to an address without encryption.");
        break;
      default: out.error = QStringLiteral("Cannot reach the server: %1").arg(reply->errorString()); break;
    }
  } else if (!out.success()) {
    out.error = DescribeHttpStatus(out.status);
  }
  done(out);
}

}  // namespace orlane
