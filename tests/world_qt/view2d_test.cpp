// The 2D view: geometry, the click table and the colours of a painted world.
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include "world/qt/world_picture.h"
#include "world_qt_support.h"

namespace {

const QColor kBlue(0, 0, 255), kBrickFill(205, 0, 0), kBrickLine(255, 0, 0);
const QColor kYellow(255, 255, 0), kCuboidFill(64, 64, 64), kCuboidLine(128, 128, 128);

QImage Render2D(const TWeltQt& views) {
  QImage img(views.View2D().Size(), QImage::Format_RGB32);
  img.fill(Qt::magenta);
  QPainter p(&img);
  views.View2D().PaintAll(p);
  return img;
}

// Pixels of one colour in the inner square of a cell.
int CountInCell(const QImage& img, int x, int y, QColor color) {
  const QPoint p = TWeltView2D::Project2D(x, y);
  int n = 0;
  for (int py = p.y() + 1; py < p.y() + 30; ++py)
    for (int px = p.x() + 1; px < p.x() + 30; ++px) n += img.pixelColor(px, py) == color;
  return n;
}

TEST(View2D, GeometryOfTheStartWorld) {
  TWelt welt;
  TWeltQt views(welt, ImgsFolder());
  EXPECT_EQ(views.View2D().Size(), QSize(160, 331));
  EXPECT_EQ(TWeltView2D::Project2D(0, 0), QPoint(1, 10));
  EXPECT_EQ(TWeltView2D::Project2D(5, 10), QPoint(151, 310));
  EXPECT_EQ(TWeltView2D::Project2D(0.2, 0.1), QPoint(7, 13));
  welt.NewWorld(3, 7, 2);
  EXPECT_EQ(views.View2D().Size(), QSize(100, 241));
}

TEST(View2D, CellUnderAPixel) {
  struct Case {
    int px, py, x, y;
  };
  for (const Case c : {Case{1, 10, 0, 0}, Case{30, 39, 0, 0}, Case{31, 40, 1, 1}, Case{0, 0, 0, 0},
                       Case{-20, 5, 0, 0}, Case{150, 309, 4, 9}, Case{151, 310, 5, 10},
                       Case{61, 100, 2, 3}}) {
    EXPECT_EQ(TWeltView2D::CellAt2D(c.px, c.py), QPoint(c.x, c.y)) << c.px << "," << c.py;
  }
}

TEST(View2D, GridAndEmptyCells) {
  TWelt welt;
  welt.Robot.X = 4;
  welt.Robot.Y = 9;
  TWeltQt views(welt, ImgsFolder());
  const QImage img = Render2D(views);
  for (QPoint p : {QPoint(1, 10), QPoint(151, 310), QPoint(151, 10), QPoint(1, 310), QPoint(16, 40),
                   QPoint(31, 25)})
    EXPECT_EQ(img.pixelColor(p), kBlue) << p.x() << "," << p.y();
  EXPECT_EQ(img.pixelColor(16, 25), Qt::white);
  EXPECT_EQ(img.pixelColor(0, 5), Qt::white);      // outside the room: background
  EXPECT_EQ(img.pixelColor(159, 330), Qt::white);
}

TEST(View2D, BrickCuboidAndMarkColours) {
  TWelt welt;
  for (int i = 0; i < 3; ++i) welt.Room.AddItem(1, 1, kZiegel);
  for (int i = 0; i < 2; ++i) welt.Room.AddItem(2, 2, kZiegel);
  welt.Room.SetMark(2, 2);
  welt.Room.AddItem(3, 3, kQuader);
  welt.Room.SetMark(0, 4);
  welt.Robot.X = 4;
  welt.Robot.Y = 9;
  TWeltQt views(welt, ImgsFolder());
  const QImage img = Render2D(views);

  // A brick stack: outline just inside the grid lines, fill, count in white.
  const QPoint b = TWeltView2D::Project2D(1, 1);
  EXPECT_EQ(img.pixelColor(b + QPoint(1, 1)), kBrickLine);
  EXPECT_EQ(img.pixelColor(b + QPoint(29, 29)), kBrickLine);
  EXPECT_EQ(img.pixelColor(b + QPoint(3, 3)), kBrickFill);
  EXPECT_EQ(img.pixelColor(b + QPoint(30, 15)), kBlue);
  const int white = CountInCell(img, 1, 1, Qt::white);
  EXPECT_GT(white, 8);
  EXPECT_LT(white, 200);
  // The count is centred: as much white left of the middle as right of it, roughly.
  int left = 0, right = 0;
  for (int py = b.y() + 2; py < b.y() + 29; ++py)
    for (int px = b.x() + 2; px < b.x() + 29; ++px)
      if (img.pixelColor(px, py) == Qt::white) (px < b.x() + 16 ? left : right)++;
  EXPECT_GT(left, 0);
  EXPECT_GT(right, 0);

  // A marked stack shows the mark as a yellow frame around the stack with its count.
  const QPoint m = TWeltView2D::Project2D(2, 2);
  EXPECT_EQ(img.pixelColor(m + QPoint(1, 1)), Qt::black);
  EXPECT_EQ(img.pixelColor(m + QPoint(3, 15)), kYellow);
  EXPECT_EQ(img.pixelColor(m + QPoint(15, 27)), kYellow);
  EXPECT_GT(CountInCell(img, 2, 2, kYellow), 200);
  EXPECT_GT(CountInCell(img, 2, 2, kBrickFill), 100);
  EXPECT_GT(CountInCell(img, 2, 2, Qt::white), 8);
  // A marked cuboid the same way.
  welt.Room.SetMark(3, 3);
  const QImage cuboid = Render2D(views);
  EXPECT_EQ(cuboid.pixelColor(TWeltView2D::Project2D(3, 3) + QPoint(3, 15)), kYellow);
  EXPECT_GT(CountInCell(cuboid, 3, 3, kCuboidFill), 100);
  welt.Room.ClearMark(3, 3);

  EXPECT_EQ(img.pixelColor(TWeltView2D::Project2D(3, 3) + QPoint(1, 1)), kCuboidLine);
  EXPECT_EQ(img.pixelColor(TWeltView2D::Project2D(3, 3) + QPoint(15, 15)), kCuboidFill);
  EXPECT_GT(CountInCell(img, 0, 4, kYellow), 700);
}

TEST(View2D, RobotTrianglePointsWhereTheRobotLooks) {
  // Black pixels in each half of the cell: the base of the triangle lies opposite its tip.
  for (uint8_t heading = 0; heading < 4; ++heading) {
    TWelt welt;
    welt.Robot.X = 2;
    welt.Robot.Y = 3;
    welt.Robot.Heading = heading;
    TWeltQt views(welt, ImgsFolder());
    const QImage img = Render2D(views);
    const QPoint p = TWeltView2D::Project2D(2, 3);
    int top = 0, bottom = 0, left = 0, right = 0;
    for (int dy = 1; dy < 30; ++dy) {
      for (int dx = 1; dx < 30; ++dx) {
        if (img.pixelColor(p + QPoint(dx, dy)) != Qt::black) continue;
        (dy < 15 ? top : bottom) += dy != 15;
        (dx < 15 ? left : right) += dx != 15;
      }
    }
    SCOPED_TRACE(int(heading));
    EXPECT_GT(top + bottom + left + right, 200);
    switch (heading) {
      case 0: EXPECT_GT(top, 2 * bottom); break;   // south: tip at the bottom
      case 1: EXPECT_GT(right, 2 * left); break;   // west: tip on the left
      case 2: EXPECT_GT(bottom, 2 * top); break;   // north
      case 3: EXPECT_GT(left, 2 * right); break;   // east
    }
    // The tip itself.
    const double tips[4][2] = {{0.5, 0.9}, {0.1, 0.5}, {0.5, 0.1}, {0.9, 0.5}};
    EXPECT_EQ(img.pixelColor(TWeltView2D::Project2D(2 + tips[heading][0], 3 + tips[heading][1])), Qt::black);
  }
}

// The texts of a metafile's text records.
QStringList MetafileTexts(const QByteArray& data) {
  QStringList texts;
  for (int at = 0; at + 8 <= data.size();) {
    const quint32 type = qFromLittleEndian<quint32>(data.constData() + at);
    const quint32 size = qFromLittleEndian<quint32>(data.constData() + at + 4);
    if (size < 8) break;
    if (type == 84) {  // EMR_EXTTEXTOUTW
      const quint32 chars = qFromLittleEndian<quint32>(data.constData() + at + 44);
      const quint32 offset = qFromLittleEndian<quint32>(data.constData() + at + 48);
      texts << QString::fromUtf16(reinterpret_cast<const char16_t*>(data.constData() + at + offset),
                                  qsizetype(chars));
    }
    at += int(size);
  }
  return texts;
}

TEST(View2D, MetafileOfTheMapHoldsTheCounts) {
  TWelt welt;
  for (int i = 0; i < 4; ++i) welt.Room.AddItem(3, 2, kZiegel);
  for (int i = 0; i < 2; ++i) welt.Room.AddItem(0, 5, kZiegel);
  TWeltQt views(welt, ImgsFolder());
  QTemporaryDir dir;
  const QString name = dir.filePath(QStringLiteral("welt.emf"));
  views.SetIs2D(true);
  ASSERT_TRUE(SaveWorldPicture(views, name, TPictureFormat::Emf));
  QFile file(name);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray data = file.readAll();
  ASSERT_GT(data.size(), 108);
  EXPECT_EQ(qFromLittleEndian<quint32>(data.constData() + 48), quint32(data.size()));
  // Columns first: the stack at (0, 5) comes before the one at (3, 2).
  EXPECT_EQ(MetafileTexts(data), (QStringList{QStringLiteral("2"), QStringLiteral("4")}));
}

}  // namespace
