// Switching the window between world view and chart view, and the chart commands, on a
// stand-in window made of plain controls.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>
#include <QClipboard>
#include <QFile>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolButton>

#include "chart/qt/chart_mode.h"
#include "chart/qt/chart_paint_box.h"
#include "chart/qt/struktogramm.h"
#include "tree_builder.h"

using namespace chart_test;

namespace {

QToolButton *Button(QWidget *panel, const char *name, int tag)
{
    auto *button = new QToolButton(panel);
    button->setObjectName(name);
    SetControlTag(button, tag);
    return button;
}

struct FakeWindow
{
    QWidget Window;
    QWidget *WorldNav = new QWidget(&Window);
    QWidget *ProgramNav = new QWidget(&Window);
    QLabel *Caption = new QLabel(QStringLiteral("Welt"), WorldNav);
    QToolButton *btnTumboVor = Button(WorldNav, "btnTumboVor", 0);
    QToolButton *btnWeltLoeschen = Button(WorldNav, "btnWeltLoeschen", 0);
    QToolButton *btnDiagrEnde = Button(WorldNav, "btnDiagrEnde", 1);
    QToolButton *btnDiagrDrucken = Button(WorldNav, "btnDiagrDrucken", 1);
    QToolButton *btnProgNeu = Button(ProgramNav, "btnProgNeu", 1);
    QToolButton *btnSyntax = Button(ProgramNav, "btnSyntax", 1);
    QFrame *separator = new QFrame(ProgramNav);
    QToolButton *btnAblaufNormal = Button(ProgramNav, "btnAblaufNormal", 0);
    QLabel *ProgramCaption = new QLabel(QStringLiteral("Programm"), ProgramNav);
    TChartPaintBox *PaintBox = new TChartPaintBox(&Window);
    QWidget *World3D = new QWidget(&Window);
    QMenu Welt{QStringLiteral("&Welt")};
    QMenu Ablauf{QStringLiteral("&Ablauf")};
    QAction Anzeigen1{QStringLiteral("Anzeigen")};
    QAction StruktSpeichern1{QStringLiteral("Speichern")};
    QAction StruktKopieren1{QStringLiteral("Kopieren")};
    QAction StruktDrucken1{QStringLiteral("Drucken")};

    std::unique_ptr<TTumbo_Program_Top> Program = Root({Statement(kindSchritt)});
    bool CompileSucceeds = true;
    bool Running = false;
    bool EditorEnabled = true;
    bool EditorEnabledDuringCompile = true;
    int Compiles = 0;
    int Resets = 0;
    int ScrollUpdates = 0;
    QString AskedFolder;
    QString FileToChoose;
    bool PrinterConfirmed = false;
    QStringList Errors;

    TStruktogramm Chart{PaintBox};
    std::unique_ptr<TChartCommands> Commands;

    FakeWindow()
    {
        SetControlTag(separator, 1);
        PaintBox->hide();
        for (QAction *a : {&StruktSpeichern1, &StruktKopieren1, &StruktDrucken1})
            a->setEnabled(false);
        TChartModeControls controls;
        controls.WorldNavigator = WorldNav;
        controls.ProgramNavigator = ProgramNav;
        controls.SetNavigatorCaption = [this](const QString &text) { Caption->setText(text); };
        controls.Anzeigen1 = &Anzeigen1;
        controls.StruktSpeichern1 = &StruktSpeichern1;
        controls.StruktKopieren1 = &StruktKopieren1;
        controls.StruktDrucken1 = &StruktDrucken1;
        controls.Welt1 = Welt.menuAction();
        controls.Ablauf1 = Ablauf.menuAction();
        PaintBox->Chart = &Chart;
        PaintBox->Tree = [this] { return Program.get(); };

        TChartWindowServices services;
        services.IsRunning = [this] { return Running; };
        services.SetEditorEnabled = [this](bool enabled) { EditorEnabled = enabled; };
        services.ResetMessages = [this] { ++Resets; };
        services.Compile = [this] {
            ++Compiles;
            EditorEnabledDuringCompile = EditorEnabled;
            return CompileSucceeds;
        };
        services.Tree = [this] { return Program.get(); };
        services.ShowView = [this](bool chart) {
            PaintBox->setVisible(chart);
            World3D->setVisible(!chart);
        };
        services.UpdateScrollRanges = [this] { ++ScrollUpdates; };
        services.OpenPath = [] { return QStringLiteral("/programme"); };
        services.ReportError = [this](const QString &text) { Errors << text; };
        services.AskFileName = [this](const QString &folder) {
            AskedFolder = folder;
            return FileToChoose;
        };
        services.AskPrinter = [this](QPrinter &) { return PrinterConfirmed; };
        Commands = std::make_unique<TChartCommands>(Chart, controls, services, &Window);
    }

