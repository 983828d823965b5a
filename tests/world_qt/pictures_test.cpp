// Loading the pictures: the top-left pixel's colour becomes transparent once, at load.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "world_qt_support.h"

namespace {

QImage Sample(QColor key) {
  QImage img(4, 3, QImage::Format_RGB32);
  img.fill(key);
  img.setPixelColor(1, 1, QColor(10, 20, 30));
  img.setPixelColor(2, 1, QColor(255, 0, 254));  // close to the key, but not it
  return img;
}

TEST(Pictures, TopLeftColourBecomesTransparent) {
  QTemporaryDir dir;
  const QString name = dir.filePath(QStringLiteral("bild.bmp"));
  ASSERT_TRUE(Sample(QColor(255, 0, 255)).save(name, "BMP"));
  const QImage img = TWeltPictures::LoadKeyed(name);
  ASSERT_EQ(img.size(), QSize(4, 3));
  EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
  EXPECT_EQ(qAlpha(img.pixel(3, 2)), 0);
  EXPECT_EQ(img.pixelColor(1, 1), QColor(10, 20, 30));
  EXPECT_EQ(img.pixelColor(2, 1), QColor(255, 0, 254));
  // Any colour can be the key.
  const QImage green = TWeltPictures::Keyed(Sample(QColor(0, 128, 0)));
  EXPECT_EQ(qAlpha(green.pixel(2, 0)), 0);
  EXPECT_EQ(qAlpha(green.pixel(1, 1)), 255);
  EXPECT_TRUE(TWeltPictures::LoadKeyed(dir.filePath(QStringLiteral("fehlt.bmp"))).isNull());
}

TEST(Pictures, ShippedPicturesLoadAndFitTheCells) {
  TWeltPictures pics;
  ASSERT_TRUE(pics.LoadFrom(ImgsFolder()));
  for (const QImage* p : {&pics.BrickPicture, &pics.MarkPicture, &pics.CuboidPicture, &pics.Robot[0],
                          &pics.Robot[1], &pics.Robot[2], &pics.Robot[3]}) {
    EXPECT_EQ(qAlpha(p->pixel(0, 0)), 0);
    EXPECT_LE(p->width(), 46);  // no wider than a cell's top face with its side
  }
  // A brick is one level high and a cuboid two, each with its top face.
  EXPECT_EQ(pics.BrickPicture.height(), 31);
  EXPECT_EQ(pics.CuboidPicture.height(), 46);
  for (const QImage& r : pics.Robot) EXPECT_EQ(r.size(), pics.Robot[0].size());
}

TEST(Pictures, RobotFiguresAreReplacedOnlyAsAWholeSet) {
  QTemporaryDir dir;
  for (int i = 0; i < 3; ++i)
    ASSERT_TRUE(Sample(Qt::white).save(dir.filePath(QStringLiteral("robot%1.bmp").arg(i)), "BMP"));
  TWelt welt;
  TWeltQt views(welt, ImgsFolder());
  const QImage before = views.Pictures().Robot[0];
  EXPECT_FALSE(views.LoadRobotPictures(dir.path()));
  EXPECT_EQ(views.Pictures().Robot[0], before);

  ASSERT_TRUE(Sample(Qt::white).save(dir.filePath(QStringLiteral("robot3.bmp")), "BMP"));
  EXPECT_TRUE(views.LoadRobotPictures(dir.path()));
  EXPECT_EQ(views.Pictures().Robot[0].size(), QSize(4, 3));
  // The new figure is drawn at once.
  const QPoint p = views.View3D().Project3D(0.1, 0.7, 0);
  EXPECT_EQ(views.View3D().Image().pixelColor(p.x() - (4 - 30) / 2 + 1, p.y() - 3 + 1), QColor(10, 20, 30));
}

TEST(Pictures, MissingPicturesDrawNothingButTheRoom) {
  QTemporaryDir empty;
  TWelt welt;
  welt.Room.AddItem(1, 1, kZiegel);
  TWeltQt views(welt, empty.path());
  EXPECT_TRUE(views.Pictures().BrickPicture.isNull());
  EXPECT_EQ(DifferingPixels(views.View3D().Image(), views.View3D().Background()), 0);
}

}  // namespace
