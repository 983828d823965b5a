#pragma once

#include <QString>
#include <functional>
#include <memory>

class QAction;
class QPrinter;
class QWidget;
class TStruktogramm;
class TTumbo_Program;

// The window's side of the structure chart: switching between world view and chart view,
// and the save, copy and print commands. The window hands over its controls and a few
// services; the commands here decide what happens and in which order.

// A control's tag on a navigator panel is the dynamic property "tag" (absent: 0).
int ControlTag(const QWidget *control);
void SetControlTag(QWidget *control, int tag);

// Texts of the chart view.
inline const QString kShowChartCaption = QStringLiteral("Anzeigen");
inline const QString kHideChartCaption = QStringLiteral("Ausblenden");
inline const QString kWorldNavigatorCaption = QStringLiteral("Welt    ");
inline const QString kChartNavigatorCaption = QStringLiteral("Struktogramm    ");

struct TChartModeControls
{
    // The navigator panels. Their controls are the direct child widgets except labels; the
    // world pane's caption is set through SetNavigatorCaption.
    QWidget *WorldNavigator = nullptr;   // PanelTumbo3dNavigator
    QWidget *ProgramNavigator = nullptr; // PanelProgramNavigator
    std::function<void(const QString &)> SetNavigatorCaption; // caption of the world navigator
    QAction *Anzeigen1 = nullptr;
    QAction *StruktSpeichern1 = nullptr;
    QAction *StruktKopieren1 = nullptr;
    QAction *StruktDrucken1 = nullptr;
    QAction *Welt1 = nullptr;   // the menu "&Welt" (its menu action)
    QAction *Ablauf1 = nullptr; // the menu "&Ablauf"
};

// Switches the controls: on the world navigator, tag 0 controls are visible exactly when
// the world is shown and the others exactly when the chart is; on the program navigator
// everything is visible with the world and only the tagged controls with the chart.
void SetChartMode(const TChartModeControls &controls, bool worldShown);

// The services of the window the commands use.
struct TChartWindowServices
{
    std::function<bool()> IsRunning;                   // the engine's RunMode is not 0
    std::function<void(bool)> SetEditorEnabled;
    std::function<void()> ResetMessages;               // error marks and information list, as for the check
    std::function<bool()> Compile;                     // the check's compile, messages into the information list
    std::function<const TTumbo_Program *()> Tree;      // the engine's current program tree
    std::function<void(bool chart)> ShowView;          // chart: hide the world views, show the paint box; else the reverse
    std::function<void()> UpdateScrollRanges;          // after the shown view changed
    std::function<QString()> OpenPath;                 // folder for the save dialog
    std::function<void(const QString &)> ReportError;  // the window's general error message
    // Dialogs; the defaults show the real dialogs (AskChartFileName, AskChartPrinter).
    std::function<QString(const QString &openPath)> AskFileName;
    std::function<bool(QPrinter &)> AskPrinter;
};

// The file dialog "Struktogramm speichern": EMF, SVG, PDF or PNG, starting with "*.emf" in
// openPath. Empty when cancelled. The suffix of the chosen type is added when none is typed.
QString AskChartFileName(QWidget *parent, const QString &openPath);
// The print dialog; true when confirmed.
bool AskChartPrinter(QWidget *parent, QPrinter &printer);

class TChartCommands
{
public:
    TChartCommands(TStruktogramm &chart, TChartModeControls controls, TChartWindowServices services,
                   QWidget *window = nullptr);
    ~TChartCommands();

    bool IsChartShown() const; // the caption of Anzeigen1 reads "Ausblenden"

    void Anzeigen1Click();       // show the chart, or hide it when shown
    void btnDiagrEndeClick();    // hide the chart (also before new and open)
    void btnDiagrSpeichernClick();
    void btnDiagrKopierenClick();
    void btnDiagrDruckenClick();
    void SetChartMode(bool worldShown);

    // The printer used by the print command; the window may share its own.
    QPrinter &Printer();
    void SetPrinter(QPrinter *printer) { printer_ = printer; }

private:
    TStruktogramm &chart_;
    TChartModeControls controls_;
    TChartWindowServices services_;
    QWidget *window_;
    QPrinter *printer_ = nullptr;
    std::unique_ptr<QPrinter> ownPrinter_;
};
