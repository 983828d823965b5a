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

QString DefaultSettingsFolder()
{
    const QString exe = ExecutableFolder();
    if (QFileInfo(exe).isWritable())
        return exe;
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    if (config.isEmpty())
        config = QDir::homePath() + QStringLiteral("/.config");
    return WithSlash(config + QStringLiteral("/tumbo"));
}

}  // namespace tumbo::app
