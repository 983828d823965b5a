#include "world/qt/world_map_png.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include "world/qt/welt_qt.h"

TMapPicture WorldMapPng(const std::string& worldBytes, int maxWidth) {
  TWelt world;
  world.LoadFromText(worldBytes, "Karte");
  TWeltQt views(world);
  views.SetIs2D(true);
  const QSize size = views.ViewSize();
  const TViewScale scale{std::min(1.0, double(maxWidth) / std::max(1, size.width()))};
  QImage image(scale.Map(size), QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter p(&image);
    views.Paint2DTo(p, scale);
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  const QPoint origin = TWeltView2D::Project2D(0, 0, scale);
  return {png.toStdString(), image.width(), image.height(), double(origin.x()), double(origin.y()),
          (TWeltView2D::Project2D(100, 0, scale).x() - origin.x()) / 100.0};
}
