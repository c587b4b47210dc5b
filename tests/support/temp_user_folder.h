// A fresh user folder for one test: a temporary folder that becomes the
// process-wide user folder (and ORLANE_USER_DIR, for programs the test
// starts), with the configuration and data folders redirected into it too, so
// no test touches the real home folder.
#pragma once

#include "platform/app_paths.h"
#include "support/qt_printers.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace orlane::test {

class TempUserFolder {
 public:
  TempUserFolder() {
    root_ = WithTrailingSlash(dir_.path());
    QDir().mkpath(root_ + QStringLiteral("User"));
    QDir().mkpath(root_ + QStringLiteral("config"));
    QDir().mkpath(root_ + QStringLiteral("data"));
    QDir().mkpath(root_ + QStringLiteral("run"));
    QFile::setPermissions(root_ + QStringLiteral("run"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    saved_ = UserFolder();
    SetUserFolder(user());
    qputenv("ORLANE_USER_DIR", user().toUtf8());
    qputenv("XDG_CONFIG_HOME", (root_ + QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", (root_ + QStringLiteral("data")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (root_ + QStringLiteral("run")).toUtf8());
  }
  ~TempUserFolder() { SetUserFolder(saved_); }
  TempUserFolder(const TempUserFolder&) = delete;
  TempUserFolder& operator=(const TempUserFolder&) = delete;

  QString root() const { return root_; }
  QString user() const { return root_ + QStringLiteral("User/"); }
  QString file(const QString& name) const { return user() + name; }

  QByteArray read(const QString& name) const {
    QFile f(file(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  void write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
  }
  bool exists(const QString& name) const { return QFile::exists(file(name)); }

 private:
  QTemporaryDir dir_;
  QString root_;
  QString saved_;
};

}  // namespace orlane::test
