#include "world/qt/welt_pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "world/qt/oblique_drawing.h"
#include "world/qt/picture_shapes.h"

namespace {

// A drawn picture as the program sees it after loading its bitmap: opaque where the
// bitmap has a colour, transparent where it has the key.
QImage AsLoaded(const QImage& drawn) { return TWeltPictures::Keyed(Flatten(drawn, QColor(255, 0, 255))); }

// `loaded` at a device scale: drawn anew when it is the shipped drawing, else scaled.
QImage ScaledPicture(const QImage& loaded, double factor, const std::function<QImage(double)>& draw) {
  if (loaded.isNull()) return {};
  if (AsLoaded(draw(1.0)) == loaded) return AsLoaded(draw(factor));
  const QSize size(std::max(1, int(loaded.width() * factor + 0.5)), std::max(1, int(loaded.height() * factor + 0.5)));
  return loaded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

QImage TWeltPictures::Keyed(const QImage& image) {
  if (image.isNull()) return {};
  QImage out = image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = out.pixel(0, 0) & 0xFFFFFF;
  for (int y = 0; y < out.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < out.width(); ++x)
      if ((line[x] & 0xFFFFFF) == key) line[x] = 0;
  }
  return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage TWeltPictures::LoadKeyed(const QString& fileName) {
  QImage image;
  if (!image.load(fileName)) return {};
  return Keyed(image);
}

bool TWeltPictures::LoadFrom(const QString& folder) {
  scaled_.reset();
  const QDir dir(folder);
  BrickPicture = LoadKeyed(dir.filePath(QStringLiteral("ziegel.bmp")));
  MarkPicture = LoadKeyed(dir.filePath(QStringLiteral("marke.bmp")));
  CuboidPicture = LoadKeyed(dir.filePath(QStringLiteral("quader.bmp")));
  bool all = !BrickPicture.isNull() && !MarkPicture.isNull() && !CuboidPicture.isNull();
  for (int i = 0; i < 4; ++i) {
    Robot[size_t(i)] = LoadKeyed(dir.filePath(QStringLiteral("robot%1.bmp").arg(i)));
    all = all && !Robot[size_t(i)].isNull();
  }
  return all;
}

// `name` in `dir`, or the one entry spelt with other letter cases ("ROBOT0.BMP").
static QString FileIgnoringCase(const QDir& dir, const QString& name) {
  if (QFileInfo(dir.filePath(name)).isFile()) return dir.filePath(name);
  const QStringList matches = dir.entryList({name}, QDir::Files);  // patterns ignore case
  return matches.size() == 1 ? dir.filePath(matches.front()) : dir.filePath(name);
}

bool TWeltPictures::LoadRobotFrom(const QString& folder) {
  const QDir dir(folder);
  std::array<QImage, 4> figures;
  for (int i = 0; i < 4; ++i) {
    figures[size_t(i)] = LoadKeyed(FileIgnoringCase(dir, QStringLiteral("robot%1.bmp").arg(i)));
    if (figures[size_t(i)].isNull()) return false;
  }
  Robot = figures;
  scaled_.reset();
  return true;
}

const TScaledPictures& TWeltPictures::ScaledFor(double factor) const {
  if (scaled_ && scaled_->Factor == factor) return *scaled_;
  auto set = std::make_shared<TScaledPictures>();
  set->Factor = factor;
  if (factor == 1.0) {
    set->BrickPicture = BrickPicture;
    set->MarkPicture = MarkPicture;
    set->CuboidPicture = CuboidPicture;
    set->Robot = Robot;
  } else {
    set->BrickPicture = ScaledPicture(BrickPicture, factor, [](double s) { return ::BrickPicture(s); });
    set->MarkPicture = ScaledPicture(MarkPicture, factor, [](double s) { return ::MarkPicture(s); });
    set->CuboidPicture = ScaledPicture(CuboidPicture, factor, [](double s) { return ::CuboidPicture(s); });
    for (int i = 0; i < 4; ++i)
      set->Robot[size_t(i)] = ScaledPicture(Robot[size_t(i)], factor, [i](double s) { return RobotPicture(i, s); });
  }
  scaled_ = set;
  return *scaled_;
}

QString TWeltPictures::DefaultFolder() {
  const QDir exe(QCoreApplication::applicationDirPath());
  const QString beside = exe.filePath(QStringLiteral("imgs"));
  const QString installed = QDir::cleanPath(exe.filePath(QStringLiteral("../share/tumbo/imgs")));
  if (!QFileInfo(beside).isDir() && QFileInfo(installed).isDir()) return installed;
  return beside;
}
