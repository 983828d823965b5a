#include "world/qt/new_room_dlg.h"

#include "world/qt/spin_edit.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tumbo::world {

TNewRoomDlg::TNewRoomDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Neue Welt"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    speBreite = new TSpinEdit(1, MaxWidth, this);
    speLaenge = new TSpinEdit(1, MaxLength, this);
    speHoehe = new TSpinEdit(0, MaxHeight, this);
    speBreite->setObjectName(QStringLiteral("speBreite"));
    speLaenge->setObjectName(QStringLiteral("speLaenge"));
    speHoehe->setObjectName(QStringLiteral("speHoehe"));
    speBreite->setToolTip(QStringLiteral("1 bis 100 Felder; die Welt braucht mindestens eine Spalte"));
    speLaenge->setToolTip(QStringLiteral("1 bis 100 Felder; die Welt braucht mindestens eine Reihe"));
    speHoehe->setToolTip(QStringLiteral("0 bis 10 Ziegel"));
    SetExtent(10, 10, 10);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Breite"), speBreite);
    form->addRow(QStringLiteral("Länge"), speLaenge);
    form->addRow(QStringLiteral("Höhe"), speHoehe);

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("&OK"), QDialogButtonBox::AcceptRole);
    QPushButton *cancel = buttons->addButton(QStringLiteral("&Abbrechen"), QDialogButtonBox::RejectRole);
    ok->setObjectName(QStringLiteral("btnOK"));
    cancel->setObjectName(QStringLiteral("btnAbbrechen"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Ausdehnung der neuen Welt "), this));
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TNewRoomDlg::SetExtent(int width, int length, int height)
{
    speBreite->setValue(width);  // setValue keeps the value inside the range
    speLaenge->setValue(length);
    speHoehe->setValue(height);
}

void TNewRoomDlg::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    speBreite->setFocus(Qt::OtherFocusReason);
    speBreite->selectAll();
}

int TNewRoomDlg::RoomWidth() const { return speBreite->CommittedValue(); }
int TNewRoomDlg::RoomLength() const { return speLaenge->CommittedValue(); }
int TNewRoomDlg::RoomHeight() const { return speHoehe->CommittedValue(); }

}  // namespace tumbo::world
