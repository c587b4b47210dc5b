// Build tool: renders an SVG icon into square PNG files.
// usage: orlane_render_icon ICON.svg SIZE OUT.png [SIZE OUT.png ...]
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 4 || argc % 2 != 0) {
    std::fprintf(stderr, "usage: %s ICON.svg SIZE OUT.png [SIZE OUT.png ...]\n", argv[0]);
    return 2;
  }
  QSvgRenderer renderer{QString::fromLocal8Bit(argv[1])};
  if (!renderer.isValid()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  for (int i = 2; i + 1 < argc; i += 2) {
    const int size = std::atoi(argv[i]);
    if (size <= 0) {
      std::fprintf(stderr, "not a size: %s\n", argv[i]);
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const QString out = QString::fromLocal8Bit(argv[i + 1]);
    if (!QDir().mkpath(QFileInfo(out).absolutePath()) || !image.save(out, "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", argv[i + 1]);
      return 1;
    }
  }
  return 0;
}
