#include "app/task/pupil_folder.h"

#include <QDir>
#include <QFile>

#include "task/progress.h"

namespace tumbo::app {
namespace {

constexpr const char *kSection = "Kurs";

}  // namespace

QString TPupilFolder::FolderFor(const QString &courseFolder, const std::string &courseTitle, const QString &home) const
{
    if (!folder_.isEmpty() && QDir(course_) == QDir(courseFolder))
        return folder_;
    return QString::fromStdString(tumbo::task::DefaultPupilFolder(QFile::encodeName(home).toStdString(), courseTitle));
}

void TPupilFolder::Remember(const QString &courseFolder, const QString &folder, bool chosen)
{
    if (QDir(course_) != QDir(courseFolder))
        folder_.clear();
    course_ = courseFolder;
    if (chosen)
        folder_ = folder;
}

void TPupilFolder::Read(const tumbo::text::IniFile &ini)
{
    course_ = QString::fromStdString(ini.ReadString(kSection, "Letzter", ""));
    folder_ = QString::fromStdString(ini.ReadString(kSection, "Ordner", ""));
}

void TPupilFolder::Write(tumbo::text::IniFile &ini) const
{
    ini.WriteString(kSection, "Letzter", course_.toStdString());
    ini.WriteString(kSection, "Ordner", folder_.toStdString());
}

}  // namespace tumbo::app
