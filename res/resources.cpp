#include "res/resources.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>

#include <algorithm>
#include <array>
#include <utility>

namespace orlane {

namespace {
// Every icon is an SVG named after its number; the beep is a WAV file.
constexpr std::array kIconIds{128, 133, 134, 136, 138, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152,
                              153, 154, 155, 172, 173, 174, 175, 176, 177, 178, 179, 180, 181, 182, 183,
                              184, 185, 186, 187, 198, 201, 203, 207, 213, 214, 215, 216, 217, 218, 237,
                              244, 245, 250, 251, 253, 261, 274, 306, 311, 312, 313, 314, 315, 316};

const QHash<int, QString>& Table() {
  static const QHash<int, QString> table = [] {
    QHash<int, QString> t;
    for (int id : kIconIds) t.insert(id, QStringLiteral(":/orlane/icons/%1.svg").arg(id));
    t.insert(kIdBeepWave, QStringLiteral(":/orlane/sounds/208.wav"));
    return t;
  }();
  return table;
}
}  // namespace

QString ResourcePath(int id) {
  return Table().value(id);
}

QList<int> ResourceIds() {
  QList<int> ids = Table().keys();
  std::sort(ids.begin(), ids.end());
  return ids;
}

QPixmap ResourcePixmap(int id, int size) {
  const QString path = ResourcePath(id);
  if (path.isEmpty() || !path.endsWith(QLatin1String(".svg")) || size <= 0) return QPixmap();
  // Several controls show the same icon: each size is drawn once.
  const QString key = QStringLiteral("orlane-resource-%1-%2").arg(id).arg(size);
  QPixmap pixmap;
  if (QPixmapCache::find(key, &pixmap)) return pixmap;
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return QPixmap();
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter, QRectF(0, 0, size, size));
  painter.end();
  pixmap = QPixmap::fromImage(image);
  QPixmapCache::insert(key, pixmap);
  return pixmap;
}

const QPixmap& LazyResourcePixmap::pixmap() const {
  if (!pixmap_) pixmap_ = id_ ? ResourcePixmap(id_, size_) : QPixmap();
  return *pixmap_;
}

QByteArray ResourceData(int id) {
  const QString path = ResourcePath(id);
  if (path.isEmpty()) return QByteArray();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

}  // namespace orlane
