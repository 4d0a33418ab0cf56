// calpero-render-icon: draws the program's scalable icon as square PNG files, one per size, for
// the desktop's icon theme. Used at build time only; it is not installed.
//
// Usage: calpero-render-icon <icon.svg> <icon name> <output folder> <size>...
// Writes <output folder>/<size>x<size>/apps/<icon name>.png for each size. Exits 0 when every
// file was written, 1 when the SVG cannot be read or a file cannot be written, 2 on a usage error.

#include <cstdio>

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace {

// The icon drawn at `side` by `side` pixels on a transparent ground, scaled to fill the square
// (the artwork is square) and antialiased.
QImage RenderSquare(QSvgRenderer& renderer, int side) {
  QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  renderer.render(&painter, QRectF(0, 0, side, side));
  painter.end();
  return image;
}

// The size given on the command line, or 0 when it is not a whole number from 1 to 1024.
int ParseSide(const char* text) {
  bool ok = false;
  const int side = QString::fromLocal8Bit(text).toInt(&ok);
  return ok && side >= 1 && side <= 1024 ? side : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fputs("usage: calpero-render-icon <icon.svg> <icon name> <output folder> <size>...\n",
               stderr);
    return 2;
  }
  const QString svgPath = QString::fromLocal8Bit(argv[1]);
  QSvgRenderer renderer(svgPath);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "calpero-render-icon: cannot read %s\n", argv[1]);
    return 1;
  }
  const QString iconName = QString::fromLocal8Bit(argv[2]);
  const QDir output(QString::fromLocal8Bit(argv[3]));
  for (int i = 4; i < argc; ++i) {
    const int side = ParseSide(argv[i]);
    if (side == 0) {
      std::fprintf(stderr, "calpero-render-icon: not a size: %s\n", argv[i]);
      return 2;
    }
    const QString folder = QStringLiteral("%1x%1/apps").arg(side);
    const QString file = output.filePath(folder + QLatin1Char('/') + iconName + ".png");
    if (!output.mkpath(folder) || !RenderSquare(renderer, side).save(file, "PNG")) {
      std::fprintf(stderr, "calpero-render-icon: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
