#include "world/qt/welt_pictures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

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
  return true;
}

QString TWeltPictures::DefaultFolder() {
  const QDir exe(QCoreApplication::applicationDirPath());
  const QString beside = exe.filePath(QStringLiteral("imgs"));
  const QString installed = QDir::cleanPath(exe.filePath(QStringLiteral("../share/tumbo/imgs")));
  if (!QFileInfo(beside).isDir() && QFileInfo(installed).isDir()) return installed;
  return beside;
}
