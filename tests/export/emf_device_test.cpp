// The EMF writer: file structure (header, record sizes, end record) and the records
// that lines, rectangles, polygons, text, pens and brushes become.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "export/emf_device.h"
#include "export/emf_records.h"

namespace {

uint32_t U32(const QByteArray& b, int at) {
  uint32_t v;
  std::memcpy(&v, b.constData() + at, 4);
  return v;
}
int32_t I32(const QByteArray& b, int at) { return int32_t(U32(b, at)); }

struct Rec {
  uint32_t type;
  QByteArray bytes;  // the whole record
  int32_t I(int at) const { return I32(bytes, at); }
  uint32_t U(int at) const { return U32(bytes, at); }
};

// Splits a file into records, checking the framing on the way.
std::vector<Rec> Records(const QByteArray& file) {
  std::vector<Rec> out;
  int at = 0;
  while (at < file.size()) {
    EXPECT_LE(at + 8, file.size());
    if (at + 8 > file.size()) break;
    const uint32_t size = U32(file, at + 4);
    EXPECT_GE(size, 8u) << "record at " << at;
    EXPECT_EQ(size % 4, 0u) << "record at " << at;
    EXPECT_LE(at + int(size), file.size());
    if (size < 8 || at + int(size) > file.size()) break;
    out.push_back({U32(file, at), file.mid(at, int(size))});
    at += int(size);
  }
  return out;
}

std::vector<Rec> OfType(const std::vector<Rec>& recs, uint32_t type) {
  std::vector<Rec> out;
  for (const Rec& r : recs)
    if (r.type == type) out.push_back(r);
  return out;
}

QByteArray Paint(QSize size, const std::function<void(QPainter&)>& draw) {
  EmfDevice emf(size);
  QPainter p(&emf);
  draw(p);
  p.end();
  return emf.Data();
}

}  // namespace

TEST(EmfDevice, FileIsFramedByHeaderAndEndRecord) {
  const QByteArray file = Paint(QSize(160, 331), [](QPainter& p) {
    p.setPen(Qt::blue);
    p.drawLine(1, 10, 151, 10);
    p.fillRect(QRect(2, 11, 29, 29), QColor(205, 0, 0));
  });
  const std::vector<Rec> recs = Records(file);
  ASSERT_GE(recs.size(), 3u);

  const Rec& header = recs.front();
  EXPECT_EQ(header.type, uint32_t(emf::EMR_HEADER));
  EXPECT_GE(header.bytes.size(), 108);
  EXPECT_EQ(header.U(40), 0x464D4520u);       // " EMF"
  EXPECT_EQ(header.U(44), 0x10000u);          // version
  EXPECT_EQ(header.U(48), uint32_t(file.size()));
  EXPECT_EQ(header.U(52), uint32_t(recs.size()));
  // Bounds in pixels, frame in hundredths of a millimetre at 96 dpi.
  EXPECT_EQ(header.I(8), 0);
  EXPECT_EQ(header.I(16), 159);
  EXPECT_EQ(header.I(20), 330);
  EXPECT_EQ(header.I(32), 160 * 2540 / 96);
  EXPECT_EQ(header.I(36), 331 * 2540 / 96);
  // The description lies inside the header record.
  EXPECT_GT(header.U(60), 0u);
  EXPECT_LE(header.U(64) + 2 * header.U(60), uint32_t(header.bytes.size()));

  const Rec& eof = recs.back();
  EXPECT_EQ(eof.type, uint32_t(emf::EMR_EOF));
  EXPECT_EQ(eof.bytes.size(), 20);
  EXPECT_EQ(eof.U(16), 20u);  // nSizeLast
  EXPECT_EQ(OfType(recs, emf::EMR_EOF).size(), 1u);
}

TEST(EmfDevice, HandleCountCoversEveryObjectAndObjectsAreDeleted) {
  const QByteArray file = Paint(QSize(100, 100), [](QPainter& p) {
    for (int i = 0; i < 5; ++i) {
      p.setPen(QColor(i * 40, 0, 0));
      p.setBrush(QColor(0, i * 40, 0));
      p.drawRect(i * 10, i * 10, 8, 8);
    }
  });
  const std::vector<Rec> recs = Records(file);
  const uint32_t handles = recs.front().U(56) & 0xFFFF;
  std::vector<uint32_t> live;
  for (const Rec& r : recs) {
    if (r.type == emf::EMR_CREATEPEN || r.type == emf::EMR_CREATEBRUSHINDIRECT ||
        r.type == emf::EMR_EXTCREATEFONTINDIRECTW) {
      const uint32_t h = r.U(8);
      EXPECT_GE(h, 1u);
      EXPECT_LT(h, handles);
      EXPECT_EQ(std::count(live.begin(), live.end(), h), 0) << "handle reused while alive";
      live.push_back(h);
    } else if (r.type == emf::EMR_DELETEOBJECT) {
      auto it = std::find(live.begin(), live.end(), r.U(8));
      ASSERT_NE(it, live.end());
      live.erase(it);
    }
  }
  EXPECT_TRUE(live.empty());
  EXPECT_EQ(OfType(recs, emf::EMR_CREATEPEN).size(), 5u);
  EXPECT_EQ(OfType(recs, emf::EMR_CREATEBRUSHINDIRECT).size(), 5u);
}

