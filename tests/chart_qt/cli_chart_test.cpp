// tumbo-cli chart draws the same picture as the window's chart, without a display.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include "chart/qt/struktogramm.h"
#include "language/headless_host.h"
#include "language/parser.h"
#include "world/welt.h"

namespace {

const QString kFixture = QStringLiteral(TUMBO_FIXTURES_DIR "/chart/alle_formen.tdp");

struct CliResult
{
    int ExitCode;
    QString Output;
};

CliResult RunCli(const QStringList &args)
{
    QProcess cli;
    cli.start(QStringLiteral(TUMBO_DATA_DIR "/tumbo-cli"), args);
    cli.waitForFinished(60000);
    return {cli.exitCode(), QString::fromUtf8(cli.readAllStandardOutput() + cli.readAllStandardError())};
}

} // namespace

TEST(CliChart, DrawsTheSamePictureAsTheWindow)
{
    QTemporaryDir dir;
    const QString png = dir.filePath("chart.png");
    const CliResult result = RunCli({"chart", kFixture, "-o", png});
    ASSERT_EQ(result.ExitCode, 0) << result.Output.toStdString();
    EXPECT_TRUE(result.Output.isEmpty()) << result.Output.toStdString();

    QFile file(kFixture);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    TWelt world;
    TTumbo_HeadlessHost host;
    TTumbo_Parser parser(world, host);
    ASSERT_TRUE(parser.Compile(file.readAll().toStdString(), "", false));
    TStruktogramm chart;
    const QImage expected = chart.ToImage(parser.Program.get());

    const QImage drawn(png);
    ASSERT_FALSE(drawn.isNull());
    EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32), expected.convertToFormat(QImage::Format_RGB32));

    for (const char *suffix : {"svg", "emf", "pdf"}) {
        const QString out = dir.filePath(QStringLiteral("chart.") + suffix);
        EXPECT_EQ(RunCli({"chart", kFixture, "-o", out}).ExitCode, 0) << suffix;
        EXPECT_GT(QFile(out).size(), 100) << suffix;
    }
}

TEST(CliChart, RefusesBadArgumentsAndReportsProgramErrors)
{
    QTemporaryDir dir;
    const CliResult noOutput = RunCli({"chart", kFixture});
    EXPECT_EQ(noOutput.ExitCode, 2);
    const CliResult badSuffix = RunCli({"chart", kFixture, "-o", dir.filePath("chart.bmp")});
    EXPECT_EQ(badSuffix.ExitCode, 2);
    EXPECT_TRUE(badSuffix.Output.contains(".svg, .emf, .png oder .pdf")) << badSuffix.Output.toStdString();
    const CliResult missing = RunCli({"chart", dir.filePath("fehlt.tdp"), "-o", dir.filePath("chart.svg")});
    EXPECT_EQ(missing.ExitCode, 2);

    const QString broken = dir.filePath("kaputt.tdp");
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("wenn IstWand\r\n  Schritt\r\n");
    file.close();
    const CliResult errors = RunCli({"chart", broken, "-o", dir.filePath("chart.svg")});
    EXPECT_EQ(errors.ExitCode, 1);
    EXPECT_TRUE(errors.Output.startsWith("[Fehlernr 2] (Zeile 1)")) << errors.Output.toStdString();
    EXPECT_FALSE(QFile::exists(dir.filePath("chart.svg")));
}
