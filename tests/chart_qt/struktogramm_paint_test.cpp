// What TStruktogramm draws, read back through a recording paint device and from pixels.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QWidget>

#include "chart/chart_layout.h"
#include "chart/qt/chart_paint_box.h"
#include "chart/qt/struktogramm.h"
#include "recording_device.h"
#include "tree_builder.h"

using namespace chart_test;

namespace {

QPolygonF Frame(int x1, int y1, int x2, int y2)
{
    return QPolygonF({QPointF(x1, y1), QPointF(x1, y2), QPointF(x2, y2), QPointF(x2, y1), QPointF(x1, y1)});
}

std::unique_ptr<RecordingDevice> Record(TStruktogramm &chart, const TTumbo_Program *tree)
{
    auto device = std::make_unique<RecordingDevice>();
    QPainter canvas(device.get());
    chart.PaintTo(canvas, tree);
    return device;
}

const RecordedText *FindText(const RecordingDevice &device, const QString &text)
{
    for (const RecordedText &t : device.Texts)
        if (t.Text == text)
            return &t;
    return nullptr;
}

int Width(const RecordedText &t, const QString &text)
{
    return QFontMetrics(t.Font).horizontalAdvance(text);
}

} // namespace

TEST(StruktogrammPaint, OneInstruction)
{
    auto root = Root({Statement(kindSchritt)});
    QWidget paintBox;
    TStruktogramm chart(&paintBox);
    chart.Prepare(root.get());
    EXPECT_TRUE(chart.Valid);
    EXPECT_EQ(chart.ChartWidth, 200);
    EXPECT_EQ(chart.ChartHeight, 110);
    EXPECT_EQ(paintBox.size(), QSize(200, 110));

    const auto recorded = Record(chart, root.get());
    const RecordingDevice &device = *recorded;
    ASSERT_EQ(device.Texts.size(), 2u);
    EXPECT_EQ(device.Texts[0].Text, "Hauptprogramm");
    EXPECT_EQ(device.Texts[0].TopLeft(), QPointF(0, 5));
    EXPECT_EQ(device.Texts[0].Font.pixelSize(), 16);
    EXPECT_FALSE(device.Texts[0].Font.bold());
    EXPECT_EQ(device.Texts[1].Text, "Schritt");
    EXPECT_EQ(device.Texts[1].TopLeft(), QPointF(8, 44));
    EXPECT_EQ(device.Texts[1].Font.pixelSize(), 11);
    ASSERT_EQ(device.Polylines.size(), 1u);
    EXPECT_EQ(device.Polylines[0], Frame(5, 41, 115, 59));
    EXPECT_EQ(chart.Extent.Right, 125);
    EXPECT_EQ(chart.Extent.Bottom, 79);
}

TEST(StruktogrammPaint, PrepareWithoutTreeOnlyInvalidates)
{
    auto root = Root({Statement(kindSchritt)});
    QWidget paintBox;
    TStruktogramm chart(&paintBox);
    chart.Prepare(root.get());
    chart.Prepare(nullptr);
    EXPECT_FALSE(chart.Valid);
    EXPECT_EQ(chart.ChartWidth, 200);
    EXPECT_EQ(paintBox.size(), QSize(200, 110));
}

TEST(StruktogrammPaint, LoopRowPiecesAreMeasuredOneAfterTheOther)
{
    auto root = Root({Loop(kindRepeat, 3, {}), CondLoop(kindRepeatUntil, condIstZiegel, 2, true, {})});
    TStruktogramm chart;
    const auto recorded = Record(chart, root.get());
    const RecordingDevice &device = *recorded;

    const RecordedText *k1 = FindText(device, "wiederhole");
    const RecordedText *v = FindText(device, "3");
    const RecordedText *k2 = FindText(device, "mal");
    ASSERT_TRUE(k1 && v && k2);
    EXPECT_TRUE(k1->Font.bold());
    EXPECT_FALSE(v->Font.bold());
    EXPECT_TRUE(k2->Font.bold());
    const int w1 = Width(*k1, "wiederhole ");
    const int w2 = Width(*v, "3 ");
    EXPECT_EQ(k1->TopLeft(), QPointF(8, 44));
    EXPECT_EQ(v->TopLeft(), QPointF(8 + w1, 44));
    EXPECT_EQ(k2->TopLeft(), QPointF(9 + w1 + w2, 44));

    // The foot-row loop of one empty row has its text in that row: bottom - 18 + 3.
    const RecordedText *foot = FindText(device, "wdh. bis");
    const RecordedText *cond = FindText(device, "nicht IstZiegel(2)");
    ASSERT_TRUE(foot && cond);
    EXPECT_EQ(foot->TopLeft(), QPointF(8, 62));
    EXPECT_EQ(cond->TopLeft(), QPointF(8 + Width(*foot, "wdh. bis "), 62));
    EXPECT_EQ(device.Polylines[1], Frame(5, 59, 155, 77));
}