TEST(EmfDevice, PensAndBrushesCarryStyleWidthAndColour) {
  const QByteArray file = Paint(QSize(100, 100), [](QPainter& p) {
    p.setPen(QPen(QColor(0, 0, 255), 1, Qt::DashDotLine));
    p.drawLine(0, 0, 50, 50);
    p.setPen(QPen(QColor(255, 0, 0), 3));
    p.setBrush(QColor(205, 0, 0));
    p.drawRect(10, 10, 29, 29);
  });
  const std::vector<Rec> recs = Records(file);
  const auto pens = OfType(recs, emf::EMR_CREATEPEN);
  ASSERT_EQ(pens.size(), 2u);
  EXPECT_EQ(pens[0].bytes.size(), 28);
  EXPECT_EQ(pens[0].U(12), emf::PS_DASHDOT);
  EXPECT_EQ(pens[0].I(16), 1);
  EXPECT_EQ(pens[0].U(24), emf::ColorRef(0, 0, 255));
  EXPECT_EQ(pens[1].U(12), emf::PS_SOLID);
  EXPECT_EQ(pens[1].I(16), 3);
  EXPECT_EQ(pens[1].U(24), emf::ColorRef(255, 0, 0));

  const auto brushes = OfType(recs, emf::EMR_CREATEBRUSHINDIRECT);
  ASSERT_EQ(brushes.size(), 1u);
  EXPECT_EQ(brushes[0].bytes.size(), 24);
  EXPECT_EQ(brushes[0].U(12), emf::BS_SOLID);
  EXPECT_EQ(brushes[0].U(16), emf::ColorRef(205, 0, 0));

  const auto moves = OfType(recs, emf::EMR_MOVETOEX);
  const auto lines = OfType(recs, emf::EMR_LINETO);
  ASSERT_EQ(moves.size(), 1u);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(moves[0].bytes.size(), 16);
  EXPECT_EQ(lines[0].I(8), 50);
  EXPECT_EQ(lines[0].I(12), 50);

  // Qt's rectangle of 29 covers 30 pixels with the pen: GDI's right edge is exclusive.
  const auto rects = OfType(recs, emf::EMR_RECTANGLE);
  ASSERT_EQ(rects.size(), 1u);
  EXPECT_EQ(rects[0].bytes.size(), 24);
  EXPECT_EQ(rects[0].I(8), 10);
  EXPECT_EQ(rects[0].I(12), 10);
  EXPECT_EQ(rects[0].I(16), 40);
  EXPECT_EQ(rects[0].I(20), 40);
}

TEST(EmfDevice, UnchangedPenIsNotCreatedAgain) {
  const QByteArray file = Paint(QSize(100, 100), [](QPainter& p) {
    p.setPen(Qt::blue);
    for (int i = 0; i < 10; ++i) p.drawLine(i, 0, i, 50);
  });
  const std::vector<Rec> recs = Records(file);
  EXPECT_EQ(OfType(recs, emf::EMR_CREATEPEN).size(), 1u);
  EXPECT_EQ(OfType(recs, emf::EMR_LINETO).size(), 10u);
}

TEST(EmfDevice, PolygonsKeepTheirPointsAndFillRule) {
  const QByteArray file = Paint(QSize(100, 100), [](QPainter& p) {
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    const QPoint tri[3] = {{7, 13}, {25, 13}, {16, 37}};
    p.drawPolygon(tri, 3, Qt::WindingFill);
  });
  const std::vector<Rec> recs = Records(file);
  const auto polys = OfType(recs, emf::EMR_POLYGON);
  ASSERT_EQ(polys.size(), 1u);
  const Rec& poly = polys[0];
  ASSERT_EQ(poly.U(24), 3u);
  EXPECT_EQ(poly.bytes.size(), 28 + 3 * 8);
  EXPECT_EQ(poly.I(28), 7);
  EXPECT_EQ(poly.I(32), 13);
  EXPECT_EQ(poly.I(44), 16);
  EXPECT_EQ(poly.I(48), 37);
  // Bounds
  EXPECT_EQ(poly.I(8), 7);
  EXPECT_EQ(poly.I(20), 37);
  const auto modes = OfType(recs, emf::EMR_SETPOLYFILLMODE);
  ASSERT_FALSE(modes.empty());
  EXPECT_EQ(modes.back().U(8), emf::WINDING);
}

