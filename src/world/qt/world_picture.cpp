#include "world/qt/world_picture.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include "export/emf_device.h"
#include "export/safe_output.h"
#include "world/qt/welt_qt.h"

namespace {

void PaintView(const TWeltQt& views, QPainter& p, double scale) {
  if (scale != 1.0)
    views.PaintScaled(p, scale);
  else if (views.Is2D())
    views.Paint2DTo(p);
  else
    p.drawImage(0, 0, views.View3D().Image());
}

QSize PictureSize(const TWeltQt& views, double scale) { return TViewScale{scale}.Map(views.ViewSize()); }

QByteArray SvgBytes(const TWeltQt& views, double scale) {
  const QSize size = PictureSize(views, scale);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(size);
  svg.setViewBox(QRect(QPoint(0, 0), size));
  svg.setTitle(QStringLiteral("Robot Tumbo"));
  QPainter p(&svg);
  PaintView(views, p, scale);
  p.end();
  return bytes;
}

QByteArray EmfBytes(const TWeltQt& views, double scale) {
  EmfDevice emf(PictureSize(views, scale));
  QPainter p(&emf);
  PaintView(views, p, scale);
  p.end();
  return emf.Data();
}

// Bitmaps carry no alpha: the picture is opaque anyway.
QByteArray BitmapBytes(const TWeltQt& views, const char* format, double scale) {
  QImage image(PictureSize(views, scale), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  PaintView(views, p, scale);
  p.end();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  return image.save(&buffer, format) ? bytes : QByteArray();
}

}  // namespace

std::optional<TPictureFormat> PictureFormatOf(const QString& fileName) {
  const QString suffix = QFileInfo(fileName).suffix().toLower();
  if (suffix == QLatin1String("png")) return TPictureFormat::Png;
  if (suffix == QLatin1String("bmp")) return TPictureFormat::Bmp;
  if (suffix == QLatin1String("svg")) return TPictureFormat::Svg;
  if (suffix == QLatin1String("emf")) return TPictureFormat::Emf;
  return std::nullopt;
}

QByteArray WorldPictureBytes(const TWeltQt& views, TPictureFormat format, double scale) {
  switch (format) {
    case TPictureFormat::Png: return BitmapBytes(views, "PNG", scale);
    case TPictureFormat::Bmp: return BitmapBytes(views, "BMP", scale);
    case TPictureFormat::Svg: return SvgBytes(views, scale);
    case TPictureFormat::Emf: return EmfBytes(views, scale);
  }
  return {};
}

bool SaveWorldPicture(const TWeltQt& views, const QString& fileName, TPictureFormat format, QString* error,
                      double scale) {
  const QByteArray bytes = WorldPictureBytes(views, format, scale);
  if (bytes.isEmpty()) {
    if (error) *error = QStringLiteral("Das Bild kann nicht erzeugt werden.");
    return false;
  }
  return tumbo::output::WriteBytes(fileName, bytes, error);
}
