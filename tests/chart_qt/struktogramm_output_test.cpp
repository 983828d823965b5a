// The chart's outputs: files, clipboard contents and the printed page.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <filesystem>

#include "chart/qt/struktogramm.h"
#include "recording_device.h"
#include "support/write_faults.h"
#include "tree_builder.h"

using namespace chart_test;

namespace {

std::unique_ptr<TTumbo_Program_Top> SmallProgram()
{
    return Root({Loop(kindRepeat, 4, {Statement(kindSchritt), Statement(kindLinksDrehen)}),
                 If(condIstWand, {Statement(kindRechtsDrehen)}, {Statement(kindHinlegen, 2)})});
}

// Reads the frame size of an enhanced metafile header (rclFrame in 0.01 mm, rclBounds in pixels).
QRect EmfBounds(const QByteArray &emf)
{
    auto at = [&](int offset) {
        return static_cast<int>(static_cast<quint32>(static_cast<uchar>(emf[offset]))
                                | static_cast<quint32>(static_cast<uchar>(emf[offset + 1])) << 8
                                | static_cast<quint32>(static_cast<uchar>(emf[offset + 2])) << 16
                                | static_cast<quint32>(static_cast<uchar>(emf[offset + 3])) << 24);
    };
    return QRect(QPoint(at(8), at(12)), QPoint(at(16), at(20)));
}

} // namespace

TEST(StruktogrammOutput, EveryFormatHasTheDrawnExtent)
{
    auto root = SmallProgram();
    TStruktogramm chart;
    const QImage image = chart.ToImage(root.get());
    const int width = chart.Extent.Right, height = chart.Extent.Bottom;
    EXPECT_EQ(image.size(), QSize(width, height));
    EXPECT_EQ(image.pixelColor(0, height - 1), QColor(Qt::white)); // white background

    const QByteArray svg = chart.ToSvg(root.get());
    EXPECT_TRUE(svg.contains(QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(width).arg(height).toUtf8())) << svg.left(600).constData();

    const QByteArray emf = chart.ToEmf(root.get());
    ASSERT_GT(emf.size(), 88);
    EXPECT_EQ(static_cast<uchar>(emf[0]), 1); // EMR_HEADER
    EXPECT_EQ(emf.mid(40, 4), QByteArray(" EMF"));
    const QRect bounds = EmfBounds(emf);
    EXPECT_LE(bounds.right(), width);
    EXPECT_LE(bounds.bottom(), height);
}

TEST(StruktogrammOutput, PictureGrowsToKeepOverlongTextWhole)
{
    // Title and call both run far beyond the box's right edge (125).
    TTumbo_Program_Top *def = Definition(kindInstructionDef, std::string(40, 'W'), {Call(std::string(40, 'M'))});
    auto root = Root({def, Statement(kindSchritt)});
    root->Definitions = {def};
    TStruktogramm chart;
    const QImage image = chart.ToImage(root.get());
    EXPECT_EQ(chart.Extent.Right, 125);
    ASSERT_GT(image.width(), 300);
    EXPECT_EQ(image.height(), chart.Extent.Bottom);
    // The last five columns stay blank: the text ends inside the picture.
    for (int x = image.width() - 5; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            ASSERT_EQ(image.pixelColor(x, y), QColor(Qt::white)) << x << ", " << y;
    EXPECT_TRUE(chart.ToSvg(root.get()).contains(
        QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(image.width()).arg(image.height()).toUtf8()));
}

TEST(StruktogrammOutput, SaveToFileChoosesTheFormatBySuffixAndReplacesFiles)
{
    auto root = SmallProgram();
    TStruktogramm chart;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case
    {
        QString Name;
        QByteArray Magic;
        int Offset;
    };
    const Case cases[] = {
        {"chart.emf", " EMF", 40},
        {"chart", " EMF", 40},
        {"chart.svg", "<?xml", 0},
        {"chart.pdf", "%PDF", 0},
        {"chart.png", "\x89PNG", 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.Name.toStdString());
        const QString path = dir.filePath(c.Name);
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents that must go");
        old.close();
        QString error;
        ASSERT_TRUE(chart.SaveToFile(path, root.get(), &error)) << error.toStdString();
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        EXPECT_EQ(bytes.mid(c.Offset, c.Magic.size()), c.Magic);
        EXPECT_FALSE(bytes.contains("old contents"));
    }
}

TEST(StruktogrammOutput, SaveToFileReportsAnUnwritableFolder)
{
    auto root = SmallProgram();
    TStruktogramm chart;
    QString error;
    EXPECT_FALSE(chart.SaveToFile("/nonexistent-folder/chart.emf", root.get(), &error));
    EXPECT_TRUE(error.contains("/nonexistent-folder/chart.emf"));
    EXPECT_FALSE(chart.SaveToFile("/nonexistent-folder/chart.pdf", root.get(), &error));
}

// The chart as a writer under test, in the format the file name's suffix names.
tumbo::testing::SaveFunction SaveChart(TStruktogramm &chart, const TTumbo_Program *tree)
{
    return [&chart, tree](const std::string &path, std::string &error) {
        QString message;
        const bool ok = chart.SaveToFile(QString::fromStdString(path), tree, &message);
        error = message.toStdString();
        return ok;
    };
}

// Each format of the chart, as a writer in a folder of its own under `dir`.
template <class Check>
void ForEveryChartFormat(const QTemporaryDir &dir, Check check)
{
    auto root = SmallProgram();
    TStruktogramm chart;
    for (const char *name : {"chart.emf", "chart.svg", "chart.pdf", "chart.png"}) {
        SCOPED_TRACE(name);
        const std::filesystem::path folder = std::filesystem::path(dir.path().toStdString()) / (std::string(name) + ".d");
        std::filesystem::create_directory(folder);
        check(folder, name, SaveChart(chart, root.get()));
    }
}

TEST(StruktogrammOutput, EveryFormatKeepsTheOldFileWhenTheWriteFails)
{
    QTemporaryDir dir;
    ForEveryChartFormat(dir, tumbo::testing::ExpectEveryFaultKeepsTheOldFile);
}

TEST(StruktogrammOutput, AFullDiskIsReportedAndKeepsTheOldChart)
{
    QTemporaryDir dir;
    bool mounted = true;
    ForEveryChartFormat(dir, [&](const auto &folder, const char *name, const auto &save) {
        mounted = mounted && tumbo::testing::ExpectFullDiskKeepsTheOldFile(folder, name, save);
    });
    if (!mounted)
        GTEST_SKIP() << tumbo::testing::kCannotMount;
}

TEST(StruktogrammOutput, PrintingToAFileReplacesItOnlyWithACompleteDocument)
{
    auto root = SmallProgram();
    TStruktogramm chart;
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    const auto print = [&](const std::string &path, std::string &error) {
        printer.setOutputFileName(QString::fromStdString(path));
        QString message;
        const bool ok = chart.Print(printer, root.get(), &message);
        error = message.toStdString();
        EXPECT_EQ(printer.outputFileName(), QString::fromStdString(path));
        return ok;
    };
    tumbo::testing::ExpectEveryFaultKeepsTheOldFile(dir.path().toStdString(), "druck.pdf", print);
    EXPECT_TRUE(tumbo::testing::FileBytes(dir.filePath("druck.pdf").toStdString()).starts_with("%PDF-"));
}

TEST(StruktogrammOutput, ClipboardHoldsMetafileSvgAndPicture)
{
    auto root = SmallProgram();
    TStruktogramm chart;
    std::unique_ptr<QMimeData> data(chart.MakeMimeData(root.get()));
    EXPECT_EQ(data->data("image/emf").mid(40, 4), QByteArray(" EMF"));
    EXPECT_EQ(data->data("image/x-emf"), data->data("image/emf"));
    EXPECT_TRUE(data->data("image/svg+xml").contains("<svg"));
    ASSERT_TRUE(data->hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data->imageData()).size(), QSize(chart.Extent.Right, chart.Extent.Bottom));

    chart.CopyToClipboard(root.get());
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(clip);
    EXPECT_TRUE(clip->hasFormat("image/emf"));
}

