// CMixerSliders: the Master, Wave and Mic volume sliders of the Sound Diary
// mode, kept in step with the sound mixer. Each slider gets its range and
// position from its mixer line (in steps of 4096), writes its volume when
// the user lets it go or moves it by keyboard or wheel, and follows changes
// made elsewhere (the desktop's mixer, another program) as the mixer reports
// them. Without a mixer a slider is disabled, and its label says why (the
// tool tip says it in full).
#pragma once

#include "platform/audio/mixer_control.h"

#include <QLabel>
#include <QObject>
#include <QPointer>
#include <QSlider>

#include <array>
#include <memory>

namespace orlane {

class CMixerSliders final : public QObject {
  Q_OBJECT

 public:
  // The sliders stay the caller's; any of them may be null.
  CMixerSliders(QSlider* master, QSlider* wave, QSlider* microphone, QObject* parent = nullptr);
  ~CMixerSliders() override;
  Q_DISABLE_COPY_MOVE(CMixerSliders)

  // The sliders' name labels (any may be null): the label of a line without
  // a mixer gets the reason after the name ("Master: no mixer found").
  void SetLabels(QLabel* master, QLabel* wave, QLabel* microphone);

  bool Available(audio::MixerLine line) const;
  // Reads every line's value again and moves the sliders to it.
  void Refresh();

  static QString UnavailableTip();
  static QString UnavailableLabel(const QString& name);

 private:
  struct Line {
    audio::MixerLine line = audio::MixerLine::Master;
    QPointer<QSlider> slider;
    std::unique_ptr<audio::MixerControl> control;
    bool showing = false;  // moving the slider to the mixer's value, not the user
  };

  void Attach(Line& line);
  void Show(Line& line, long value);
  void Write(Line& line);

  std::array<Line, 3> lines_;
};

}  // namespace orlane
