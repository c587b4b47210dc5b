// A small HTTP/1.0 server on 127.0.0.1 at a free port for tests of the
// program's downloads. Each path gets a canned answer: a body with a status,
// a silent connection that never answers (a hanging server), or an answer that
// breaks off after some bytes, or a redirect. It lives on the test's thread; the blocking
// fetch's event loop serves it while the code under test waits.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QPointer>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrl>

namespace orlane::test {

struct HttpTestAnswer {
  int status = 200;
  QByteArray body;
  bool hang = false;    // accept the request and never answer
  int breakAfter = -1;  // >= 0: announce the whole body, send this many bytes, drop the line
  QByteArray location;  // a redirect's target
};

class HttpTestServer {
 public:
  HttpTestServer() {
    QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] { Accept(); });
    server_.listen(QHostAddress::LocalHost, 0);
  }
  ~HttpTestServer() {
    for (const QPointer<QTcpSocket>& s : held_)
      if (s) s->abort();
  }
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  bool listening() const { return server_.isListening(); }
  quint16 port() const { return server_.serverPort(); }
  QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(port()); }

  void serve(const QString& path, int status, const QByteArray& body) {
    answers_[path] = {status, body, false, -1, {}};
  }
  void serveHanging(const QString& path) { answers_[path] = {200, {}, true, -1, {}}; }
  void serveBroken(const QString& path, const QByteArray& body, int sendBytes) {
    answers_[path] = {200, body, false, sendBytes, {}};
  }
  void serveRedirect(const QString& path, const QByteArray& location) {
    answers_[path] = {302, {}, false, -1, location};
  }
  void clear() { answers_.clear(); }

  // Paths asked for, in order.
  const QStringList& requests() const { return requests_; }

 private:
  void Accept() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
      socket->setParent(&server_);
      held_.append(socket);
      QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { Read(socket); });
    }
  }

  void Read(QTcpSocket* socket) {
    QByteArray& buffer = pending_[socket];
    buffer += socket->readAll();
    if (!buffer.contains("\r\n\r\n")) return;
    const QList<QByteArray> requestLine = buffer.left(buffer.indexOf("\r\n")).split(' ');
    pending_.remove(socket);
    const QString path = requestLine.size() >= 2 ? QUrl::fromPercentEncoding(requestLine[1]) : QString();
    requests_.append(path);
    const auto found = answers_.constFind(path);
    const HttpTestAnswer answer = found != answers_.constEnd()
                                      ? *found
                                      : HttpTestAnswer{404, "<html><body>404 Not Found</body></html>", false, -1, {}};
    if (answer.hang) return;
    QByteArray reply = "HTTP/1.0 " + QByteArray::number(answer.status) + " " + Reason(answer.status) + "\r\n";
    if (!answer.location.isEmpty()) reply += "Location: " + answer.location + "\r\n";
    reply += "Content-Type: application/octet-stream\r\n";
    reply += "Content-Length: " + QByteArray::number(answer.body.size()) + "\r\n";
    reply += "Connection: close\r\n\r\n";
    if (answer.breakAfter >= 0) {
      socket->write(reply + answer.body.left(answer.breakAfter));
      socket->flush();
      socket->abort();
      return;
    }
    socket->write(reply + answer.body);
    socket->disconnectFromHost();
  }

  static QByteArray Reason(int status) {
    switch (status) {
      case 200: return "OK";
      case 302: return "Found";
      case 404: return "Not Found";
      case 500: return "Internal Server Error";
      default: return "Status";
    }
  }

  QTcpServer server_;
  QHash<QString, HttpTestAnswer> answers_;
  QHash<QTcpSocket*, QByteArray> pending_;
  QList<QPointer<QTcpSocket>> held_;
  QStringList requests_;
};

}  // namespace orlane::test
