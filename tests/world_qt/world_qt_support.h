// Helpers of the world view tests: the shipped pictures, pixel comparisons.
#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include "world/qt/welt_qt.h"
#include "world/welt.h"

inline QString ImgsFolder() { return QStringLiteral(TUMBO_DATA_DIR "/imgs"); }

inline QColor At(const QImage& img, QPoint p) { return img.pixelColor(p); }

// Whether every opaque pixel of `picture` appears unchanged in `image` with the picture's
// top-left corner at `topLeft` (pixels outside the image are skipped).
inline bool DrawnAt(const QImage& image, const QImage& picture, QPoint topLeft) {
  int opaque = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb px = picture.pixel(x, y);
      if (qAlpha(px) == 0) continue;
      const QPoint at = topLeft + QPoint(x, y);
      if (!image.rect().contains(at)) continue;
      ++opaque;
      if ((image.pixel(at) & 0xFFFFFF) != (px & 0xFFFFFF)) return false;
    }
  }
  return opaque > 0;
}

// The number of pixels that differ between two images of the same size.
inline int DifferingPixels(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
  if (x.size() != y.size()) return -1;
  int n = 0;
  for (int row = 0; row < x.height(); ++row)
    for (int col = 0; col < x.width(); ++col)
      if (x.pixel(col, row) != y.pixel(col, row)) ++n;
  return n;
}
