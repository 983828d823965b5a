// A line drawn only as far as it shows in an area leaves every pixel of the area as the
// whole line draws it: along the grid, the diagonals and other slopes, solid and dashed,
// one to three pixels wide.
#include <QPainter>
#include <gtest/gtest.h>

#include <ostream>

#include "world/qt/line_in_area.h"
#include "world_qt_support.h"

namespace {

struct LineCase {
  QPoint a, b;
};

void PrintTo(const LineCase& c, std::ostream* os) {
  *os << "(" << c.a.x() << "," << c.a.y() << ")-(" << c.b.x() << "," << c.b.y() << ")";
}

class LineInArea : public ::testing::TestWithParam<LineCase> {};

// Qt's own rasterizer may set a pixel differently when a wide sloped line is clipped, so
// each area is compared with the whole line drawn into the same area.
TEST_P(LineInArea, DrawsTheAreaAsTheWholeLineDoes) {
  const LineCase c = GetParam();
  const QSize size(200, 150);
  for (Qt::PenStyle style : {Qt::SolidLine, Qt::DashDotLine}) {
    for (int width : {1, 2, 3}) {
      const QPen pen(Qt::blue, width, style);
      // Small areas along the line, at its ends and away from it.
      for (int left = 0; left < size.width(); left += 17) {
        for (int top = 0; top < size.height(); top += 13) {
          const QRect area(left, top, 11, 9);
          auto draw = [&](bool cut) {
            QImage img(size, QImage::Format_RGB32);
            img.fill(Qt::white);
            QPainter p(&img);
            p.setClipRect(area);
            p.setPen(pen);
            if (cut)
              DrawLineIn(p, c.a, c.b, area.adjusted(-width - 1, -width - 1, width + 1, width + 1),
                         style != Qt::SolidLine);
            else
              p.drawLine(c.a, c.b);
            return img;
          };
          ASSERT_EQ(DifferingPixels(draw(true), draw(false)), 0)
              << "style " << style << ", width " << width << ", area at " << left << "," << top;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Slopes, LineInArea,
                         ::testing::Values(LineCase{{5, 75}, {195, 75}}, LineCase{{195, 76}, {5, 76}},
                                           LineCase{{100, 3}, {100, 147}}, LineCase{{175, 5}, {35, 145}},
                                           LineCase{{10, 10}, {145, 145}}, LineCase{{15, 140}, {190, 10}},
                                           LineCase{{3, 20}, {197, 130}}));

}  // namespace
