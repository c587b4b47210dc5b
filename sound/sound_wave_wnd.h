// CSoundWaveWnd: the sound view of the Sound Diary mode. It owns the
// recorder and player engine (sound/sound_engine.h), paints the day's sound
// as a waveform with its format, the moving play position, the end mark and
// their times, or the recorded time while recording, and turns clicks and the
// arrow keys into marks. The waveform is drawn once per sound (or size) into
// a cached image, from a per-column summary of the line; each paint copies
// that image and draws two lines and up to three short texts over it.
#pragma once

#include "sound/sound_engine.h"
#include "sound/wave_overlay.h"

#include <QImage>
#include <QWidget>

namespace orlane {

class CSoundWaveWnd : public QWidget {
  Q_OBJECT

 public:
  // Sounds with more samples to draw than this show the wait dialog while
  // their image is built.
  static constexpr qint64 kWaitDialogSamples = 4'000'000;

  explicit CSoundWaveWnd(QWidget* parent = nullptr);
  ~CSoundWaveWnd() override;
  Q_DISABLE_COPY_MOVE(CSoundWaveWnd)

  // A visible child at rect with a sunken static edge; 1 when created.
  int Create(const QRect& rect, QWidget* parent, int id);
  int Id() const { return id_; }

  SoundEngine& Engine() { return engine_; }
  const SoundEngine& Engine() const { return engine_; }

  // The engine's load, telling the user a failure in the program's error box.
  int LoadWaveFromMemory(QByteArrayView bytes);

  // Draws the waveform image anew (empty when no sound is open).
  void RebuildWaveImage();

  // The colours of a theme and the wait dialog's theme.
  void SetTheme(int theme);
  void SetColors(const WaveColors& colors);
  const WaveColors& Colors() const { return colors_; }
  void SetShowText(bool on);
  void SetShowProgress(bool on) { showProgress_ = on; }

  // The cached waveform image (null when no sound is open) and what a paint
  // of the view shows now.
  const QImage& WaveImage() const { return image_; }
  QImage RenderView();

 Q_SIGNALS:
  // The level message 40001 of each recorded buffer (posted).
  void soundLevel(int fullScale, int magnitude);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void AnnouncePosition();

  SoundEngine engine_;
  WaveColors colors_;
  int theme_ = kDefaultControlTheme;
  int id_ = 0;
  bool showText_ = true;
  bool showProgress_ = true;
  bool rebuilding_ = false;
  bool rebuildAgain_ = false;
  int spokenSecond_ = -1;
  QImage image_;
  QImage back_;
};

}  // namespace orlane
