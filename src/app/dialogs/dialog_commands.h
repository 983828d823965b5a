#pragma once
// The main window's commands that open the program's dialogs: printing, print
// preview and printer set-up, go to line, search, replace and search next, the robot
// and editor settings, help, tips and program information. Created once by the main
// window (after its menus and editor exist); connects and enables the menu items.
#include <QObject>

#include "app/print/program_printer.h"
#include "app/search/search_state.h"

namespace tumbo::app {

class TMainForm;
class TSettingsDlgE;
class TSettingsDlgK;
class TGotoDlg;
class TTipsForm;
class TAbout_Box;
class THelpWindow;

class TDialogCommands : public QObject {
    Q_OBJECT
public:
    explicit TDialogCommands(TMainForm *form);
    ~TDialogCommands() override;

    void PrintCommand();          // "&Drucken", Ctrl+P
    void PrintPreviewCommand();   // "Seitenansicht"
    void PrinterSetupCommand();   // "Drucker einrichten"
    void GotoLineCommand();       // "&Gehe zu Zeile...", Ctrl+G
    void SearchCommand();         // "Su&chen ...", Ctrl+U
    void ReplaceCommand();        // "Erset&zen ...", Ctrl+E
    void SearchNextCommand();     // "&Weitersuchen", F3
    void RobotSettingsCommand();  // "&Einstellungen" / "Tumbo"
    void EditorSettingsCommand(); // "&Einstellungen" / "Editor"
    void HelpCommand();           // "&Inhalt", F1
    void TipsCommand();           // "&Tipps"; also at start when ShowTips is set
    void AboutCommand();          // "Programminf&o"

    // The editor's font size in points; not stored, 10 at each start.
    int EditorFontSize() const { return fontSize_; }
    void SetEditorFontSize(int points);

    TSearchState Search;
    TProgramPrinter Printer;
    TSettingsDlgE *SettingsDlgE;
    TSettingsDlgK *SettingsDlgK;
    TGotoDlg *GotoDlg;
    TTipsForm *TipsForm;
    TAbout_Box *AboutBox;
    THelpWindow *HelpWindow;

private:
    TMainForm *form_;
    int fontSize_ = 10;
};

}  // namespace tumbo::app
