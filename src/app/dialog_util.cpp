#include "app/dialog_util.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QWidget>

namespace tumbo::app {

void CenterOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void ShowGeneralError(QWidget *parent, const QString &message)
{
    QMessageBox::critical(parent, QStringLiteral("Robot Tumbo"), message);
}

}  // namespace tumbo::app
