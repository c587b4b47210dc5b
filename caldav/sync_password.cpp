#include "caldav/sync_password.h"

#include <qt6keychain/keychain.h>

namespace orlane {

namespace {
constexpr char kService[] = "Orlane CalDAV";
}

QString SyncPasswordKey(const QString& server, const QString& user) {
  return user + u'@' + server;
}

void ReadSyncPassword(const QString& server, const QString& user,
                      std::function<void(std::optional<QString>, const QString&)> done) {
  auto* job = new QKeychain::ReadPasswordJob(QString::fromLatin1(kService));  // deletes itself when finished
  job->setInsecureFallback(false);
  job->setKey(SyncPasswordKey(server, user));
  QObject::connect(job, &QKeychain::Job::finished, [done = std::move(done)](QKeychain::Job* finished) {
    auto* read = static_cast<QKeychain::ReadPasswordJob*>(finished);
    if (read->error() == QKeychain::NoError)
      done(read->textData(), QString());
    else
      done(std::nullopt, read->errorString());
  });
  job->start();
}

void WriteSyncPassword(const QString& server, const QString& user, const QString& password,
                       std::function<void(const QString&)> done) {
  auto* job = new QKeychain::WritePasswordJob(QString::fromLatin1(kService));  // deletes itself when finished
  job->setInsecureFallback(false);
  job->setKey(SyncPasswordKey(server, user));
  job->setTextData(password);
  QObject::connect(job, &QKeychain::Job::finished, [done = std::move(done)](QKeychain::Job* finished) {
    done(finished->error() == QKeychain::NoError ? QString() : finished->errorString());
  });
  job->start();
}

}  // namespace orlane
