#include "sound/sound_wave_wnd.h"

#include "controls/msg_box_dlg.h"
#include "controls/wait_dlg.h"
#include "sound/recorder_controls.h"
#include "sound/wave_painter.h"
#include "sound/waveform.h"
#include "sound/waveform_summary.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace orlane {

namespace {
// Samples walked between two looks at the event loop while the wait dialog shows.
constexpr qint64 kBuildSlice = 1 << 20;
}  // namespace

CSoundWaveWnd::CSoundWaveWnd(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  connect(&engine_, &SoundEngine::soundLevel, this, &CSoundWaveWnd::soundLevel);
  connect(&engine_, &SoundEngine::repaintNeeded, this, [this] {
    update();
    AnnouncePosition();
  });
  connect(&engine_, &SoundEngine::soundChanged, this, &CSoundWaveWnd::RebuildWaveImage);
}

CSoundWaveWnd::~CSoundWaveWnd() {
  // The engine's own teardown (closing the player, the temp file) must not
  // call back into a view that is going away.
  disconnect(&engine_, nullptr, this, nullptr);
}

void CSoundWaveWnd::AnnouncePosition() {
  // The line moves every 30 ms; a screen reader hears whole seconds only.
  const int second = static_cast<int>(WaveSeconds(engine_.GetPlayPosition(), engine_.Format()));
  if (second == spokenSecond_) return;
  spokenSecond_ = second;
  QAccessibleValueChangeEvent event(this, double(second));
  QAccessible::updateAccessibility(&event);
}

int CSoundWaveWnd::Create(const QRect& rect, QWidget* parent, int id) {
  if (parent) setParent(parent);
  id_ = id;
  setGeometry(rect);
  show();
  return 1;
}

int CSoundWaveWnd::LoadWaveFromMemory(QByteArrayView bytes) {
  const SoundLoadResult r = engine_.LoadWaveFromMemory(bytes);
  if (r.result != 1) ShowErrorMessage(r.message, nullptr);
  return r.result;
}

void CSoundWaveWnd::SetTheme(int theme) {
  theme_ = ClampTheme(theme);
  SetColors(WaveColorsForTheme(theme_));
}

void CSoundWaveWnd::SetColors(const WaveColors& colors) {
  if (colors == colors_) return;
  colors_ = colors;
  RebuildWaveImage();
}

void CSoundWaveWnd::SetShowText(bool on) {
  if (on == showText_) return;
  showText_ = on;
  RebuildWaveImage();
}

void CSoundWaveWnd::RebuildWaveImage() {
  if (rebuilding_) {
    rebuildAgain_ = true;
    return;
  }
  image_ = QImage();
  update();
  if (!engine_.IsSoundOpen() || width() <= 0 || height() <= 0) return;
  rebuilding_ = true;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  do {
    rebuildAgain_ = false;
    // The sound's bytes stay alive here even if the day is closed meanwhile.
    const QByteArray pcm = engine_.DataBytes();
    const WaveFormat format = engine_.Format();
    WaveformSummaryBuilder builder(format, pcm, width(), height(), showText_);
    const bool wait = showProgress_ && builder.SampleCount() > kWaitDialogSamples;
    if (wait) {
      CWaitDlg::Start(this, QStringLiteral("Loading wave file..."),
                      static_cast<int>(std::min<qint64>(builder.SampleCount(), INT_MAX)), theme_);
    }
    while (builder.Step(kBuildSlice)) {
      if (!wait) continue;
      CWaitDlg::Progress(static_cast<int>(std::min<qint64>(builder.SamplesWalked(), INT_MAX)));
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    if (wait) CWaitDlg::Done();
    if (rebuildAgain_ || !engine_.IsSoundOpen()) continue;
    image_ = DrawWaveSummary(builder.Take(), size(), colors_);
    if (showText_) DrawWaveFormatLine(image_, WaveFormatLine(format, pcm.size()), colors_, font());
  } while (rebuildAgain_ && engine_.IsSoundOpen());
  QApplication::restoreOverrideCursor();
  rebuilding_ = false;
  update();
}

QImage CSoundWaveWnd::RenderView() {
  const WaveOverlay overlay = ComputeWaveOverlay(engine_, width(), height(), showText_);
  PaintWaveView(back_, image_, overlay, colors_, font());
  return back_;
}

void CSoundWaveWnd::paintEvent(QPaintEvent*) {
  const WaveOverlay overlay = ComputeWaveOverlay(engine_, width(), height(), showText_);
  PaintWaveView(back_, image_, overlay, colors_, font());
  QPainter painter(this);
  painter.drawImage(0, 0, back_);
}

void CSoundWaveWnd::resizeEvent(QResizeEvent*) {
  if (engine_.IsSoundOpen() && image_.size() != size()) RebuildWaveImage();
}

void CSoundWaveWnd::mousePressEvent(QMouseEvent* event) {
  if (engine_.State() == SoundState::Recording) return;
  setFocus(Qt::MouseFocusReason);
  const int x = static_cast<int>(event->position().x());
  if (event->button() == Qt::LeftButton)
    engine_.LeftClick(x, width());
  else if (event->button() == Qt::RightButton)
    engine_.RightClick(x, width());
}

void CSoundWaveWnd::keyPressEvent(QKeyEvent* event) {
  const SoundKeyAction action = SoundKeyActionFor(event->key(), event->modifiers());
  const int direction = MarkKeyDirection(action);
  if (direction != 0 && engine_.ArrowKey(direction, MovesEndMark(action))) {
    setFocus(Qt::OtherFocusReason);
    event->accept();
    return;
  }
  // Every other key goes on to the window: Ctrl+S, F1 and the rest keep working here.
  event->ignore();
}

}  // namespace orlane