TEST(StruktogrammPaint, CountedLoopOverTheParameterShowsX)
{
    TTumbo_Program_Top *def = Definition(kindInstructionDef, "VOR", {Loop(kindRepeat, kParamX, {Statement(kindSchritt)})});
    auto root = Root({def});
    root->Definitions = {def};
    TStruktogramm chart;
    const auto recorded = Record(chart, root.get());
    const RecordingDevice &device = *recorded;
    EXPECT_TRUE(FindText(device, "Anw.: VOR"));
    EXPECT_TRUE(FindText(device, "X"));
    EXPECT_FALSE(FindText(device, "-1"));
}

TEST(StruktogrammPaint, IfHeadTriangleAndMarks)
{
    auto root = Root({If(condIstWand, {Statement(kindSchritt)})});
    TStruktogramm chart;
    const auto recorded = Record(chart, root.get());
    const RecordingDevice &device = *recorded;

    // frame (5, 41)-(155, 95), split 115, head line at 77
    ASSERT_EQ(device.Polylines.size(), 2u);
    EXPECT_EQ(device.Polylines[1], Frame(5, 41, 155, 95));
    ASSERT_EQ(device.Lines.size(), 3u);
    EXPECT_EQ(device.Lines[0], QLineF(5, 77, 154, 77));
    EXPECT_EQ(device.Lines[1], QLineF(5, 41, 115, 77));
    EXPECT_EQ(device.Lines[2], QLineF(154, 41, 115, 77));

    const RecordedText *cond = FindText(device, "IstWand");
    const RecordedText *yes = FindText(device, "w");
    const RecordedText *no = FindText(device, "f");
    ASSERT_TRUE(cond && yes && no);
    EXPECT_TRUE(cond->Font.bold() && yes->Font.bold() && no->Font.bold());
    EXPECT_EQ(cond->TopLeft(), QPointF((5 + 155 - Width(*cond, "IstWand")) / 2, 44));
    const int markTop = 77 - QFontMetrics(yes->Font).height() - 1;
    EXPECT_EQ(yes->TopLeft(), QPointF(8, markTop));
    EXPECT_EQ(no->TopLeft(), QPointF(155 - Width(*no, "f") - 3, markTop));

    // The texts of the head stand on white, which blanks the slanted lines beneath them.
    int whiteFills = 0;
    for (const RecordedFill &fill : device.Fills)
        whiteFills += fill.Colour == QColor(Qt::white) ? 1 : 0;
    EXPECT_EQ(whiteFills, 3);
    // The statement after the head is in normal style again.
    EXPECT_FALSE(FindText(device, "Schritt")->Font.bold());
}

TEST(StruktogrammPaint, BoldStatementsAndLongNames)
{
    TTumbo_Program_Top *def = Definition(kindConditionDef, "VORNFREI", {Statement(kindTrue, 0), Statement(kindSchritt, 2)});
    const std::string longName(60, 'L');
    auto root = Root({def, Call(longName)});
    root->Definitions = {def};
    TStruktogramm chart;
    const auto recorded = Record(chart, root.get());
    const RecordingDevice &device = *recorded;
    EXPECT_TRUE(FindText(device, "wahr")->Font.bold());
    EXPECT_FALSE(FindText(device, "Schritt(2)")->Font.bold());
    // A long name runs over the border of its box, which keeps its width.
    const RecordedText *call = FindText(device, QString::fromStdString(longName));
    ASSERT_TRUE(call);
    EXPECT_GT(call->TopLeft().x() + Width(*call, call->Text), 115);
    EXPECT_EQ(device.Polylines[0], Frame(5, 41, 115, 59));
}

