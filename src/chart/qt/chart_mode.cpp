#include "chart/qt/chart_mode.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QVariant>
#include <QWidget>

#include "chart/qt/struktogramm.h"

int ControlTag(const QWidget *control)
{
    return control->property("tag").toInt();
}

void SetControlTag(QWidget *control, int tag)
{
    control->setProperty("tag", tag);
}

namespace {

template <typename Visit>
void ForEachControl(QWidget *panel, Visit visit)
{
    if (!panel)
        return;
    for (QWidget *control : panel->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!qobject_cast<QLabel *>(control) && !control->isWindow())
            visit(control);
}

void SetEnabled(QAction *action, bool enabled)
{
    if (action)
        action->setEnabled(enabled);
}

} // namespace

void SetChartMode(const TChartModeControls &c, bool worldShown)
{
    ForEachControl(c.WorldNavigator, [&](QWidget *control) {
        control->setVisible((ControlTag(control) != 0) != worldShown);
    });
    ForEachControl(c.ProgramNavigator, [&](QWidget *control) {
        control->setVisible(worldShown || ControlTag(control) != 0);
    });
    if (c.SetNavigatorCaption)
        c.SetNavigatorCaption(worldShown ? kWorldNavigatorCaption : kChartNavigatorCaption);
    if (c.Anzeigen1)
        c.Anzeigen1->setText(worldShown ? kShowChartCaption : kHideChartCaption);
    SetEnabled(c.Welt1, worldShown);
    SetEnabled(c.Ablauf1, worldShown);
    SetEnabled(c.StruktSpeichern1, !worldShown);
    SetEnabled(c.StruktKopieren1, !worldShown);
    SetEnabled(c.StruktDrucken1, !worldShown);
}

QString AskChartFileName(QWidget *parent, const QString &openPath)
{
    struct TFileType
    {
        QString Filter;
        QString Suffix;
    };
    const TFileType types[] = {
        {QStringLiteral("Windows Enhanced Meta File (*.emf)"), QStringLiteral("emf")},
        {QStringLiteral("SVG-Grafik (*.svg)"), QStringLiteral("svg")},
        {QStringLiteral("PDF-Dokument (*.pdf)"), QStringLiteral("pdf")},
        {QStringLiteral("PNG-Bild (*.png)"), QStringLiteral("png")},
        {QStringLiteral("Alle Dateien (*.*)"), QString()},
    };
    QStringList filters;
    for (const TFileType &type : types)
        filters << type.Filter;

    QFileDialog dialog(parent, QStringLiteral("Struktogramm speichern"), openPath);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("emf"));
    dialog.setOption(QFileDialog::DontConfirmOverwrite); // an existing file is replaced without a question
    dialog.selectFile(QStringLiteral("*.emf"));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString &filter) {
        for (const TFileType &type : types)
            if (type.Filter == filter && !type.Suffix.isEmpty())
                dialog.setDefaultSuffix(type.Suffix);
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

bool AskChartPrinter(QWidget *parent, QPrinter &printer)
{
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

TChartCommands::TChartCommands(TStruktogramm &chart, TChartModeControls controls, TChartWindowServices services,
                               QWidget *window)
    : chart_(chart), controls_(std::move(controls)), services_(std::move(services)), window_(window)
{
    if (!services_.AskFileName)
        services_.AskFileName = [this](const QString &openPath) { return AskChartFileName(window_, openPath); };
    if (!services_.AskPrinter)
        services_.AskPrinter = [this](QPrinter &printer) { return AskChartPrinter(window_, printer); };
}

TChartCommands::~TChartCommands() = default;

bool TChartCommands::IsChartShown() const
{
    return controls_.Anzeigen1 && controls_.Anzeigen1->text() == kHideChartCaption;
}

void TChartCommands::SetChartMode(bool worldShown)
{
    ::SetChartMode(controls_, worldShown);
}

void TChartCommands::Anzeigen1Click()
{
    if (IsChartShown()) {
        btnDiagrEndeClick();
        return;
    }
    if (services_.IsRunning && services_.IsRunning())
        return;
    if (services_.SetEditorEnabled)
        services_.SetEditorEnabled(false);
    if (services_.ResetMessages)
        services_.ResetMessages();
    const bool compiled = services_.Compile && services_.Compile();
    if (compiled) {
        if (services_.ShowView)
            services_.ShowView(true);
        SetChartMode(false);
        chart_.Prepare(services_.Tree ? services_.Tree() : nullptr);
        if (services_.UpdateScrollRanges)
            services_.UpdateScrollRanges();
    } else {
        chart_.Prepare(nullptr);
    }
    if (services_.SetEditorEnabled)
        services_.SetEditorEnabled(true);
}

void TChartCommands::btnDiagrEndeClick()
{
    if (services_.ShowView)
        services_.ShowView(false);
    SetChartMode(true);
    chart_.Prepare(nullptr);
    if (services_.UpdateScrollRanges)
        services_.UpdateScrollRanges();
}

void TChartCommands::btnDiagrSpeichernClick()
{
    const QString fileName = services_.AskFileName(services_.OpenPath ? services_.OpenPath() : QString());
    if (fileName.isEmpty())
        return;
    QString error;
    if (!chart_.SaveToFile(fileName, services_.Tree ? services_.Tree() : nullptr, &error) && services_.ReportError)
        services_.ReportError(error);
}

void TChartCommands::btnDiagrKopierenClick()
{
    chart_.CopyToClipboard(services_.Tree ? services_.Tree() : nullptr);
}

QPrinter &TChartCommands::Printer()
{
    if (printer_)
        return *printer_;
    if (!ownPrinter_)
        ownPrinter_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *ownPrinter_;
}

void TChartCommands::btnDiagrDruckenClick()
{
    QPrinter &printer = Printer();
    if (!services_.AskPrinter(printer))
        return;
    QString error;
    if (!chart_.Print(printer, services_.Tree ? services_.Tree() : nullptr, &error) && services_.ReportError)
        services_.ReportError(error.isEmpty() ? QStringLiteral("Das Struktogramm kann nicht gedruckt werden.") : error);
}
