#pragma once
// Folders the window works with; each ends with "/".
#include <QString>

namespace tumbo::app {

// The folder of the running executable.
QString ExecutableFolder();
// Where tumbo.ini lives without "/I": beside the executable when that folder is
// writable, else $XDG_CONFIG_HOME/tumbo/ (usually ~/.config/tumbo/).
QString DefaultSettingsFolder();

}  // namespace tumbo::app