TEST(StruktogrammPaint, RenderedPixelsOfOneBox)
{
    auto root = Root({Statement(kindLinksDrehen)});
    TStruktogramm chart;
    QImage image(125, 79, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter canvas(&image);
        chart.PaintTo(canvas, root.get());
    }
    auto black = [&](int x, int y) { return image.pixelColor(x, y) == QColor(Qt::black); };
    auto white = [&](int x, int y) { return image.pixelColor(x, y) == QColor(Qt::white); };
    for (int y = 41; y <= 59; ++y) {
        EXPECT_TRUE(black(5, y)) << y;
        EXPECT_TRUE(black(115, y)) << y;
    }
    for (int x = 5; x <= 115; ++x) {
        EXPECT_TRUE(black(x, 41)) << x;
        EXPECT_TRUE(black(x, 59)) << x;
    }
    EXPECT_TRUE(white(4, 50));
    EXPECT_TRUE(white(116, 50));
    EXPECT_TRUE(white(60, 40));
    EXPECT_TRUE(white(60, 60));
    // Some ink of the title in its row, none right of the box below it.
    bool titleInk = false;
    for (int y = 5; y < 25; ++y)
        for (int x = 0; x < 100; ++x)
            titleInk = titleInk || !white(x, y);
    EXPECT_TRUE(titleInk);
    for (int y = 30; y < 79; ++y)
        EXPECT_TRUE(white(120, y)) << y;
}

TEST(StruktogrammPaint, PaintBoxShowsTheChartOnlyWhileValid)
{
    auto root = Root({Statement(kindSchritt)});
    TChartPaintBox paintBox;
    TStruktogramm chart(&paintBox);
    paintBox.Chart = &chart;
    paintBox.Tree = [&] { return root.get(); };
    chart.Prepare(root.get());
    const QImage shown = paintBox.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(200, 110));
    EXPECT_EQ(shown.pixelColor(5, 50), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(115, 50), QColor(Qt::black));
    EXPECT_EQ(shown.pixelColor(150, 50), QColor(Qt::white));

    chart.Prepare(nullptr);
    const QImage hidden = paintBox.grab().toImage();
    EXPECT_EQ(hidden.pixelColor(5, 50), QColor(Qt::white));
}

TEST(StruktogrammPaint, PaintBoxShowsTheChartAtTheViewScale)
{
    auto root = Root({Statement(kindSchritt)});
    TChartPaintBox paintBox;
    TStruktogramm chart(&paintBox);
    paintBox.Chart = &chart;
    paintBox.Tree = [&] { return root.get(); };
    chart.Prepare(root.get());
    chart.SetViewScale(2.0);
    const QImage shown = paintBox.grab().toImage();
    ASSERT_EQ(shown.size(), QSize(400, 220));
    // The picture at scale 1 drawn twice as large: lines two pixels wide at twice the place.
    QImage expected(400, 220, QImage::Format_RGB32);
    expected.fill(Qt::white);
    {
        QPainter p(&expected);
        p.scale(2.0, 2.0);
        chart.PaintTo(p, root.get());
    }
    int differing = 0;
    for (int y = 0; y < 220; ++y)
        for (int x = 0; x < 400; ++x)
            differing += shown.pixel(x, y) != expected.pixel(x, y);
    EXPECT_EQ(differing, 0);

    // Prepared anew, the box keeps the scale.
    chart.Prepare(root.get());
    EXPECT_EQ(paintBox.size(), QSize(400, 220));
}

TEST(StruktogrammPaint, RepaintOfAnAreaSkipsTheRowsOutsideIt)
{
    auto root = Root({Statement(kindSchritt), Statement(kindSchritt), Statement(kindSchritt), Statement(kindTon)});
    TStruktogramm chart;
    RecordingDevice device;
    QPainter canvas(&device);
    // Rows 41-59, 59-77, 77-95, 95-113: the area 80-90 touches only the third box.
    chart.PaintLayout(canvas, LayoutChart(root.get()), QRect(0, 80, 500, 11));
    canvas.end();
    ASSERT_EQ(device.Polylines.size(), 1u);
    EXPECT_EQ(device.Polylines[0], Frame(5, 77, 115, 95));
    EXPECT_EQ(chart.Extent.Bottom, 133); // the extents are those of the whole chart
}
