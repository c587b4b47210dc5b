// Re-stamping ten years of diary pages (3,650 files of 4 KB) after a password
// change, against a plain atomic rewrite of the same files as the baseline.
#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "security/password_change.h"
#include "security/scramble.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QTemporaryDir>

namespace {
constexpr int kPages = 3650;

const QString& Folder() {
  static QTemporaryDir dir;
  static const bool filled = [] {
    orlane::SetUserFolder(dir.path());
    const QByteArray page = orlane::WrapWithPasswordHeader(QByteArray(4096, 'p'), "a");
    for (int i = 0; i < kPages; ++i)
      if (orlane::AtomicWriteFile(orlane::UserFolder() + QString::number(100000 + i) + QStringLiteral(".dia"), page) !=
          orlane::WriteResult::Written)
        std::abort();
    return true;
  }();
  (void)filled;
  static const QString path = dir.path();
  return path;
}

void BM_BaselineRewriteFiles(benchmark::State& state) {
  Folder();
  const QStringList files = orlane::PasswordStampedFiles();
  for (auto _ : state) {
    for (const QString& f : files) {
      QByteArray bytes;
      orlane::ReadFileBytes(f, bytes);
      if (orlane::AtomicWriteFile(f, bytes) != orlane::WriteResult::Written) state.SkipWithError("cannot write");
    }
  }
  state.SetItemsProcessed(state.iterations() * kPages);
}
BENCHMARK(BM_BaselineRewriteFiles)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_RestampTenYears(benchmark::State& state) {
  Folder();
  bool flip = false;
  for (auto _ : state) {
    // Alternate between two passwords so every round re-stamps every page.
    orlane::ChangePassword(flip ? "b" : "a", flip ? "a" : "b");
    flip = !flip;
  }
  state.SetItemsProcessed(state.iterations() * kPages);
}
BENCHMARK(BM_RestampTenYears)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
