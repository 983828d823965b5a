#pragma once
// The main window: program editor on the left, the world on the right, the overview
// and the information list below. It owns the world, the language engine and the run
// control, reads tumbo.ini when it is created and writes it when it is destroyed.
#include <QMainWindow>
#include <QMessageBox>

#include <functional>
#include <memory>

#include "app/files/file_dialogs.h"
#include "app/settings/settings.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollArea;
class QSplitter;
class QTimer;
class QToolButton;
class QTreeWidget;
class QFrame;
class QHBoxLayout;
class TWelt;
class TTumbo_Parser;
class TWeltQt;
namespace tumbo::editor {
class TumboLexer;
class ShortInputContextMenu;
class TemplateExpander;
class CompletionPopup;
}  // namespace tumbo::editor

namespace tumbo::app {

class ProgramEditor;
class ProgLamp;
class QtRunHost;
class TRunControl;
class TRunHistory;
class TReplayBar;
class TTempWorld;
class TTaskSession;
class TCourseSession;
class TFileCommands;
class TWorldCommands;
class TViewScaleControl;
class TAccessibility;
class TStatusBar;
class TPresentationMode;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // `args` are the command-line parameters without the program name.
    explicit TMainForm(const QStringList &args, QWidget *parent = nullptr);
    ~TMainForm() override;

    // Shows the window maximized or at its normal size, as the settings say.
    void ShowAtStart();

    // --- fields ---
    QString ProgramFileName;
    QString WorldFileName;
    QString TempWorldFile;  // empty when the user has no private folder for it
    QString OpenPath;
    QString IniFolder;
    QString StartProgramFile;
    QString StartWorldFile;
    int LastTip = 1;
    bool ShowTips = true;
    bool FormatToken = true;
    bool ExtendedSyntax = true;
    bool RestoreWorld = false;
    // False when reading the settings stopped at a bad value: the help file is then not set.
    bool HelpFileSet = false;

    TWelt &Welt() { return *welt_; }
    TTumbo_Parser &Parser() { return *parser_; }
    TWeltQt &WeltViews() { return *weltQt_; }
    QtRunHost &RunHost() { return *host_; }
    TRunControl &RunControl() { return *runControl_; }
    TRunHistory &History() { return *history_; }
    TFileCommands &FileCommands() { return *fileCommands_; }
    TWorldCommands &WorldCommands() { return *worldCommands_; }

    // --- controls ---
    ProgramEditor *Editor = nullptr;
    QListWidget *InfoBox = nullptr;
    ProgLamp *Lamp = nullptr;
    QTreeWidget *TreeView1 = nullptr;
    QScrollArea *ScrollBox = nullptr;
    QWidget *ScrollContent = nullptr;
    QWidget *imgTumbo3D = nullptr;
    QWidget *pbTumbo2D = nullptr;
    QWidget *pbDiagramm = nullptr;
    QLineEdit *DummyEdit = nullptr;
    TReplayBar *ReplayBar = nullptr;  // under the world view after a run
    TStatusBar *StatusLine = nullptr;
    TPresentationMode *Presentation = nullptr;  // "Ansicht → Präsentation", F11  // the status fields and notes under the information list
    QWidget *PanelTop = nullptr, *PanelProgram = nullptr, *PanelTumbo3d = nullptr;
    QWidget *PanelBottom = nullptr, *PanelCodeView = nullptr, *PanelError = nullptr;
    QSplitter *Splitter1 = nullptr, *Splitter2 = nullptr, *Splitter4 = nullptr;
    QLineEdit *edtPositionX = nullptr, *edtPositionY = nullptr, *edtBlickrichtung = nullptr,
              *edtZiegel = nullptr;
    QToolButton *btnProgNeu = nullptr, *btnProgOeffnen = nullptr, *btnProgSpeichern = nullptr,
                *btnSyntax = nullptr, *btnAblaufNormal = nullptr, *btnAblaufSchnell = nullptr,
                *btnAblaufEinzeln = nullptr, *btnSchrittZurueck = nullptr, *btnAblaufPause = nullptr,
                *btnAblaufStopp = nullptr;

    // Menu items, named after their captions.
    QAction *Neu1, *Oeffnen1, *Speichern1, *Speichernunter1, *Drucken1, *Seitenansicht1,
        *Druckereinrichten1, *Beenden1;
    QAction *Rueckgaengig1, *Widerrufen1, *Ausschneiden1, *Kopieren1, *Einfuegen1, *Allesauswaehlen1,
        *GehezuZeile1, *Formatieren1;
    QAction *Suchen1, *Ersetzen1, *Weitersuchen1;
    QAction *Anzeigen1, *StruktSpeichern1, *StruktKopieren1, *StruktDrucken1;
    QAction *NeueWelt1, *OeffnenWelt1, *Weltspeichern1, *Weltspeichernunter1, *AlsGrafikspeichern1,
        *Weltloeschen1, *Darstellung2D1, *Weltdirektfestlegen1;
    QAction *Start1, *Schnelllauf1, *Einzelschritt1, *Schrittzurueck1, *Pause1, *Stopp1, *StoppPunkt1,
        *Syntaxpruefung1;
    QAction *Bereicheanordnen1, *EinstTumbo1, *EinstEditor1, *Figurwechseln1;
    QAction *Inhalt1, *Tipps1, *Programminfo1;
    QAction *Meldungenloeschen1;

    // Screen readers, keyboard-only world editing, high contrast; a child of the window.
    TAccessibility *Accessibility = nullptr;

