// tumbo-cli render: the picture it writes is the one the views show.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include "world_qt_support.h"

namespace {

const QString kWorld = QStringLiteral(TUMBO_FIXTURES_DIR "/world_qt/gemischt.tdw");

struct CliRun {
  int exit;
  QString err;
};

CliRun Render(const QStringList& args) {
  QProcess cli;
  cli.start(QStringLiteral(TUMBO_CLI), QStringList{QStringLiteral("render")} + args);
  if (!cli.waitForFinished(60000)) return {-1, {}};
  return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardError())};
}

class RenderCli : public ::testing::Test {
protected:
  RenderCli() { EXPECT_TRUE(welt.LoadFromFile(kWorld.toStdString()).Ok()); }
  QString Out(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
  QTemporaryDir dir;
  TWelt welt;
};

TEST_F(RenderCli, ThreeDimensionalPictureAsPngAndBitmap) {
  TWeltQt views(welt, ImgsFolder());
  for (const char* name : {"welt.png", "welt.bmp"}) {
    ASSERT_EQ(Render({kWorld, QStringLiteral("-o"), Out(name)}).exit, 0) << name;
    const QImage written(Out(name));
    EXPECT_EQ(DifferingPixels(written, views.View3D().Image()), 0) << name;
  }
}

TEST_F(RenderCli, TwoDimensionalMapAsPngSvgAndMetafile) {
  TWeltQt views(welt, ImgsFolder());
  QImage expected(views.View2D().Size(), QImage::Format_RGB32);
  {
    QPainter p(&expected);
    views.Paint2DTo(p);
  }
  ASSERT_EQ(Render({kWorld, QStringLiteral("--2d"), QStringLiteral("-o"), Out("karte.png")}).exit, 0);
  EXPECT_EQ(DifferingPixels(QImage(Out("karte.png")), expected), 0);

  ASSERT_EQ(Render({QStringLiteral("-o"), Out("karte.svg"), kWorld, QStringLiteral("--2d")}).exit, 0);
  QFile svg(Out("karte.svg"));
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  const QByteArray svgText = svg.readAll();
  EXPECT_TRUE(svgText.contains("<svg"));
  EXPECT_TRUE(svgText.contains("viewBox=\"0 0 160 331\""));

  ASSERT_EQ(Render({kWorld, QStringLiteral("--2d"), QStringLiteral("-o"), Out("karte.EMF")}).exit, 0);
  QFile emf(Out("karte.EMF"));
  ASSERT_TRUE(emf.open(QIODevice::ReadOnly));
  const QByteArray data = emf.readAll();
  ASSERT_GT(data.size(), 108);
  EXPECT_EQ(qFromLittleEndian<quint32>(data.constData()), 1u);           // header record
  EXPECT_EQ(qFromLittleEndian<quint32>(data.constData() + 40), 0x464D4520u);
  EXPECT_EQ(qFromLittleEndian<qint32>(data.constData() + 16), 159);     // bounds: 160 x 331
  EXPECT_EQ(qFromLittleEndian<qint32>(data.constData() + 20), 330);
}

TEST_F(RenderCli, HighContrastOnlyWhenAskedFor) {
  TWeltQt views(welt, ImgsFolder());
  auto map = [&views] {
    QImage img(views.View2D().Size(), QImage::Format_RGB32);
    QPainter p(&img);
    views.Paint2DTo(p);
    return img;
  };
  const QImage usual = map();
  views.SetColors(TWorldColors::HighContrast());
  const QImage strong = map();
  ASSERT_GT(DifferingPixels(usual, strong), 0);

  ASSERT_EQ(Render({kWorld, QStringLiteral("--2d"), QStringLiteral("-o"), Out("usual.png")}).exit, 0);
  EXPECT_EQ(DifferingPixels(QImage(Out("usual.png")), usual), 0);
  ASSERT_EQ(Render({kWorld, QStringLiteral("--2d"), QStringLiteral("--contrast"), QStringLiteral("-o"),
                    Out("strong.png")})
                .exit,
            0);
  EXPECT_EQ(DifferingPixels(QImage(Out("strong.png")), strong), 0);
  ASSERT_EQ(Render({kWorld, QStringLiteral("--contrast"), QStringLiteral("-o"), Out("strong3d.png")}).exit, 0);
  EXPECT_EQ(DifferingPixels(QImage(Out("strong3d.png")), views.View3D().Image()), 0);
}

TEST_F(RenderCli, ScaledPictureIsTheViewDrawnAtThatScale) {
  TWeltQt views(welt, ImgsFolder());
  struct Case {
    QString scale;
    double factor;
    bool twoD;
  };
  for (const Case& c : {Case{QStringLiteral("2"), 2.0, false}, Case{QStringLiteral("1,5"), 1.5, true},
                        Case{QStringLiteral("50%"), 0.5, false}}) {
    views.SetIs2D(c.twoD);
    QImage expected(TViewScale{c.factor}.Map(views.ViewSize()), QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
      QPainter p(&expected);
      views.PaintScaled(p, c.factor);
    }
    QStringList args{kWorld, QStringLiteral("-o"), Out("gross.png"), QStringLiteral("--scale"), c.scale};
    if (c.twoD) args << QStringLiteral("--2d");
    ASSERT_EQ(Render(args).exit, 0) << c.scale.toStdString();
    EXPECT_EQ(DifferingPixels(QImage(Out("gross.png")), expected), 0) << c.scale.toStdString();
  }
}

TEST_F(RenderCli, RefusesBadArgumentsAndFilesWithAGermanMessage) {
  struct Case {
    QStringList args;
    const char* message;
  };
  const Case cases[] = {
      {{}, "tumbo-cli render"},
      {{kWorld}, "tumbo-cli render"},
      {{kWorld, QStringLiteral("-o")}, "Nach -o fehlt"},
      {{kWorld, QStringLiteral("-o"), QStringLiteral("bild.jpg")}, "muss auf .png, .bmp, .svg oder .emf enden"},
      {{kWorld, QStringLiteral("--3d"), QStringLiteral("-o"), QStringLiteral("b.png")}, "Unbekanntes Argument"},
      {{QStringLiteral(TUMBO_FIXTURES_DIR "/world_qt/kein_welt.tdw"), QStringLiteral("-o"),
        QStringLiteral("b.png")},
       "keine Weltdatei"},
      {{QStringLiteral("/gibt/es/nicht.tdw"), QStringLiteral("-o"), QStringLiteral("b.png")}, ""},
      {{kWorld, QStringLiteral("-o"), QStringLiteral("/gibt/es/nicht/b.png")}, "kann nicht geschrieben werden"},
      {{kWorld, QStringLiteral("-o"), QStringLiteral("b.png"), QStringLiteral("--scale")}, "Nach --scale fehlt"},
      {{kWorld, QStringLiteral("-o"), QStringLiteral("b.png"), QStringLiteral("--scale"), QStringLiteral("zwei")},
       "muss eine Zahl zwischen 0,1 und 8 sein"},
      {{kWorld, QStringLiteral("-o"), QStringLiteral("b.png"), QStringLiteral("--scale"), QStringLiteral("0")},
       "muss eine Zahl zwischen 0,1 und 8 sein"},
      {{kWorld, QStringLiteral("-o"), QStringLiteral("b.png"), QStringLiteral("--scale"), QStringLiteral("1e9")},
       "muss eine Zahl zwischen 0,1 und 8 sein"},
  };
  for (const Case& c : cases) {
    const CliRun r = Render(c.args);
    EXPECT_EQ(r.exit, 2) << c.args.join(' ').toStdString();
    EXPECT_FALSE(r.err.isEmpty());
    EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.message))) << r.err.toStdString();
  }
}

}  // namespace
