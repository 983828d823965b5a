#include "app/files/app_paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tumbo::app {
namespace {

QString WithSlash(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

}  // namespace

QString ExecutableFolder()
{
    return WithSlash(QCoreApplication::applicationDirPath());
}

bool IsInstalledFolder(const QString &folder)
{
    const QString clean = QDir::cleanPath(folder);
    if (clean == QLatin1String("/usr") || clean.startsWith(QLatin1String("/usr/")))
        return true;
    return QFileInfo(QDir(clean).filePath(QStringLiteral("../share/tumbo"))).isDir();
}

QString SettingsFolderFor(const QString &exeFolder, const QString &configHome)
{
    if (!IsInstalledFolder(exeFolder) && QFileInfo(exeFolder).isWritable())
        return WithSlash(exeFolder);
    return WithSlash(WithSlash(configHome) + QStringLiteral("tumbo"));
}

QString DefaultSettingsFolder()
{
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return SettingsFolderFor(ExecutableFolder(), config);
}

QString OpenFolderFor(const QString &exeFolder, const QString &homeFolder)
{
    return WithSlash(IsInstalledFolder(exeFolder) ? homeFolder : exeFolder);
}

QString DefaultOpenFolder()
{
    return OpenFolderFor(ExecutableFolder(), QDir::homePath());
}

}  // namespace tumbo::app
