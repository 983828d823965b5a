#include "app/window/chart_mode.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QToolButton>

#include "app/dialogs/dialog_util.h"
#include "app/run/run_control.h"
#include "app/window/bar_metrics.h"
#include "app/window/main_form.h"
#include "app/window/program_editor.h"
#include "chart/qt/chart_paint_box.h"
#include "language/parser.h"
#include "text/cp1252.h"
#include "world/qt/welt_qt.h"

namespace tumbo::app {

namespace {

// Icon themes are rare outside a desktop session, so the copy and print pictures are drawn
// here in the style of the window's other button pictures.
QIcon DrawnIcon(void (*draw)(QPainter &))
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, false);
    draw(painter);
    return QIcon(pixmap);
}

void DrawCopyPicture(QPainter &p)
{
    // two overlapping sheets
    p.setPen(QColor(70, 70, 70));
    p.setBrush(QColor(235, 235, 235));
    p.drawRect(1, 1, 9, 11);
    p.setBrush(Qt::white);
    p.drawRect(5, 4, 9, 11);
    p.setPen(QColor(110, 140, 200));
    for (int y = 7; y <= 12; y += 2)
        p.drawLine(7, y, 12, y);
}

void DrawPrintPicture(QPainter &p)
{
    // a sheet in a printer with a paper tray
    p.setPen(QColor(70, 70, 70));
    p.setBrush(Qt::white);
    p.drawRect(4, 1, 8, 6);
    p.setBrush(QColor(170, 170, 180));
    p.drawRect(1, 6, 14, 6);
    p.setBrush(Qt::white);
    p.drawRect(4, 10, 8, 5);
    p.setPen(QColor(40, 160, 60));
    p.drawPoint(13, 8);
}

QAction *MenuNamed(QMenuBar *bar, const QString &title)
{
    for (QAction *action : bar->actions())
        if (action->text() == title)
            return action;
    return nullptr;
}

}  // namespace

ChartMode::ChartMode(TMainForm &form) : QObject(&form), form_(form)
{
    // The paint box takes the place of the window's placeholder pbDiagramm.
    auto *paintBox = new TChartPaintBox(form.ScrollContent);
    paintBox->setObjectName(QStringLiteral("pbDiagramm"));
    paintBox->move(20, 10);
    paintBox->hide();
    paintBox->Chart = &Chart;
    paintBox->Tree = [&form] { return form.Parser().Program.get(); };
    delete form.pbDiagramm;
    form.pbDiagramm = paintBox;
    Chart.Control = paintBox;

    CreateButtons();
    TagProgramNavigator();

    TChartModeControls controls;
    controls.WorldNavigator = form.findChild<QWidget *>(QStringLiteral("PanelTumbo3dNavigator"));
    controls.ProgramNavigator = form.findChild<QWidget *>(QStringLiteral("PanelProgramNavigator"));
    // The caption at the top of the world's pane names what the pane shows.
    QLabel *caption = form.findChild<QLabel *>(QStringLiteral("CaptionWelt"));
    controls.SetNavigatorCaption = [caption](const QString &text) {
        if (caption)
            caption->setText(text.trimmed());  // the caption is shown without the padding
    };
    controls.Anzeigen1 = form.Anzeigen1;
    controls.StruktSpeichern1 = form.StruktSpeichern1;
    controls.StruktKopieren1 = form.StruktKopieren1;
    controls.StruktDrucken1 = form.StruktDrucken1;
    controls.Welt1 = MenuNamed(form.menuBar(), QStringLiteral("&Welt"));
    controls.Ablauf1 = MenuNamed(form.menuBar(), QStringLiteral("&Ablauf"));

    TChartWindowServices services;
    services.IsRunning = [&form] { return form.Parser().RunMode != 0 || form.RunControl().RunOnStack(); };
    services.SetEditorEnabled = [&form](bool on) { form.Editor->SetEditingEnabled(on); };
    services.ResetMessages = [&form] {
        form.RunControl().Marks().ClearErrorMarks();
        form.RunControl().ResetInfoList();
    };
    services.Compile = [&form] {
        // Exactly as the syntax check: the editor's text, the program's folder for libraries.
        const std::string text = tumbo::text::Utf8ToCp1252(form.Editor->TrimmedText().toStdString());
        const QString folder = form.ProgramFileName.isEmpty()
                                   ? QString()
                                   : QFileInfo(form.ProgramFileName).absolutePath() + QLatin1Char('/');
        return form.Parser().Compile(text, folder.toStdString(), true);
    };
    services.Tree = [&form] { return form.Parser().Program.get(); };
    services.ShowView = [&form](bool chart) {
        const bool is2D = form.WeltViews().Is2D();
        form.imgTumbo3D->setVisible(!chart && !is2D);
        form.pbTumbo2D->setVisible(!chart && is2D);
        form.pbDiagramm->setVisible(chart);
    };
    services.UpdateScrollRanges = [&form] { form.UpdateScrollRanges(); };
    services.OpenPath = [&form] { return form.OpenPath; };
    services.ReportError = [&form](const QString &text) {
        if (form.MessageBoxHook)
            form.MessageBoxHook(QMessageBox::Critical, text, QMessageBox::Ok);
        else
            ShowGeneralError(&form, text);
    };
    commands_ = std::make_unique<TChartCommands>(Chart, controls, services, &form);

    connect(form.Anzeigen1, &QAction::triggered, this, [this] { commands_->Anzeigen1Click(); });
    connect(btnDiagrEnde, &QToolButton::clicked, this, [this] { commands_->btnDiagrEndeClick(); });
    connect(btnDiagrSpeichern, &QToolButton::clicked, this, [this] { commands_->btnDiagrSpeichernClick(); });
    connect(form.StruktSpeichern1, &QAction::triggered, this, [this] { commands_->btnDiagrSpeichernClick(); });
    connect(btnDiagrKopieren, &QToolButton::clicked, this, [this] { commands_->btnDiagrKopierenClick(); });
    connect(form.StruktKopieren1, &QAction::triggered, this, [this] { commands_->btnDiagrKopierenClick(); });
    connect(btnDiagrDrucken, &QToolButton::clicked, this, [this] { commands_->btnDiagrDruckenClick(); });
    connect(form.StruktDrucken1, &QAction::triggered, this, [this] { commands_->btnDiagrDruckenClick(); });
    form.Anzeigen1->setEnabled(true);
}

