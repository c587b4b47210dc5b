#include "controls/flash_player.h"

#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include <algorithm>

namespace orlane {
namespace {

constexpr int kTicksPerSecond = 1000 / NFlash::kTickMs;
constexpr int kFrameUnit = 256 * kTicksPerSecond;  // 8.8 rate units per frame and tick

}  // namespace

NFlash::NFlash(QWidget* parent) : QFrame(parent) {
  setFrameShape(QFrame::Box);
  setLineWidth(1);
  setContextMenuPolicy(Qt::PreventContextMenu);
}

NFlash::~NFlash() = default;

bool NFlash::Create(const QString& moviePath, const QRect& rect, QWidget* parent, int id) {
  if (parent == nullptr) return false;
  if (parentWidget() != parent) setParent(parent);
  id_ = id;
  setGeometry(rect);
  timer_.stop();
  SetPlaying(false);
  if (moviePath.isEmpty()) {
    frameCount_ = -1;
  } else {
    Load(moviePath);
  }
  show();
  return true;
}

void NFlash::Load(const QString& moviePath) {
  header_ = ReadSwfHeaderFile(moviePath);
  movieName_ = QFileInfo(moviePath).fileName();
  frameCount_ = header_.ok() ? header_.frameCount : -1;
  currentFrame_ = frameCount_ > 0 ? 1 : 0;
  frameFraction256_ = 0;
  update();
}

void NFlash::Play() {
  playing_ = true;
  StartTimer();
}

void NFlash::SetPlaying(bool playing) {
  if (playing) {
    StartTimer();
  } else {
    timer_.stop();
  }
  playing_ = playing;
}

void NFlash::StartTimer() {
  if (!timer_.isActive()) timer_.start(kTickMs, this);
}

void NFlash::Advance() {
  if (frameCount_ <= 0) return;
  int frames = 1;  // a rate of 0 runs as fast as the timer
  if (header_.frameRate256 > 0) {
    frameFraction256_ += header_.frameRate256;
    frames = frameFraction256_ / kFrameUnit;
    frameFraction256_ %= kFrameUnit;
  }
  currentFrame_ = std::min(frameCount_, currentFrame_ + frames);
}

void NFlash::Tick() {
  if (playing_) Advance();
  if (playing_ && currentFrame_ == frameCount_) {
    timer_.stop();
    playing_ = false;
  }
  update();
}

void NFlash::timerEvent(QTimerEvent* event) {
  if (event->timerId() == timer_.timerId()) {
    Tick();
    return;
  }
  QFrame::timerEvent(event);
}

QColor NFlash::StageColor() const {
  const quint32 rgb = header_.ok() ? header_.backgroundRgb : 0xFFFFFFu;
  return QColor::fromRgb(static_cast<QRgb>(rgb));
}

void NFlash::paintEvent(QPaintEvent* event) {
  {
    QPainter p(this);
    const QRect inner = contentsRect();
    const QColor stage = StageColor();
    p.fillRect(inner, stage);
    p.setPen(qGray(stage.rgb()) < 128 ? Qt::white : Qt::black);
    const QString position =
        frameCount_ < 0 ? QStringLiteral("-") : QStringLiteral("%1 / %2").arg(currentFrame_).arg(frameCount_);
    p.drawText(inner.adjusted(4, 4, -4, -4), Qt::AlignCenter, movieName_ + QLatin1Char('\n') + position);
  }
  QFrame::paintEvent(event);
}

void NFlash::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) {
    event->accept();
    return;
  }
  QFrame::mousePressEvent(event);
}

void NFlash::contextMenuEvent(QContextMenuEvent* event) {
  event->accept();
}

}  // namespace orlane
