// A blocking HTTP GET with a time bound, over QNetworkAccessManager. The call
// spins a local event loop, so painting and timers of the calling thread go on
// while it waits (user input is held back until it returns); a server that
// never answers ends the call after the bound instead of hanging the program.
#pragma once

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace orlane {

enum class HttpFetchStatus {
  Ok,            // the whole body arrived (any HTTP status)
  NoConnection,  // host not found, connection refused, TLS failure
  TimedOut,      // no complete answer within the bound
  Broken,        // the connection broke off during the transfer
  TooLarge,      // the body grew beyond the size bound
  Redirected,    // sent to another host, or from HTTPS to HTTP: not followed
};

struct HttpFetchResult {
  HttpFetchStatus status = HttpFetchStatus::NoConnection;
  int httpStatus = 0;  // 200, 404, ...; 0 when no answer came
  QByteArray body;     // what arrived, complete only when status is Ok

  bool ok() const { return status == HttpFetchStatus::Ok; }
  bool httpSuccess() const { return ok() && httpStatus >= 200 && httpStatus < 300; }
};

struct HttpFetchOptions {
  int timeoutMs = 10000;
  qint64 maxBytes = qint64(4) << 20;
};

// Fetches url bypassing every cache (the reload / don't-cache semantics).
// Redirects are followed only on the same host and never from HTTPS to HTTP.
HttpFetchResult HttpFetch(const QUrl& url, const HttpFetchOptions& options = {});

}  // namespace orlane
