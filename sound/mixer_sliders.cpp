#include "sound/mixer_sliders.h"

#include "sound/recorder_controls.h"

namespace orlane {

using audio::MixerLine;

CMixerSliders::CMixerSliders(QSlider* master, QSlider* wave, QSlider* microphone, QObject* parent) : QObject(parent) {
  lines_[0].line = MixerLine::Master;
  lines_[0].slider = master;
  lines_[1].line = MixerLine::Wave;
  lines_[1].slider = wave;
  lines_[2].line = MixerLine::Microphone;
  lines_[2].slider = microphone;
  for (Line& line : lines_) Attach(line);
}

CMixerSliders::~CMixerSliders() {
  for (Line& line : lines_)
    if (line.control) line.control->setChangeCallback({});
}

QString CMixerSliders::UnavailableTip() {
  return QStringLiteral("No sound mixer was found for this volume, so it cannot be set here.");
}

QString CMixerSliders::UnavailableLabel(const QString& name) {
  return name + QStringLiteral(": no mixer found");
}

void CMixerSliders::SetLabels(QLabel* master, QLabel* wave, QLabel* microphone) {
  const std::array<QLabel*, 3> labels{master, wave, microphone};
  for (size_t i = 0; i < lines_.size(); ++i) {
    QLabel* label = labels[i];
    if (!label || Available(lines_[i].line)) continue;
    label->setText(UnavailableLabel(label->text()));
    label->setToolTip(UnavailableTip());
  }
}

bool CMixerSliders::Available(MixerLine which) const {
  for (const Line& line : lines_)
    if (line.line == which) return line.control && line.control->available();
  return false;
}

void CMixerSliders::Attach(Line& line) {
  if (!line.slider) return;
  line.control = audio::CreateMixerControl(line.line);
  if (!line.control || !line.control->available()) {
    line.slider->setEnabled(false);
    line.slider->setToolTip(UnavailableTip());
    return;
  }
  line.slider->setEnabled(true);
  Show(line, line.control->volume());
  Line* l = &line;
  line.control->setChangeCallback([this, l](long value) { Show(*l, value); });
  connect(line.slider, &QSlider::sliderReleased, this, [this, l] { Write(*l); });
  // Keyboard, wheel and page clicks change the value without a drag.
  connect(line.slider, &QSlider::valueChanged, this, [this, l] {
    if (!l->showing && !l->slider->isSliderDown()) Write(*l);
  });
}

void CMixerSliders::Show(Line& line, long value) {
  if (!line.slider || !line.control) return;
  const long minimum = line.control->minimum();
  const long maximum = line.control->maximum();
  const SliderSetting s = line.line == MixerLine::Microphone ? MicrophoneSliderSetting(minimum, maximum, value)
                                                             : OutputSliderSetting(minimum, maximum, value);
  // A drag in progress wins over what the mixer reports meanwhile.
  if (line.slider->isSliderDown()) return;
  line.showing = true;
  line.slider->setRange(s.minimum, s.maximum);
  line.slider->setValue(s.position);
  line.showing = false;
}

void CMixerSliders::Write(Line& line) {
  if (!line.slider || !line.control) return;
  line.control->setVolume(SliderVolume(line.slider->value()));
}

void CMixerSliders::Refresh() {
  for (Line& line : lines_)
    if (line.control && line.control->available()) Show(line, line.control->volume());
}

}  // namespace orlane