TEST(EmfDevice, TextCarriesFontHeightWeightColourAndAdvances) {
  const QByteArray file = Paint(QSize(200, 100), [](QPainter& p) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(15);
    font.setWeight(QFont::Bold);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QPoint(20, 40), QStringLiteral("12"));
  });
  const std::vector<Rec> recs = Records(file);
  const auto fonts = OfType(recs, emf::EMR_EXTCREATEFONTINDIRECTW);
  ASSERT_EQ(fonts.size(), 1u);
  const Rec& f = fonts[0];
  EXPECT_EQ(f.bytes.size(), 12 + 92);
  EXPECT_EQ(f.I(12), -15);   // lfHeight: character height
  EXPECT_EQ(f.I(28), 700);   // lfWeight
  EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(f.bytes.constData() + 40), 5),
            QStringLiteral("Arial"));

  const auto colors = OfType(recs, emf::EMR_SETTEXTCOLOR);
  ASSERT_FALSE(colors.empty());
  EXPECT_EQ(colors.back().U(8), emf::ColorRef(255, 255, 255));

  const auto texts = OfType(recs, emf::EMR_EXTTEXTOUTW);
  ASSERT_EQ(texts.size(), 1u);
  const Rec& t = texts[0];
  EXPECT_EQ(t.I(36), 20);  // reference point on the baseline
  EXPECT_EQ(t.I(40), 40);
  ASSERT_EQ(t.U(44), 2u);  // characters
  const uint32_t offString = t.U(48), offDx = t.U(72);
  EXPECT_EQ(offString, 76u);
  EXPECT_EQ(QString::fromUtf16(reinterpret_cast<const char16_t*>(t.bytes.constData() + offString), 2),
            QStringLiteral("12"));
  ASSERT_LE(offDx + 8, uint32_t(t.bytes.size()));
  EXPECT_GT(t.I(int(offDx)), 0);
  EXPECT_GT(t.I(int(offDx) + 4), 0);
}

TEST(EmfDevice, TransformIsAppliedToCoordinates) {
  const QByteArray file = Paint(QSize(100, 100), [](QPainter& p) {
    p.translate(10, 20);
    p.setPen(Qt::black);
    p.drawLine(0, 0, 5, 5);
  });
  const auto lines = OfType(Records(file), emf::EMR_LINETO);
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].I(8), 15);
  EXPECT_EQ(lines[0].I(12), 25);
}

TEST(EmfDevice, ImagesAndPathsBecomeBitmapsAndPolygons) {
  const QByteArray file = Paint(QSize(100, 100), [](QPainter& p) {
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(QColor(1, 2, 3));
    p.drawImage(QPoint(5, 6), img);
    QPainterPath path;
    path.addEllipse(QRectF(10, 10, 20, 20));
    p.rotate(10);
    p.setBrush(Qt::red);
    p.drawPath(path);
  });
  const std::vector<Rec> recs = Records(file);
  const auto dibs = OfType(recs, emf::EMR_STRETCHDIBITS);
  ASSERT_EQ(dibs.size(), 1u);
  const Rec& d = dibs[0];
  EXPECT_EQ(d.I(24), 5);                      // xDest
  EXPECT_EQ(d.I(28), 6);                      // yDest
  EXPECT_EQ(d.U(60), 2u * 12u);               // two rows of 9 bytes padded to 12
  EXPECT_EQ(uint8_t(d.bytes[int(d.U(56))]), 3);  // blue first
  EXPECT_FALSE(OfType(recs, emf::EMR_POLYGON).empty() && OfType(recs, emf::EMR_POLYPOLYGON).empty());
}

TEST(EmfDevice, SavesTheBytesToAFile) {
  QTemporaryDir dir;
  EmfDevice emf(QSize(10, 10));
  {
    QPainter p(&emf);
    p.drawLine(0, 0, 9, 9);
  }
  const QString name = dir.filePath(QStringLiteral("bild.emf"));
  ASSERT_TRUE(emf.SaveToFile(name));
  QFile f(name);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), emf.Data());
  EXPECT_FALSE(emf.SaveToFile(dir.filePath(QStringLiteral("fehlt/bild.emf"))));
}
