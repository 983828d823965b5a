#pragma once
// The open course of the window: "Aufgabe → Kurs öffnen…" shows the panel "Kurs" beside the
// overview; a task chosen there opens together with the pupil's program for it, which lives
// in the pupil's folder and is saved (through the safe writer) when F9 or F10 is pressed and
// when the pupil turns to another task. Checks, hints and successes go into the pupil's
// progress; after "Alle Welten gelöst" the button "Nächste Aufgabe" leads on.
#include <QObject>
#include <QString>
#include <optional>

#include "app/task/pupil_folder.h"
#include "task/course_file.h"
#include "task/progress.h"

class QAction;

namespace tumbo::app {

class TCoursePanel;
class TMainForm;

inline const char *const kCourseFileFilter = "Kurse für Robot Tumbo (kurs.tdk)|*.tdk|Alle Dateien (*.*)|*.*";

class TCourseSession : public QObject {
    Q_OBJECT
public:
    // Puts "Kurs öffnen…" and "Kurs schließen" into the menu "Aufgabe" and the panel beside
    // the overview (hidden until a course opens).
    explicit TCourseSession(TMainForm &form);

    QAction *KursOeffnen1, *KursSchliessen1;

    // Opens the course in a folder (or its kurs.tdk); a damaged one is refused with a message
    // and the open course stays.
    bool OpenCourse(const QString &folderOrFile);
    void OpenCourseCommand();
    void CloseCourseCommand();
    // Opens task `index` (course order) with the pupil's program, after saving the one open.
    bool OpenCourseTask(int index);
    void NextTaskCommand();
    // Moves the pupil's work to another folder: the progress and programs are read from there.
    bool SetPupilFolder(const QString &folder);
    void ChangePupilFolderCommand();

    // At start: the course open when the window last closed, read from tumbo.ini.
    void ReopenLastCourse(const tumbo::text::IniFile &ini);
    void WriteSettings(tumbo::text::IniFile &ini) const;

    bool HasCourse() const { return course_.has_value(); }
    const tumbo::task::TLoadedCourse *Course() const { return course_ ? &*course_ : nullptr; }
    int CurrentTask() const { return current_; }
    QString PupilFolder() const { return folder_; }
    const tumbo::task::TProgress &Progress() const { return progress_; }
    TCoursePanel *Panel() const { return panel_; }
    // The pupil's program file for task `index`: "<folder>/<task>.tdp".
    QString ProgramPath(int index) const;

private:
    void CreateMenu();
    bool SaveProgram();
    void SaveProgress();
    void ShowPanel(bool show);
    void TaskChecked(bool solvedAll);
    std::string CurrentName() const;

    TMainForm &form_;
    TCoursePanel *panel_ = nullptr;
    std::optional<tumbo::task::TLoadedCourse> course_;
    tumbo::task::TProgress progress_;
    TPupilFolder remembered_;
    QString folder_;
    int current_ = -1;
};

}  // namespace tumbo::app
