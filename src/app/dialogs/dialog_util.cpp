#include "app/dialogs/dialog_util.h"

#include <QDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
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

QHBoxLayout *MakeOkCancelRow(QDialog *dialog, QPushButton *&Button2, QPushButton *&Button1)
{
    Button2 = new QPushButton(QStringLiteral("OK"), dialog);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setDefault(true);
    Button1 = new QPushButton(QStringLiteral("Abbrechen"), dialog);
    Button1->setObjectName(QStringLiteral("Button1"));
    QObject::connect(Button2, &QPushButton::clicked, dialog, &QDialog::accept);
    QObject::connect(Button1, &QPushButton::clicked, dialog, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    return buttons;
}

}  // namespace tumbo::app
