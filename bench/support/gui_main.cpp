// The main of benchmarks that lay out or paint: a QGuiApplication on the
// offscreen platform unless another one is asked for.
#include <QGuiApplication>

#include <benchmark/benchmark.h>

int main(int argc, char** argv) {
  if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
