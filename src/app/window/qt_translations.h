#pragma once
// The window speaks German; so should the dialogs that come from Qt itself (open and save
// files, colours, printing) and the standard button texts, and its numbers.
class QCoreApplication;

namespace tumbo::app {

// Installs Qt's own German translations on `app` when they are present on the system;
// returns false when none could be loaded (the standard dialogs then stay in English).
bool InstallGermanQtTranslations(QCoreApplication &app);

}  // namespace tumbo::app

namespace tumbo::app {

// Numbers are written the German way ("0,00 s", "1.000.000") whatever the system's locale.
void UseGermanNumbers();

}  // namespace tumbo::app
