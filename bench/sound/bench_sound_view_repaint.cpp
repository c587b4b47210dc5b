// A repaint of the sound view while a one-hour sound (44,100 Hz, 16-bit)
// plays, as the 30 ms position timer asks for it, against the baseline of
// copying one view-sized image. Target: under 5 ms a frame. The one-time
// build of the waveform image is measured beside it.
#include "bench/sound/ratio_reporter.h"
#include "platform/audio/sim_mixer.h"
#include "platform/audio/sim_wave_devices.h"
#include "sound/sound_wave_wnd.h"

#include <QApplication>
#include <QEvent>
#include <QTemporaryDir>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>

namespace {

using namespace orlane;

const WaveFormat kFormat = WaveFormat::Pcm(44100, 16);
const QSize kViewSize(600, 300);

QByteArray OneHour() {
  QByteArray b(static_cast<qsizetype>(kFormat.averageBytesPerSecond) * 3600, '\0');
  auto* s = reinterpret_cast<qint16*>(b.data());
  for (qsizetype i = 0; i < b.size() / 2; ++i) s[i] = static_cast<qint16>((i * 2654435761u) >> 20);
  return b;
}

// Counts the paint events the view really received.
class PaintCounter : public QObject {
 public:
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

struct Playing {
  QTemporaryDir dir;
  audio::SimulatedAudio audio;
  audio::SimulatedMixer mixer;
  CSoundWaveWnd view;
  Playing() {
    view.Engine().SetTempFilePath(dir.path() + QStringLiteral("/rec.tmp"));
    view.SetShowProgress(false);
    view.Create(QRect(QPoint(0, 0), kViewSize), nullptr, 1);
    view.Engine().OpenSound(kFormat, OneHour());
    view.Engine().SetEndMark(view.Engine().DataLength() - 1000);
    view.Engine().Play();
    // Paints reach a window only once it is exposed.
    for (int i = 0; i < 200 && !(view.windowHandle() && view.windowHandle()->isExposed()); ++i) {
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
  }
};

// Made at the first use and gone before the application object.
std::unique_ptr<Playing> gPlaying;

Playing& Shared() {
  if (!gPlaying) gPlaying = std::make_unique<Playing>();
  return *gPlaying;
}

void BM_BaselineCopyViewImage(benchmark::State& state) {
  QImage source(kViewSize, QImage::Format_RGB32);
  source.fill(Qt::gray);
  QImage target(kViewSize, QImage::Format_RGB32);
  for (auto _ : state) {
    std::memcpy(target.bits(), source.constBits(), static_cast<size_t>(target.sizeInBytes()));
    benchmark::DoNotOptimize(target.constBits());
  }
}
BENCHMARK(BM_BaselineCopyViewImage)->Unit(benchmark::kMillisecond);

void BM_RepaintWhilePlaying(benchmark::State& state) {
  Playing& p = Shared();
  PaintCounter counter;
  p.view.installEventFilter(&counter);
  for (auto _ : state) {
    p.audio.lastOutput()->play(kFormat.averageBytesPerSecond * 3 / 100);  // 30 ms of sound
    p.view.repaint();
  }
  p.view.removeEventFilter(&counter);
  state.counters["paints"] = benchmark::Counter(counter.paints, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RepaintWhilePlaying)->Unit(benchmark::kMillisecond);

void BM_RebuildWaveImage(benchmark::State& state) {
  Playing& p = Shared();
  for (auto _ : state) p.view.RebuildWaveImage();
}
BENCHMARK(BM_RebuildWaveImage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  orlane::bench::RatioReporter reporter(
      std::vector<std::pair<std::string, std::string>>{{"BM_RepaintWhilePlaying", "BM_BaselineCopyViewImage"}});
  benchmark::RunSpecifiedBenchmarks(&reporter);
  gPlaying.reset();
  benchmark::Shutdown();
  return 0;
}
