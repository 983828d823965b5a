// Pictures of any size — a figure the user swapped in, bricks wider than a cell — still
// leave partial 3D repaints equal to a full repaint of the same world, also after the
// figure is exchanged while the world is shown.
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <random>

#include "world_qt_support.h"

namespace {

// A keyed bitmap: green border (the transparent colour), a filled body and a diagonal.
void MakePicture(const QString& path, QSize size, QColor body) {
  QImage img(size, QImage::Format_RGB32);
  img.fill(Qt::green);
  QPainter p(&img);
  p.fillRect(1, 1, size.width() - 2, size.height() - 2, body);
  p.setPen(Qt::black);
  p.drawLine(1, 1, size.width() - 2, size.height() - 2);
  p.end();
  ASSERT_TRUE(img.save(path, "BMP"));
}

// Four figures of slightly different sizes, one per heading.
void MakeFigures(const QString& folder, QSize robot) {
  for (int i = 0; i < 4; ++i)
    MakePicture(QDir(folder).filePath(QStringLiteral("robot%1.bmp").arg(i)), robot + QSize(i, -i),
                QColor(0, 0, 150 + 30 * i));
}

struct OddCase {
  QSize robot, swapped, brick, mark, cuboid;
  int w, l, h;
};

class OddPictures : public ::testing::TestWithParam<OddCase> {};

TEST_P(OddPictures, PartialRepaintsEqualAFullRepaint) {
  const OddCase c = GetParam();
  QTemporaryDir dir, swapped;
  ASSERT_TRUE(dir.isValid() && swapped.isValid());
  MakeFigures(dir.path(), c.robot);
  MakeFigures(swapped.path(), c.swapped);
  MakePicture(QDir(dir.path()).filePath("ziegel.bmp"), c.brick, Qt::red);
  MakePicture(QDir(dir.path()).filePath("marke.bmp"), c.mark, Qt::yellow);
  MakePicture(QDir(dir.path()).filePath("quader.bmp"), c.cuboid, Qt::gray);

  TWelt welt(c.w, c.l, c.h);
  welt.Robot.MaxJump = 3;
  TWeltQt views(welt, dir.path());
  auto fresh = [&] {
    QImage img;
    {
      TWeltQt other(welt, dir.path());
      other.LoadRobotPictures(views.Pictures().Robot[0].size() == c.robot ? dir.path() : swapped.path());
      img = other.View3D().Image().copy();
    }
    welt.SetView(&views);
    return img;
  };

  std::mt19937 rng(7);
  for (int i = 0; i < 200; ++i) {
    if (i == 100) {
      ASSERT_TRUE(views.LoadRobotPictures(swapped.path()));
    }
    TTumbo& r = welt.Robot;
    switch (rng() % 10) {
      case 0: case 1: case 2: r.Schritt(1); break;
      case 3: r.LinksDrehen(); break;
      case 4: r.RechtsDrehen(); break;
      case 5: r.Hinlegen(1 + int(rng() % 2)); break;
      case 6: r.Aufheben(1); break;
      case 7: r.IstMarke() ? r.MarkeLoeschen() : r.MarkeSetzen(); break;
      case 8: r.QuaderAufstellen(); break;
      default: r.QuaderEntfernen(); break;
    }
    welt.UpdateView();
    ASSERT_EQ(DifferingPixels(views.View3D().Image(), fresh()), 0) << "after action " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, OddPictures,
    ::testing::Values(
        // A tall wide figure swapped for a tiny one.
        OddCase{{120, 160}, {10, 8}, {46, 31}, {46, 16}, {46, 46}, 5, 10, 6},
        // Tiny figure, world pictures much larger than a cell.
        OddCase{{10, 8}, {60, 90}, {90, 70}, {100, 60}, {120, 130}, 6, 6, 4},
        // A tiny figure swapped for one far taller and wider than a cell.
        OddCase{{10, 8}, {150, 200}, {46, 31}, {46, 16}, {46, 46}, 5, 10, 6},
        // A flat figure far wider than the room.
        OddCase{{200, 20}, {40, 52}, {46, 31}, {46, 16}, {46, 46}, 8, 3, 2}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

}  // namespace
