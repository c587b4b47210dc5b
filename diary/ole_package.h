// The embedded-object data of an attached file: an OLE 1 object stream of
// class "Package" whose native data holds the file's name and bytes, the form
// word processors give a file dropped into a page. Decoding checks every
// length against the bytes present and refuses anything else.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace orlane {

struct OlePackage {
  QString fileName;
  QByteArray data;
};

QByteArray EncodeOlePackage(const OlePackage& package);

// False for data that is not a complete Package object stream.
bool DecodeOlePackage(QByteArrayView stream, OlePackage& out);

}  // namespace orlane
