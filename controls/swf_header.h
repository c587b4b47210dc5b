// The header of a Flash movie (.swf): signature, version, stage size, frame
// rate and frame count, and the stage colour of the first SetBackgroundColor
// tag. "FWS" movies are read as they are, "CWS" movies are inflated with
// zlib as far as the header and the first tags need. Never reads past the
// bytes given, never allocates by a length the file declares.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace orlane {

enum class SwfError {
  None = 0,
  TooShort,       // fewer bytes than a header needs
  BadSignature,   // not FWS or CWS (LZMA "ZWS" movies are not read)
  BadCompressed,  // the zlib stream of a CWS movie is damaged
};

struct SwfHeader {
  SwfError error = SwfError::None;
  bool compressed = false;
  int version = 0;
  quint32 fileLength = 0;  // the uncompressed length the file declares
  int stageWidthTwips = 0;
  int stageHeightTwips = 0;
  int frameRate256 = 0;  // 8.8 fixed point frames per second
  int frameCount = 0;
  bool hasBackground = false;
  quint32 backgroundRgb = 0xFFFFFF;  // 0xRRGGBB

  bool ok() const { return error == SwfError::None; }
  double frameRate() const { return frameRate256 / 256.0; }
};

// How many bytes of the movie body the parser looks at for the stage colour.
inline constexpr int kSwfScanBytes = 64 * 1024;

SwfHeader ParseSwfHeader(QByteArrayView bytes);
// Reads at most what the header needs from a file; TooShort when unreadable.
SwfHeader ReadSwfHeaderFile(const QString& path);
// The text of an error for logs.
QString SwfErrorText(SwfError error);

}  // namespace orlane
