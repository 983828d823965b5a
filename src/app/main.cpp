// Robot Tumbo: the window application.
#include <QApplication>

#include "app/main_form.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Robot Tumbo"));
    QApplication::setApplicationDisplayName(QStringLiteral("Robot Tumbo"));
    QStringList args = QApplication::arguments();
    args.removeFirst();
    tumbo::app::TMainForm form(args);
    form.ShowAtStart();
    return app.exec();
}