TEST(StruktogrammOutput, PrintEnlargesByTheWholeFactorOfTheEstimate)
{
    auto root = Root({Statement(kindSchritt)});
    TStruktogramm chart;
    chart.Prepare(root.get()); // 200 x 110
    {
        RecordingDevice page(4800, 6600);
        QPainter canvas(&page);
        chart.PrintOn(canvas, 4800, 6600, root.get());
        canvas.end();
        ASSERT_FALSE(page.Texts.empty());
        EXPECT_EQ(page.Texts[0].Transform, QTransform::fromScale(10, 10));
    }
    chart.ChartWidth = 1000;
    chart.ChartHeight = 800;
    EXPECT_EQ(chart.PrintScaleFor(4800, 6600).Factor, 4);
    {
        RecordingDevice page(4800, 6600);
        QPainter canvas(&page);
        chart.PrintOn(canvas, 4800, 6600, root.get());
        canvas.end();
        EXPECT_EQ(page.Texts[0].Transform, QTransform::fromScale(4, 4));
    }
    // Larger than the page: shrunk to fit instead of cut off.
    chart.ChartWidth = 9600;
    {
        RecordingDevice page(4800, 6600);
        QPainter canvas(&page);
        chart.PrintOn(canvas, 4800, 6600, root.get());
        canvas.end();
        EXPECT_EQ(page.Texts[0].Transform, QTransform::fromScale(0.5, 0.5));
    }
}

TEST(StruktogrammOutput, HugeChartsAreRefusedAsPicturesButNotAsDrawings)
{
    // 40000 statements: 137 x 720099 pixels, beyond the picture limit for the clipboard and
    // files alike once the limit is lowered.
    auto root = Root({});
    TTumbo_Program *first = nullptr;
    for (int i = 0; i < 40000; ++i) {
        TTumbo_Program *node = Statement(kindTon);
        node->Next = first;
        first = node;
    }
    root->Body = first;
    TStruktogramm chart;
    EXPECT_TRUE(chart.ToImage(root.get(), 1000000).isNull());
    std::unique_ptr<QMimeData> data(chart.MakeMimeData(root.get()));
    EXPECT_FALSE(data->hasImage());
    EXPECT_TRUE(data->hasFormat("image/svg+xml"));

    QTemporaryDir dir;
    QString error;
    auto small = Root({Statement(kindTon)});
    EXPECT_TRUE(chart.SaveToFile(dir.filePath("small.png"), small.get(), &error));
    // A million rows cannot be a picture file.
    auto tall = Root({});
    first = nullptr;
    for (int i = 0; i < 60000; ++i) {
        TTumbo_Program *node = Statement(kindTon);
        node->Next = first;
        first = node;
    }
    tall->Body = first;
    EXPECT_FALSE(chart.SaveToFile(dir.filePath("tall.png"), tall.get(), &error));
    EXPECT_EQ(error, QString::fromUtf8("Das Struktogramm ist zu gro\u00DF f\u00FCr ein Bild."));
    EXPECT_FALSE(QFile::exists(dir.filePath("tall.png")));
}