ChartMode::~ChartMode() = default;

void ChartMode::HideChart()
{
    commands_->btnDiagrEndeClick();
}

void ChartMode::CreateButtons()
{
    auto *nav = form_.findChild<QWidget *>(QStringLiteral("PanelTumbo3dNavigator"));
    auto *bar = nav ? qobject_cast<QHBoxLayout *>(nav->layout()) : nullptr;
    // Tag 1: shown in the chart view only. A button without a picture shows its letter.
    auto make = [&](const char *name, const QString &hint, const QIcon &icon, const QString &text) {
        auto *button = new QToolButton(nav);
        button->setObjectName(QString::fromLatin1(name));
        button->setToolTip(hint);
        button->setAccessibleName(hint);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);
        if (icon.isNull()) {
            button->setText(text);
        } else {
            button->setIcon(icon);
            SetBarButtonSize(button);
        }
        SetControlTag(button, 1);
        button->hide();
        if (bar)
            bar->insertWidget(bar->count() - 1, button);  // before the stretch
        return button;
    };
    QStyle *style = form_.style();
    btnDiagrEnde = make("btnDiagrEnde", QStringLiteral("Tumbowelt wieder anzeigen"), QIcon(),
                        QStringLiteral("Struktogramm ausblenden"));
    btnDiagrSpeichern = make("btnDiagrSpeichern", QStringLiteral("Struktogramm speichern"),
                             style->standardIcon(QStyle::SP_DialogSaveButton), QStringLiteral("S"));
    btnDiagrKopieren = make("btnDiagrKopieren", QStringLiteral("Struktogramm in Zwischenablage kopieren"),
                            QIcon::fromTheme(QStringLiteral("edit-copy"), DrawnIcon(DrawCopyPicture)),
                            QStringLiteral("K"));
    btnDiagrDrucken = make("btnDiagrDrucken", QStringLiteral("Struktogramm drucken"),
                           QIcon::fromTheme(QStringLiteral("document-print"), DrawnIcon(DrawPrintPicture)),
                           QStringLiteral("D"));
}

void ChartMode::TagProgramNavigator()
{
    // The file commands and the check stay in the chart view, with the separators after
    // "Programm speichern" and after the check; the run buttons and the lamp go.
    auto *nav = form_.findChild<QWidget *>(QStringLiteral("PanelProgramNavigator"));
    auto *bar = nav ? nav->layout() : nullptr;
    if (!bar)
        return;
    bool keepNextSeparator = false;
    for (int i = 0; i < bar->count(); ++i) {
        QWidget *control = bar->itemAt(i)->widget();
        if (!control)
            continue;
        const QString name = control->objectName();
        if (name == QLatin1String("btnProgNeu") || name == QLatin1String("btnProgOeffnen")
            || name == QLatin1String("btnProgSpeichern") || name == QLatin1String("btnSyntax")) {
            SetControlTag(control, 1);
            keepNextSeparator = name == QLatin1String("btnProgSpeichern") || name == QLatin1String("btnSyntax");
        } else if (keepNextSeparator && qobject_cast<QFrame *>(control) && !qobject_cast<QLabel *>(control)) {
            SetControlTag(control, 1);
            keepNextSeparator = false;
        } else {
            keepNextSeparator = false;
        }
    }
}

}  // namespace tumbo::app