    bool Shown(const QWidget *w) const { return !w->isHidden(); }
};

} // namespace

TEST(ChartMode, FailingCheckLeavesTheWorldInPlace)
{
    FakeWindow w;
    w.CompileSucceeds = false;
    w.Commands->Anzeigen1Click();
    EXPECT_EQ(w.Compiles, 1);
    EXPECT_EQ(w.Resets, 1);
    EXPECT_FALSE(w.EditorEnabledDuringCompile);
    EXPECT_TRUE(w.EditorEnabled);
    EXPECT_TRUE(w.Shown(w.World3D));
    EXPECT_FALSE(w.Shown(w.PaintBox));
    EXPECT_EQ(w.Anzeigen1.text(), "Anzeigen");
    EXPECT_FALSE(w.Chart.Valid);
    EXPECT_FALSE(w.StruktSpeichern1.isEnabled());
}

TEST(ChartMode, ShowingAndHidingSwitchesEveryControl)
{
    FakeWindow w;
    w.Commands->Anzeigen1Click();
    EXPECT_TRUE(w.Commands->IsChartShown());
    EXPECT_EQ(w.Anzeigen1.text(), "Ausblenden");
    EXPECT_EQ(w.Caption->text(), "Struktogramm    ");
    EXPECT_TRUE(w.Shown(w.PaintBox));
    EXPECT_FALSE(w.Shown(w.World3D));
    EXPECT_TRUE(w.Chart.Valid);
    EXPECT_EQ(w.PaintBox->size(), QSize(200, 110));
    EXPECT_EQ(w.ScrollUpdates, 1);
    EXPECT_TRUE(w.EditorEnabled);
    // world navigator: chart buttons only; program navigator: the tagged controls only
    EXPECT_FALSE(w.Shown(w.btnTumboVor));
    EXPECT_FALSE(w.Shown(w.btnWeltLoeschen));
    EXPECT_TRUE(w.Shown(w.btnDiagrEnde));
    EXPECT_TRUE(w.Shown(w.btnDiagrDrucken));
    EXPECT_TRUE(w.Shown(w.btnProgNeu));
    EXPECT_TRUE(w.Shown(w.btnSyntax));
    EXPECT_TRUE(w.Shown(w.separator));
    EXPECT_FALSE(w.Shown(w.btnAblaufNormal));
    EXPECT_TRUE(w.Shown(w.Caption));
    EXPECT_TRUE(w.Shown(w.ProgramCaption));
    EXPECT_FALSE(w.Welt.menuAction()->isEnabled());
    EXPECT_FALSE(w.Ablauf.menuAction()->isEnabled());
    for (QAction *a : {&w.StruktSpeichern1, &w.StruktKopieren1, &w.StruktDrucken1})
        EXPECT_TRUE(a->isEnabled());

    // The same menu item now hides the chart without compiling again.
    w.Commands->Anzeigen1Click();
    EXPECT_EQ(w.Compiles, 1);
    EXPECT_FALSE(w.Commands->IsChartShown());
    EXPECT_EQ(w.Anzeigen1.text(), "Anzeigen");
    EXPECT_EQ(w.Caption->text(), "Welt    ");
    EXPECT_FALSE(w.Shown(w.PaintBox));
    EXPECT_TRUE(w.Shown(w.World3D));
    EXPECT_FALSE(w.Chart.Valid);
    EXPECT_TRUE(w.Shown(w.btnTumboVor));
    EXPECT_FALSE(w.Shown(w.btnDiagrEnde));
    EXPECT_TRUE(w.Shown(w.btnAblaufNormal));
    EXPECT_TRUE(w.Shown(w.btnProgNeu));
    EXPECT_TRUE(w.Welt.menuAction()->isEnabled());
    EXPECT_TRUE(w.Ablauf.menuAction()->isEnabled());
    for (QAction *a : {&w.StruktSpeichern1, &w.StruktKopieren1, &w.StruktDrucken1})
        EXPECT_FALSE(a->isEnabled());
}

