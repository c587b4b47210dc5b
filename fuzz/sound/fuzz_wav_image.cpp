// Any bytes as a WAV image: the reader must stay inside the buffer, and an
// image it accepts must hold a playable format and write back to one that
// reads the same.
#include "sound/wav_image.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  const orlane::WavImage image =
      orlane::ParseWavImage(QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
  if (image.error != 0) return 0;
  if (!orlane::IsSupportedWaveFormat(image.format) || image.pcm.isEmpty()) std::abort();
  const orlane::WavImage again = orlane::ParseWavImage(orlane::BuildWavImage(image.format, image.pcm));
  if (again.error != 0 || again.pcm != image.pcm || again.format.channels != image.format.channels) std::abort();
  return 0;
}
