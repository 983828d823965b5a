// Printing the program: a PDF holds the program's lines with the page settings.
#include "app/print/program_printer.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <Qsci/qsciprinter.h>
#include <gtest/gtest.h>

#include "support/write_faults.h"

using namespace tumbo::app;

namespace {

QString ProgramText(int lines)
{
    QStringList text{QStringLiteral("Programm Ecke")};
    for (int i = 1; i < lines - 1; ++i)
        text << QStringLiteral("\twiederhole %1 mal Schritt *wiederhole // Zeile%2").arg(i % 9 + 1).arg(i);
    text << QStringLiteral("*Programm");
    return text.join(QStringLiteral("\r\n"));
}

struct Pdf {
    QByteArray bytes;
    QString text;  // empty without pdftotext
    int pages = 0;
};

Pdf PrintToPdf(const TProgramPrinter &printer, const QString &program, const QString &path)
{
    QsciPrinter target(QPrinter::HighResolution);
    target.setOutputFormat(QPrinter::PdfFormat);
    target.setOutputFileName(path);
    target.setPageSize(QPageSize(QPageSize::A4));
    EXPECT_TRUE(printer.Render(program, target));
    Pdf pdf;
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        pdf.bytes = file.readAll();
    pdf.pages = int(pdf.bytes.count("/Type /Page\n") + pdf.bytes.count("/Type /Page\r") +
                    pdf.bytes.count("/Type /Page ") + pdf.bytes.count("/Type /Page/") +
                    pdf.bytes.count("/Type /Page>"));
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!tool.isEmpty()) {
        QProcess p;
        p.start(tool, {QStringLiteral("-layout"), path, QStringLiteral("-")});
        p.waitForFinished(30000);
        pdf.text = QString::fromUtf8(p.readAllStandardOutput());
    }
    return pdf;
}

TEST(ProgramPrinter, PdfHoldsTheProgramLines)
{
    QTemporaryDir dir;
    TProgramPrinter printer;
    const QString program = ProgramText(12);
    const Pdf pdf = PrintToPdf(printer, program, dir.filePath(QStringLiteral("kurz.pdf")));
    ASSERT_TRUE(pdf.bytes.startsWith("%PDF"));
    EXPECT_EQ(pdf.pages, 1);
    if (pdf.text.isEmpty())
        GTEST_SKIP() << "pdftotext not installed: only the page count was checked";
    for (int i = 1; i < 11; ++i)
        EXPECT_TRUE(pdf.text.contains(QStringLiteral("// Zeile%1\n").arg(i))) << i;
    EXPECT_TRUE(pdf.text.contains(QStringLiteral("Programm Ecke")));
    EXPECT_TRUE(pdf.text.contains(QStringLiteral("*Programm")));
    // Tab width 8: the tab before "wiederhole" is eight columns wide.
    EXPECT_TRUE(pdf.text.contains(QRegularExpression(QStringLiteral("\n {8}wiederhole 2 mal"))))
        << pdf.text.left(400).toStdString();
    // No line numbers unless asked for.
    EXPECT_FALSE(pdf.text.contains(QRegularExpression(QStringLiteral("\n\\s*2\\s+wiederhole"))));
}

TEST(ProgramPrinter, LongProgramsTakeMorePagesAndLineNumbersArePrinted)
{
    QTemporaryDir dir;
    TProgramPrinter printer;
    printer.SetLineNumbers(true);
    const Pdf pdf = PrintToPdf(printer, ProgramText(300), dir.filePath(QStringLiteral("lang.pdf")));
    ASSERT_TRUE(pdf.bytes.startsWith("%PDF"));
    EXPECT_GE(pdf.pages, 3);
    if (pdf.text.isEmpty())
        GTEST_SKIP() << "pdftotext not installed: only the page count was checked";
    EXPECT_TRUE(pdf.text.contains(QRegularExpression(QStringLiteral("\\b2\\s+wiederhole 2 mal Schritt"))));
    EXPECT_TRUE(pdf.text.contains(QRegularExpression(QStringLiteral("\\b300\\s+\\*Programm"))));
}

TEST(ProgramPrinter, PageSettings)
{
    TProgramPrinter printer;
    QsciPrinter &p = printer.Printer();
    const QMarginsF m = p.pageLayout().margins(QPageLayout::Millimeter);
    EXPECT_NEAR(m.left(), 25, 0.01);
    EXPECT_NEAR(m.top(), 25, 0.01);
    EXPECT_NEAR(m.right(), 15, 0.01);
    EXPECT_NEAR(m.bottom(), 25, 0.01);
    EXPECT_EQ(p.wrapMode(), QsciScintilla::WrapWord);
    EXPECT_FALSE(p.fullPage());
}

}  // namespace

TEST(ProgramPrinter, PrintingToAFileReplacesItOnlyWithACompleteDocument)
{
    QTemporaryDir dir;
    TProgramPrinter printer;
    tumbo::testing::ExpectEveryFaultKeepsTheOldFile(
        dir.path().toStdString(), "programm.pdf", [&](const std::string &path, std::string &error) {
            printer.Printer().setOutputFileName(QString::fromStdString(path));
            QString message;
            const bool ok = printer.Print(nullptr, ProgramText(5), &message);
            error = message.toStdString();
            return ok;
        });
    QFile file(dir.filePath(QStringLiteral("programm.pdf")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().startsWith("%PDF-"));
}
