// The HTTP side of a CalDAV sync: one request at a time or many, each
// answered through a callback from the event loop (QNetworkAccessManager), so
// the window never waits on the network. The client answers the server's
// authentication request with the account's user name and password, once per
// request; a second request for them means they were refused.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <utility>

class QNetworkAccessManager;
class QNetworkReply;

namespace orlane {

struct DavReply {
  bool reached = false;  // an HTTP answer came (any status)
  int status = 0;
  QByteArray body;
  QByteArray etag;  // the ETag header, without quotes
  QString error;    // why no answer came, or what a failing status means, in the program's words

  bool success() const { return reached && status >= 200 && status < 300; }
};

// What a server's address must be: https, or http when it is said explicitly
// or the host is a loopback address. An address without a scheme becomes
// https (http for a loopback host). Empty when the text is no usable address;
// why goes into error.
QUrl ServerUrlFromText(const QString& text, QString* error = nullptr);

// The words for a status the sync cannot go on with.
QString DescribeHttpStatus(int status);

class DavClient final : public QObject {
  Q_OBJECT

 public:
  explicit DavClient(QObject* parent = nullptr);
  ~DavClient() override;

  void setCredentials(const QString& user, const QString& password);
  void setTimeoutMs(int ms) { timeoutMs_ = ms; }

  using Headers = QList<std::pair<QByteArray, QByteArray>>;
  using Done = std::function<void(const DavReply&)>;
  // Sends the request; done runs from the event loop when it ended (never
  // from inside this call). Redirects are followed only when no less safe.
  void send(const QByteArray& verb, const QUrl& url, const Headers& headers, const QByteArray& body, Done done);
  // Ends every request under way; their callbacks run with an error.
  void abortAll();
  int pending() const { return pending_; }

 private:
  void finish(QNetworkReply* reply, const Done& done);

  QNetworkAccessManager* network_ = nullptr;  // owned as a child
  QString user_;
  QString password_;
  int timeoutMs_ = 30000;
  int pending_ = 0;
};

}  // namespace orlane
