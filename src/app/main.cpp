// Robot Tumbo: the window application.
#include <QApplication>
#include <QIcon>
#include <QTimer>

#include "app/dialogs/dialog_commands.h"
#include "app/window/main_form.h"
#include "app/window/qt_translations.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Robot Tumbo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Robot Tumbo"));
    // The window belongs to the menu entry tumbo.desktop (Wayland desktops match them by
    // this name); the icon shows in its title bar and the task bar.
    QApplication::setDesktopFileName(QStringLiteral("tumbo"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/tumbo.svg")));
    tumbo::app::InstallGermanQtTranslations(app);
    tumbo::app::UseGermanNumbers();
    QStringList args = QApplication::arguments();
    args.removeFirst();
    tumbo::app::TMainForm form(args);
    // The settings, search, print, tips and help dialogs with their menu commands;
    // owned by the window. Window tests that need them create them the same way.
    auto *dialogs = new tumbo::app::TDialogCommands(&form);
    // The tips come once the window is on the screen, so they stand in front of it.
    form.ShowTipsAtStart = [dialogs] {
        QTimer::singleShot(0, dialogs, [dialogs] { dialogs->TipsCommand(); });
    };
    form.ShowAtStart();
    return app.exec();
}
