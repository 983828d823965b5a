// Robot Tumbo: the window application.
#include <QApplication>

#include "app/dialog_commands.h"
#include "app/main_form.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Robot Tumbo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Robot Tumbo"));
    QStringList args = QApplication::arguments();
    args.removeFirst();
    tumbo::app::TMainForm form(args);
    // The tips window belongs to the dialogs the window carries.
    form.ShowTipsAtStart = [&form] {
        if (auto *dialogs = form.findChild<tumbo::app::TDialogCommands *>())
            dialogs->TipsCommand();
    };
    form.ShowAtStart();
    return app.exec();
}
