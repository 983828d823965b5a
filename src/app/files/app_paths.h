#pragma once
// Folders the window works with; each ends with "/".
#include <QString>

namespace tumbo::app {

// The folder of the running executable.
QString ExecutableFolder();

// Whether `folder` belongs to an installation rather than to a copy of the user's own:
// anything under /usr, or a <prefix>/bin whose <prefix>/share/tumbo holds the data.
// Such a folder never receives tumbo.ini, not even when it is writable (as for root).
bool IsInstalledFolder(const QString &folder);

// Where tumbo.ini lives without "/I" for a program in `exeFolder`: beside it when that
// folder is writable and not installed, else in `configHome` + "tumbo/".
QString SettingsFolderFor(const QString &exeFolder, const QString &configHome);
// The same for the running program, with $XDG_CONFIG_HOME (usually ~/.config/).
QString DefaultSettingsFolder();

// The first folder of the open and save dialogs for a program in `exeFolder`: that
// folder, or `homeFolder` when it is installed (pupils cannot save into /usr/bin).
QString OpenFolderFor(const QString &exeFolder, const QString &homeFolder);
// The same for the running program and the user's home folder.
QString DefaultOpenFolder();

}  // namespace tumbo::app
