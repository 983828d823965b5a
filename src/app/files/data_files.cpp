#include "app/files/data_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tumbo::app {

QStringList DataFileCandidates(const QString &relative)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    QStringList candidates;
    candidates << QDir(exeDir).filePath(relative);
    // An installation puts the program in <prefix>/bin and the data in <prefix>/share/tumbo.
    candidates << QDir::cleanPath(QDir(exeDir).filePath(QStringLiteral("../share/tumbo/") + relative));
    for (const QString &dir : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        candidates << QDir(dir).filePath(QStringLiteral("tumbo/") + relative);
    candidates.removeDuplicates();
    return candidates;
}

QString FindDataFile(const QString &relative)
{
    const QStringList candidates = DataFileCandidates(relative);
    for (const QString &path : candidates)
        if (QFileInfo::exists(path))
            return path;
    return candidates.first();
}

}  // namespace tumbo::app
