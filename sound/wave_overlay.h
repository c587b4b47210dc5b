// What the sound view paints over its cached waveform image, worked out from
// the engine: the recording line while recording, the play position and end
// mark lines with their times, and the colours of the view in a theme. Pure;
// the view's painter draws it.
#pragma once

#include "controls/color_theme.h"
#include "sound/sound_engine.h"

#include <QString>

namespace orlane {

struct WaveColors {
  ColorRef text = MakeColorRef(50, 80, 230);  // also the play position
  ColorRef endMark = MakeColorRef(255, 150, 80);
  ColorRef wave = MakeColorRef(80, 255, 0);
  ColorRef background = MakeColorRef(150, 150, 150);
  bool operator==(const WaveColors&) const = default;
};

// The view's colours in a colour theme: the light face behind the dark
// outline colour's waveform, the accent for texts and the play position, the
// hover ring's colour for the end mark.
WaveColors WaveColorsForTheme(int theme);

struct WaveOverlay {
  int width = 0;
  int height = 0;
  bool textBand = true;
  bool recording = false;  // show the recording line (with the text band)
  QString recordingLine;
  bool sound = false;  // a sound is open: the image and the lines
  int lineTop = 0;     // the lines' rows: lineTop .. lineBottom − 1
  int lineBottom = 0;
  int positionX = 0;
  QString positionTime;
  bool endMark = false;
  int endX = 0;
  QString endTime;
  QString formatLine;  // drawn into the cached image
};

WaveOverlay ComputeWaveOverlay(const SoundEngine& engine, int width, int height, bool textBand);

// GDI's dotted cosmetic pen: three pixels on, three off, from the line's start.
inline bool DottedPixel(int index) {
  return index % 6 < 3;
}

}  // namespace orlane
