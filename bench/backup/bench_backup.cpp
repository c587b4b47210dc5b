// A backup of a user folder of sound diaries (1 GB; ORLANE_BENCH_BACKUP_MB
// sets another size) against `tar | openssl enc` over the same folder, both
// writing a file and syncing it. The ratio printed at the end is backup time
// over baseline time: 1.25 or less means the backup runs at 80% or more of
// the baseline's speed.
#include "backup/backup_file.h"
#include "bench/sound/ratio_reporter.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <random>

namespace {
constexpr qint64 kSoundFileBytes = 10 << 20;

qint64 FolderBytes() {
  bool ok = false;
  const qint64 mb = qEnvironmentVariableIntValue("ORLANE_BENCH_BACKUP_MB", &ok);
  return (ok && mb > 0 ? mb : 1024) << 20;
}

// A user folder of sound diary files of random (incompressible) samples, made
// once for both measurements.
const QTemporaryDir& Workspace() {
  static QTemporaryDir dir;
  static const bool made = [] {
    QDir().mkpath(dir.path() + QStringLiteral("/User"));
    std::mt19937_64 random(1);
    QByteArray block(kSoundFileBytes, Qt::Uninitialized);
    for (qint64 done = 0, day = 1; done < FolderBytes(); done += kSoundFileBytes, ++day) {
      auto* words = reinterpret_cast<std::uint64_t*>(block.data());
      for (qint64 i = 0; i < kSoundFileBytes / 8; ++i) words[i] = random();
      QFile f(dir.path() + QStringLiteral("/User/07e8%1.rec").arg(day, 4, 16, QLatin1Char('0')));
      if (!f.open(QIODevice::WriteOnly)) std::abort();
      f.write(block.left(std::min(kSoundFileBytes, FolderBytes() - done)));
    }
    return true;
  }();
  (void)made;
  return dir;
}

void BM_Backup(benchmark::State& state) {
  const QString root = Workspace().path();
  for (auto _ : state) {
    const orlane::BackupReport report = orlane::CreateBackup(
        root + QStringLiteral("/User"), root + QStringLiteral("/backup.orlbak"), "bench passphrase");
    if (!report.ok()) state.SkipWithError("the backup failed");
  }
  state.SetBytesProcessed(state.iterations() * FolderBytes());
}
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

void BM_BaselineTarOpenssl(benchmark::State& state) {
  const QString root = Workspace().path();
  for (auto _ : state) {
    QProcess shell;
    shell.setProcessEnvironment([] {
      QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
      env.insert(QStringLiteral("BENCH_PASS"), QStringLiteral("bench passphrase"));
      return env;
    }());
    shell.start(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("tar -cf - -C '%1/User' . | openssl enc -aes-256-ctr -pbkdf2 "
                                              "-pass env:BENCH_PASS -out '%1/baseline.enc' && sync '%1/baseline.enc'")
                                   .arg(root)});
    if (!shell.waitForFinished(-1) || shell.exitCode() != 0) state.SkipWithError("tar | openssl failed");
  }
  state.SetBytesProcessed(state.iterations() * FolderBytes());
}
BENCHMARK(BM_BaselineTarOpenssl)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(2);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  orlane::bench::RatioReporter reporter(
      std::vector<std::pair<std::string, std::string>>{{"BM_Backup", "BM_BaselineTarOpenssl"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
