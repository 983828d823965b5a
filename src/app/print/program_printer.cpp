#include "app/print/program_printer.h"

#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPalette>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinterInfo>
#include <Qsci/qsciprinter.h>
#include <Qsci/qsciscintilla.h>

#include "export/safe_output.h"

namespace tumbo::app {

namespace {

constexpr int kTabWidth = 8;
constexpr qreal kFontPoints = 8.0;
const QMarginsF kMarginsMm(25, 25, 15, 25);  // left, top, right, bottom

void ApplyPageSettings(QsciPrinter &printer)
{
    printer.setFullPage(false);
    printer.setPageMargins(kMarginsMm, QPageLayout::Millimeter);
    printer.setWrapMode(QsciScintilla::WrapWord);
    printer.setMagnification(0);
}

}  // namespace

TProgramPrinter::TProgramPrinter() : printer_(std::make_unique<QsciPrinter>(QPrinter::HighResolution))
{
    printer_->setDocName(QStringLiteral("Robot Tumbo"));
    ApplyPageSettings(*printer_);
}

TProgramPrinter::~TProgramPrinter() = default;

bool TProgramPrinter::Render(const QString &text, QsciPrinter &printer) const
{
    ApplyPageSettings(printer);

    // A separate, never shown editor holds the text, so the program editor's
    // colouring, margins and selection do not reach the paper.
    QsciScintilla page;
    page.setUtf8(true);
    QFont font(QStringList{QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSizeF(kFontPoints);
    page.setFont(font);
    page.setMarginsFont(font);
    page.setColor(QGuiApplication::palette().color(QPalette::WindowText));
    page.setPaper(Qt::white);
    page.setMarginsBackgroundColor(Qt::white);
    page.setMarginsForegroundColor(QGuiApplication::palette().color(QPalette::WindowText));
    page.setTabWidth(kTabWidth);
    for (int margin = 1; margin < 5; ++margin)
        page.setMarginWidth(margin, 0);
    page.setMarginType(0, QsciScintilla::NumberMargin);
    page.setMarginLineNumbers(0, lineNumbers_);
    page.setMarginWidth(0, lineNumbers_ ? QStringLiteral("00000") : QString());
    if (!lineNumbers_)
        page.setMarginWidth(0, 0);
    page.SendScintilla(QsciScintillaBase::SCI_SETPRINTCOLOURMODE,
                       color_ ? QsciScintillaBase::SC_PRINT_COLOURONWHITE
                              : QsciScintillaBase::SC_PRINT_BLACKONWHITE);
    page.setText(text);
    return printer.printRange(&page);
}

bool TProgramPrinter::Print(QWidget *parent, const QString &text, QString *error)
{
    if (printer_->outputFileName().isEmpty() && QPrinterInfo::availablePrinters().isEmpty()) {
        if (!Setup(parent))
            return false;
    }
    return tumbo::output::PrintSafely(*printer_, [&] { return Render(text, *printer_); }, error);
}

void TProgramPrinter::Preview(QWidget *parent, const QString &text)
{
    QPrintPreviewDialog preview(printer_.get(), parent);
    preview.setWindowTitle(QStringLiteral("Seitenansicht"));
    if (auto *widget = preview.findChild<QPrintPreviewWidget *>()) {
        widget->setViewMode(QPrintPreviewWidget::SinglePageView);
        widget->setZoomMode(QPrintPreviewWidget::FitInView);
    }
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [this, &text](QPrinter *printer) {
                         Render(text, *static_cast<QsciPrinter *>(printer));
                     });
    preview.move(10, 40);
    // The size it returns to from maximized (and keeps where nothing maximizes it): big
    // enough to read a page.
    preview.resize(900, 700);
    preview.setWindowState(Qt::WindowMaximized);
    preview.exec();
}

bool TProgramPrinter::Setup(QWidget *parent)
{
    QPrintDialog dialog(printer_.get(), parent);
    dialog.setWindowTitle(QStringLiteral("Drucker einrichten"));
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace tumbo::app
