#pragma once
// The program and world file commands of the main window: new, open and save with their
// dialogs and questions, the world of a program's name, dropped files, the recently
// opened programs in "&Datei" and the crash-recovery file of unsaved program text. The
// window creates it once its controls, the engine and the run control exist; it connects
// the file buttons and menu items itself.
#include <QList>
#include <QObject>
#include <QStringList>

#include "text/text_file.h"

class QAction;
class QTimer;

namespace tumbo::text {
class IniFile;
}

namespace tumbo::app {

using tumbo::text::IniFile;
class TMainForm;
class TRecoveryFile;

class TFileCommands : public QObject {
    Q_OBJECT
public:
    explicit TFileCommands(TMainForm &form);

    void NewProgramCommand();
    void OpenProgramCommand();
    void SaveProgramCommand();    // Ctrl+S
    void SaveProgramAsCommand();  // F12
    void OpenWorldCommand();
    void SaveWorldCommand();
    void SaveWorldAsCommand();
    // Steps of "Öffnen" after the dialog: the program, the world of its name, the list.
    bool OpenProgram(const QString &path);
    // Steps of "Öffnen Welt..." after the dialog; a file that is not a world is refused.
    bool OpenWorld(const QString &path);
    // Opens dropped files: the first program (after the unsaved-program question), then
    // the first world.
    void OpenFiles(const QStringList &paths);
    // The unsaved-program question; false when the command must stop (Cancel, or Yes
    // and the program was not saved).
    bool AskSaveChangedProgram(const QString &question);
    bool AskSaveChangedProgram();  // with the question of New and Open

    // The editor's text from and to its file (also at start-up and by the close query).
    bool LoadProgramFile(const QString &path);
    bool SaveProgram();
    bool SaveProgramAs();

    // After the settings are read: the recent programs and this window's recovery file.
    void StartFileServices();
    void WriteRecentPrograms(IniFile &ini) const;
    QStringList RecentPrograms() const { return recentPrograms_; }
    TRecoveryFile *Recovery() const { return recovery_; }
    // Offers the programs that windows gone without closing left behind.
    void OfferRecovery();

protected:
    // Dropped files on the window and on the editor; the recovery offer once it is shown.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Connect();
    bool WriteProgram(const QString &path);
    bool DropEvent(QEvent *event);
    void LoadRecentPrograms();
    void AddRecentProgram(const QString &path);
    void UpdateRecentMenu();
    void KeepRecovery();

    TMainForm &form_;
    tumbo::text::TextFormat programFormat_ = tumbo::text::kNewFileFormat;
    QStringList recentPrograms_;
    QList<QAction *> recentActions_;
    TRecoveryFile *recovery_ = nullptr;  // a child of this object
    QTimer *recoveryTimer_ = nullptr;
    bool recoveryOffered_ = false;
};

}  // namespace tumbo::app
