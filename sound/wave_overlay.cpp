#include "sound/wave_overlay.h"

#include "sound/waveform.h"

namespace orlane {

WaveColors WaveColorsForTheme(int theme) {
  WaveColors c;
  c.background = ThemeColor(theme, kThemeLightFace);
  c.wave = ThemeColor(theme, kThemeOutline);
  c.text = ThemeColor(theme, kThemeAccent);
  c.endMark = ThemeColor(theme, kThemeHoverRing);
  return c;
}

namespace {
float Seconds(qint64 bytes, const WaveFormat& f) {
  return f.averageBytesPerSecond ? static_cast<float>(bytes) / static_cast<float>(f.averageBytesPerSecond) : 0.0f;
}
}  // namespace

WaveOverlay ComputeWaveOverlay(const SoundEngine& engine, int width, int height, bool textBand) {
  WaveOverlay o;
  o.width = width;
  o.height = height;
  o.textBand = textBand;
  const WaveFormat& format = engine.Format();
  o.recording = engine.State() == SoundState::Recording && textBand;
  if (o.recording) o.recordingLine = RecordingLine(format, engine.RecordedSeconds());
  o.sound = engine.IsSoundOpen();
  if (!o.sound) return o;
  const qint64 length = engine.DataLength();
  o.lineTop = textBand ? kWaveTextBand : 0;
  o.lineBottom = textBand ? height - kWaveTextBand : height;
  const qint64 position = engine.GetPlayPosition();
  o.positionX = WaveMarkX(position, length, width);
  o.formatLine = WaveFormatLine(format, length);
  if (textBand) o.positionTime = FormatWaveTime(Seconds(position, format));
  o.endMark = engine.EndMark() >= 0;
  if (o.endMark) {
    o.endX = WaveMarkX(engine.EndMark(), length, width);
    if (textBand) o.endTime = FormatWaveTime(Seconds(engine.EndMark(), format));
  }
  return o;
}

}  // namespace orlane
