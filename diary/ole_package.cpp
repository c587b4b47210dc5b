#include "diary/ole_package.h"

#include <QtEndian>

namespace orlane {
namespace {

constexpr quint32 kOleVersion = 0x00000501;
constexpr quint32 kFormatEmbedded = 2;

void PutU16(QByteArray& out, quint16 v) {
  char b[2];
  qToLittleEndian(v, b);
  out.append(b, 2);
}
void PutU32(QByteArray& out, quint32 v) {
  char b[4];
  qToLittleEndian(v, b);
  out.append(b, 4);
}
void PutZeroText(QByteArray& out, const QByteArray& text) {
  out.append(text);
  out.append('\0');
}

// A bounds-checked cursor over the stream.
class Cursor {
 public:
  explicit Cursor(QByteArrayView bytes) : bytes_(bytes) {}
  bool u16(quint16& v) {
    if (left() < 2) return false;
    v = qFromLittleEndian<quint16>(bytes_.data() + pos_);
    pos_ += 2;
    return true;
  }
  bool u32(quint32& v) {
    if (left() < 4) return false;
    v = qFromLittleEndian<quint32>(bytes_.data() + pos_);
    pos_ += 4;
    return true;
  }
  bool take(qsizetype n, QByteArrayView& v) {
    if (n < 0 || left() < n) return false;
    v = bytes_.sliced(pos_, n);
    pos_ += n;
    return true;
  }
  bool zeroText(QByteArrayView& v) {
    const qsizetype end = bytes_.indexOf('\0', pos_);
    if (end < 0) return false;
    v = bytes_.sliced(pos_, end - pos_);
    pos_ = end + 1;
    return true;
  }
  qsizetype left() const { return bytes_.size() - pos_; }

 private:
  QByteArrayView bytes_;
  qsizetype pos_ = 0;
};

QString NameFromBytes(QByteArrayView bytes) {
  QString utf8 = QString::fromUtf8(bytes);
  if (!utf8.contains(QChar::ReplacementCharacter)) return utf8;
  return QString::fromLatin1(bytes);
}

}  // namespace

QByteArray EncodeOlePackage(const OlePackage& package) {
  const QByteArray name = package.fileName.toUtf8();
  QByteArray native;
  PutU16(native, 2);
  PutZeroText(native, name);  // label
  PutZeroText(native, name);  // original path
  PutU16(native, 0);
  PutU16(native, 3);  // embedded file
  PutU32(native, quint32(name.size() + 1));
  PutZeroText(native, name);  // temporary path
  PutU32(native, quint32(package.data.size()));
  native.append(package.data);

  QByteArray stream;
  PutU32(stream, kOleVersion);
  PutU32(stream, kFormatEmbedded);
  PutU32(stream, 8);
  PutZeroText(stream, "Package");
  PutU32(stream, 0);  // topic
  PutU32(stream, 0);  // item
  PutU32(stream, quint32(native.size()));
  stream.append(native);
  PutU32(stream, kOleVersion);  // no presentation object follows
  PutU32(stream, 0);
  return stream;
}

bool DecodeOlePackage(QByteArrayView stream, OlePackage& out) {
  Cursor c(stream);
  quint32 version = 0, format = 0, classLength = 0, topicLength = 0, itemLength = 0, nativeSize = 0;
  QByteArrayView className, skipped, native;
  if (!c.u32(version) || !c.u32(format) || format != kFormatEmbedded) return false;
  if (!c.u32(classLength) || classLength > 256 || !c.take(classLength, className)) return false;
  if (!className.startsWith("Package")) return false;
  if (!c.u32(topicLength) || !c.take(topicLength, skipped)) return false;
  if (!c.u32(itemLength) || !c.take(itemLength, skipped)) return false;
  if (!c.u32(nativeSize) || qint64(nativeSize) > c.left() || !c.take(nativeSize, native)) return false;

  Cursor n(native);
  quint16 signature = 0, reserved = 0, kind = 0;
  quint32 tempLength = 0, dataSize = 0;
  QByteArrayView label, path, temp, data;
  if (!n.u16(signature) || !n.zeroText(label) || !n.zeroText(path)) return false;
  if (!n.u16(reserved) || !n.u16(kind) || kind != 3) return false;
  if (!n.u32(tempLength) || !n.take(tempLength, temp)) return false;
  if (!n.u32(dataSize) || qint64(dataSize) > n.left() || !n.take(dataSize, data)) return false;
  out.fileName = NameFromBytes(label.isEmpty() ? path : label);
  out.data = data.toByteArray();
  return true;
}

}  // namespace orlane
