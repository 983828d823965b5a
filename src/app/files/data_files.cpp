#include "app/files/data_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tumbo::app {

QStringList DataFileCandidatesFor(const QString &exeFolder, const QString &relative,
                                  const QStringList &dataFolders)
{
    const QDir exe(exeFolder);
    QStringList candidates;
    candidates << QDir::cleanPath(exe.filePath(relative));
    candidates << QDir::cleanPath(exe.filePath(QStringLiteral("../share/tumbo/") + relative));
    for (const QString &folder : dataFolders)
        candidates << QDir::cleanPath(QDir(folder).filePath(QStringLiteral("tumbo/") + relative));
    candidates.removeDuplicates();
    return candidates;
}

QStringList DataFileCandidates(const QString &relative)
{
    return DataFileCandidatesFor(QCoreApplication::applicationDirPath(), relative,
                                 QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation));
}

QString FirstExistingDataFile(const QStringList &candidates)
{
    for (const QString &path : candidates)
        if (QFileInfo::exists(path))
            return path;
    return candidates.first();
}

QString FindDataFile(const QString &relative)
{
    return FirstExistingDataFile(DataFileCandidates(relative));
}

}  // namespace tumbo::app