    // The open task and the menu "Aufgabe"; a child of the window.
    TTaskSession *Tasks = nullptr;
    QString StartTaskFile;  // a task named on the command line
    // The open course and its panel "Kurs"; a child of the window.
    TCourseSession *Courses = nullptr;

    // The open and save dialogs (through FileDialogHook when set).
    QString AskFileName(const FileDialogRequest &request);

    // Message boxes go through this hook, so that tests can answer them.
    using MessageHook = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon, const QString &text, QMessageBox::StandardButtons buttons)>;
    MessageHook MessageBoxHook;
    // Opens the tips window modally; called when the window is first shown and ShowTips is
    // set, before the start files are loaded. The program entry sets it; tests leave it empty.
    std::function<void()> ShowTipsAtStart;
    // Used while a window has no hook of its own, e.g. for messages during its creation.
    static inline MessageHook DefaultMessageBoxHook;

    // --- start-up, settings, shutdown ---
    void ReadCommandLine(const QStringList &args);
    void LoadSettings();
    void SaveSettings();
    void ArrangeAreas();
    void UpdateScrollRanges();
    // Scrolls the world pane to the robot when it walked out of sight.
    void KeepRobotInSight();
    QString SettingsFile() const;

    // The folder of the program file, where the compiler looks for the libraries it
    // includes; empty while the program has no file.
    QString ProgramFolder() const;
    // The open and save dialogs go through this function when it is set (tests).
    FileDialogFunction FileDialogHook;

    // World buttons; the world commands connect them.
    QToolButton *btnWeltNeu = nullptr, *btnWeltOeffnen = nullptr, *btnWeltSpeichern = nullptr,
                *btnTumboLinks = nullptr, *btnTumboVor = nullptr, *btnTumboRechts = nullptr,
                *btnTumboHinlegen = nullptr, *btnTumboAufheben = nullptr, *btnTumboMarke = nullptr,
                *btnTumboQuaderAbl = nullptr, *btnTumboQuaderEntf = nullptr, *btnWeltLoeschen = nullptr,
                *btnWeltWiederherstellen = nullptr, *btnDarstell2D = nullptr;

signals:
    // Before a program replaces the editor's text (the chart hides) and after (the
    // overview is rebuilt).
    void ProgramReplacing();
    void ProgramReplaced();

public:
    // Message boxes of the window and of its command groups.
    QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const QString &text,
                                    QMessageBox::StandardButtons buttons);
    void ShowError(const QString &text);

    TumboSettings CurrentSettings() const;
    void ApplySettings(const TumboSettings &s);

    // --- editor language services (main_form_editor_services.cpp) ---
    tumbo::editor::TumboLexer *SynTumboSyn1 = nullptr;            // colours the program text
    tumbo::editor::ShortInputContextMenu *EditorContextMenu = nullptr;  // by ExtendedSyntax
    tumbo::editor::TemplateExpander *TemplateExpander1 = nullptr;  // Shift+Space
    tumbo::editor::CompletionPopup *SynCompletionProposal1 = nullptr;  // Ctrl+Space
    QToolButton *btnUebersicht = nullptr;
    void Formatieren1Click();  // Ctrl+F
    // Rebuilds the overview tree: the empty form, or the outline of the editor's program
    // after a silent compile. Nothing happens while a program runs.
    void UpdateOverview(bool empty);
    void btnUebersichtClick();

    // The width the overview column needs to show its top-level entries whole.
    int OverviewEntriesWidth() const;
    // Gives the overview column `width` pixels; the information list takes the rest.
    void SetOverviewWidth(int width) { SetPanelWidth(Splitter1, width); }
    // Gives the bottom panel `height` pixels; the panes above take the rest.
    void SetBottomHeight(int height);

private:
    void CreateEditorServices();
    void ApplyEditorServiceSettings(const TumboSettings &s);

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void CreateLayout();
    QWidget *CreateProgramPanel();
    QWidget *CreateWorldPanel();
    QWidget *CreateBottomPanel();
    QFrame *CreateBar(QHBoxLayout *&buttons);
    QToolButton *AddBarButton(QHBoxLayout *bar, const QString &name, const QString &hint,
                              const QIcon &icon, const QString &text = {});
    void CreateMenus();
    void ReleaseMenuKeysFromEditor();
    void CreateEngine();
    void ApplyPanelSizes();
    void SetPanelWidth(QSplitter *splitter, int first);

    std::unique_ptr<TWelt> welt_;
    std::unique_ptr<TWeltQt> weltQt_;  // the 3D and 2D views of the world
    TViewScaleControl *viewScale_ = nullptr;  // owned as a child
    std::unique_ptr<QtRunHost> host_;
    std::unique_ptr<TTumbo_Parser> parser_;
    std::unique_ptr<TTempWorld> tempWorld_;  // its file goes with the window
    TumboSettings settings_;  // values no dialog of this window changes yet, kept for writing
    bool shownOnce_ = false;
    int editorWidth_ = 385, bottomHeight_ = 160, codeViewWidth_ = 185;
    bool maximizedAtStart_ = true;
    bool editorWidthSet_ = true;
    bool presentationAtStart_ = false;  // tumbo.ini says the window left in presentation mode  // false while tumbo.ini holds no editor width
    TRunControl *runControl_ = nullptr;      // children of the window
    TFileCommands *fileCommands_ = nullptr;
    TWorldCommands *worldCommands_ = nullptr;
    std::unique_ptr<TRunHistory> history_;  // watches the world: goes before it
};

}  // namespace tumbo::app