TEST(ChartMode, ShowCommandDoesNothingWhileAProgramRuns)
{
    FakeWindow w;
    w.Running = true;
    w.Commands->Anzeigen1Click();
    EXPECT_EQ(w.Compiles, 0);
    EXPECT_EQ(w.Resets, 0);
    EXPECT_EQ(w.Anzeigen1.text(), "Anzeigen");
    // Hiding works while running: it compiles nothing.
    w.Running = false;
    w.Commands->Anzeigen1Click();
    w.Running = true;
    w.Commands->Anzeigen1Click();
    EXPECT_FALSE(w.Commands->IsChartShown());
}

TEST(ChartMode, SaveAsksInTheOpenFolderAndWritesTheChosenFile)
{
    FakeWindow w;
    w.Commands->Anzeigen1Click();
    QTemporaryDir dir;
    w.FileToChoose.clear(); // cancelled
    w.Commands->btnDiagrSpeichernClick();
    EXPECT_EQ(w.AskedFolder, "/programme");
    EXPECT_TRUE(w.Errors.isEmpty());

    w.FileToChoose = dir.filePath("chart.emf");
    w.Commands->btnDiagrSpeichernClick();
    QFile file(w.FileToChoose);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().mid(40, 4), QByteArray(" EMF"));

    w.FileToChoose = "/nonexistent-folder/chart.svg";
    w.Commands->btnDiagrSpeichernClick();
    ASSERT_EQ(w.Errors.size(), 1);
    EXPECT_TRUE(w.Errors[0].contains("chart.svg"));
}

TEST(ChartMode, CopyAndPrint)
{
    FakeWindow w;
    w.Commands->Anzeigen1Click();
    w.Commands->btnDiagrKopierenClick();
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(clip);
    EXPECT_TRUE(clip->hasFormat("image/svg+xml"));

    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("print.pdf"));
    w.Commands->SetPrinter(&printer);
    w.PrinterConfirmed = false;
    w.Commands->btnDiagrDruckenClick();
    EXPECT_FALSE(QFile::exists(dir.filePath("print.pdf")));
    w.PrinterConfirmed = true;
    w.Commands->btnDiagrDruckenClick();
    EXPECT_TRUE(QFile::exists(dir.filePath("print.pdf")));
    EXPECT_TRUE(w.Errors.isEmpty());
}

TEST(ChartMode, SaveDialogStartsWithEmfInTheOpenFolder)
{
    QTemporaryDir dir;
    QString title, typedName;
    QStringList filters;
    QString folder;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        folder = dialog->directory().absolutePath();
        auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        ASSERT_TRUE(name);
        typedName = name->text();
        // Choosing the SVG type and a name without suffix gives an .svg file.
        dialog->selectNameFilter(filters.value(1));
        emit dialog->filterSelected(filters.value(1));
        name->setText("bild");
        static_cast<QDialog *>(dialog)->accept(); // QFileDialog::accept checks the name first
    });
    const QString chosen = AskChartFileName(nullptr, dir.path());
    EXPECT_EQ(title, "Struktogramm speichern");
    EXPECT_EQ(typedName, "*.emf");
    EXPECT_EQ(folder, QDir(dir.path()).absolutePath());
    ASSERT_GE(filters.size(), 3);
    EXPECT_EQ(filters.first(), "Windows Enhanced Meta File (*.emf)");
    EXPECT_EQ(filters.last(), "Alle Dateien (*.*)");
    EXPECT_EQ(QFileInfo(chosen).fileName(), "bild.svg");

    QTimer::singleShot(0, [] {
        if (auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    EXPECT_TRUE(AskChartFileName(nullptr, dir.path()).isEmpty());
}
