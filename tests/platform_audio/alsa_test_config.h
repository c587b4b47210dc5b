// A headless ALSA configuration for one test: the default PCM is the file
// plugin over a null device, writing what is played to out.raw and reading
// what is captured from in.raw, both in a temporary folder. ALSA_CONFIG_PATH
// points at it while the object lives.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace orlane::test {

class AlsaTestConfig {
 public:
  explicit AlsaTestConfig(const QByteArray& captured = QByteArray()) {
    root_ = dir_.path() + QStringLiteral("/");
    writeFile(QStringLiteral("in.raw"), captured);
    const QByteArray conf =
        "pcm.!default {\n"
        "  type file\n"
        "  slave { pcm { type null } }\n"
        "  file \"" +
        (root_ + QStringLiteral("out.raw")).toUtf8() +
        "\"\n"
        "  infile \"" +
        (root_ + QStringLiteral("in.raw")).toUtf8() +
        "\"\n"
        "  format \"raw\"\n"
        "}\n";
    writeFile(QStringLiteral("asoundrc"), conf);
    saved_ = qgetenv("ALSA_CONFIG_PATH");
    qputenv("ALSA_CONFIG_PATH", (root_ + QStringLiteral("asoundrc")).toUtf8());
  }
  ~AlsaTestConfig() {
    if (saved_.isEmpty())
      qunsetenv("ALSA_CONFIG_PATH");
    else
      qputenv("ALSA_CONFIG_PATH", saved_);
  }
  AlsaTestConfig(const AlsaTestConfig&) = delete;
  AlsaTestConfig& operator=(const AlsaTestConfig&) = delete;

  QByteArray played() const {
    QFile f(root_ + QStringLiteral("out.raw"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

 private:
  void writeFile(const QString& name, const QByteArray& bytes) {
    QFile f(root_ + name);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write(bytes);
  }

  QTemporaryDir dir_;
  QString root_;
  QByteArray saved_;
};

}  // namespace orlane::test
