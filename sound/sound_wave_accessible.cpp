#include "sound/sound_wave_accessible.h"

#include "sound/sound_wave_wnd.h"
#include "sound/waveform.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include <algorithm>
#include <cmath>

namespace orlane {

namespace {

class SoundWaveAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit SoundWaveAccessible(CSoundWaveWnd* view) : QAccessibleWidget(view, QAccessible::Chart) {}

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    const SoundEngine& e = View()->Engine();
    switch (t) {
      case QAccessible::Name:
        if (View()->accessibleName().isEmpty()) return QStringLiteral("Sound diary");
        break;
      case QAccessible::Description: return WaveDescription(e.Format(), e.DataLength(), e.EndMark(), e.IsSoundOpen());
      case QAccessible::Value: return FormatWaveTime(Seconds(e.GetPlayPosition()));
      default: break;
    }
    return QAccessibleWidget::text(t);
  }

  QVariant currentValue() const override { return double(Seconds(View()->Engine().GetPlayPosition())); }
  void setCurrentValue(const QVariant& value) override {
    SoundEngine& e = View()->Engine();
    const double rate = e.Format().averageBytesPerSecond;
    if (!e.IsSoundOpen() || e.State() == SoundState::Recording || rate <= 0) return;
    // The engine aligns the offset to a sample and keeps it inside the sound.
    e.SeekTo(std::max<qint64>(0, std::llround(value.toDouble() * rate)));
  }
  QVariant maximumValue() const override {
    const SoundEngine& e = View()->Engine();
    return e.IsSoundOpen() ? double(Seconds(e.DataLength())) : 0.0;
  }
  QVariant minimumValue() const override { return 0.0; }
  QVariant minimumStepSize() const override { return 0.1; }

 private:
  CSoundWaveWnd* View() const { return static_cast<CSoundWaveWnd*>(widget()); }
  float Seconds(qint64 bytes) const { return WaveSeconds(bytes, View()->Engine().Format()); }
};

QAccessibleInterface* SoundFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("orlane::CSoundWaveWnd"))
    return new SoundWaveAccessible(static_cast<CSoundWaveWnd*>(object));
  return nullptr;
}

}  // namespace

void InstallSoundAccessibility() {
  QAccessible::installFactory(&SoundFactory);
}

}  // namespace orlane
