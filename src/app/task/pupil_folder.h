#pragma once
// Where the pupil's work for a course lies: the programs of its tasks and fortschritt.ini.
// By default "~/Tumbo/<course title>/"; a folder the pupil chose is remembered in tumbo.ini
// with the course last opened ([Kurs] Letzter=, Ordner=), so the course reopens at start.
#include <QString>

#include "text/ini_file.h"

namespace tumbo::app {

class TPupilFolder {
public:
    // The folder for a course: the one chosen for it, else the default below `home`.
    QString FolderFor(const QString &courseFolder, const std::string &courseTitle, const QString &home) const;
    // The course is open with its pupil's folder; `chosen` when the pupil picked it.
    void Remember(const QString &courseFolder, const QString &folder, bool chosen);
    void Forget() { course_.clear(), folder_.clear(); }

    QString LastCourse() const { return course_; }
    void Read(const tumbo::text::IniFile &ini);
    void Write(tumbo::text::IniFile &ini) const;

private:
    QString course_;  // the course last opened
    QString folder_;  // the folder the pupil chose for it, or empty for the default
};

}  // namespace tumbo::app
