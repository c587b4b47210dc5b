// Media files the alert tests play: a short wave made with the program's own
// WAV writer, and a file no player can read.
#pragma once

#include "sound/wav_image.h"
#include "swf_files.h"

#include <QString>

namespace orlane::test {

inline QString WriteTestWave(const QString& path, int milliseconds = 300) {
  QByteArray pcm(8000 * milliseconds / 1000, '\x80');
  for (qsizetype i = 0; i < pcm.size(); ++i) pcm[i] = static_cast<char>((i / 8) % 2 ? 0xA0 : 0x60);
  WriteBytes(path, BuildWavImage(WaveFormat::Pcm(8000, 8), pcm));
  return path;
}

inline QString WriteUnplayable(const QString& path) {
  WriteBytes(path, QByteArray("RIFF this is no sound at all, only some words of text"));
  return path;
}

}  // namespace orlane::test
