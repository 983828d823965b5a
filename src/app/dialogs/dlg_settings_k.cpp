#include "app/dialogs/dlg_settings_k.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "app/dialogs/dialog_util.h"
#include "world/qt/spin_edit.h"

namespace tumbo::app {

TSettingsDlgK::TSettingsDlgK(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Einstellungen Tumbo"));
    setWindowFlags(DialogCloseOnlyFlags);

    // Step delay: a track bar from 0 to 2 seconds with its value beside the caption.
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName(QStringLiteral("TrackBar1"));
    TrackBar1->setRange(0, 2000);
    TrackBar1->setSingleStep(10);
    TrackBar1->setPageStep(50);
    TrackBar1->setTickInterval(100);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    lblDelay = new QLabel(QStringLiteral(" 0.00 s"), this);
    lblDelay->setObjectName(QStringLiteral("lblDelay"));
    connect(TrackBar1, &QSlider::valueChanged, this, &TSettingsDlgK::UpdateDelayField);
    auto *delayCaption = new QHBoxLayout;
    delayCaption->addWidget(new QLabel(QStringLiteral("Ablaufverzögerung:"), this));
    delayCaption->addWidget(lblDelay);
    delayCaption->addStretch();
    auto *delayEnds = new QHBoxLayout;
    delayEnds->addWidget(new QLabel(QStringLiteral("0 Sekunden"), this));
    delayEnds->addStretch();
    delayEnds->addWidget(new QLabel(QStringLiteral("2 Sekunden"), this));

    chkRestoreWelt = new QCheckBox(QStringLiteral("Vor Programmstart gespeicherte Welt wiederherstellen"), this);
    chkRestoreWelt->setObjectName(QStringLiteral("chkRestoreWelt"));

    speMaxJump = new TSpinEdit(1, 10, this);
    speMaxJump->setObjectName(QStringLiteral("speMaxJump"));
    auto *jumpRow = new QHBoxLayout;
    auto *jumpLabel = new QLabel(QStringLiteral("Anzahl der Ziegel, um die Tumbo maximal hoch-/tiefspringen kann"), this);
    jumpLabel->setWordWrap(true);
    jumpRow->addWidget(speMaxJump);
    jumpRow->addWidget(jumpLabel, 1);

    chkZiegel = new QCheckBox(QStringLiteral("Anzahl der Ziegel kontrollieren, welche Tumbo mit sich tragen kann"), this);
    chkZiegel->setObjectName(QStringLiteral("chkZiegel"));
    connect(chkZiegel, &QCheckBox::clicked, this, &TSettingsDlgK::UpdateBrickFields);
    speStartZiegel = new TSpinEdit(0, 999, this);
    speStartZiegel->setObjectName(QStringLiteral("speStartZiegel"));
    speMaxZiegel = new TSpinEdit(1, 999, this);
    speMaxZiegel->setObjectName(QStringLiteral("speMaxZiegel"));
    auto *brickRow = new QHBoxLayout;
    brickRow->addSpacing(20);
    brickRow->addWidget(new QLabel(QStringLiteral("beim Start"), this));
    brickRow->addWidget(speStartZiegel);
    brickRow->addSpacing(20);
    brickRow->addWidget(new QLabel(QStringLiteral("maximal"), this));
    brickRow->addWidget(speMaxZiegel);
    brickRow->addStretch();
    lblFixed = new QLabel(this);
    lblFixed->setObjectName(QStringLiteral("lblFixed"));
    lblFixed->setWordWrap(true);
    lblFixed->hide();

    auto *errors = new QGroupBox(QStringLiteral(" Verhalten bei Ablauffehler "), this);
    errors->setObjectName(QStringLiteral("rgIError"));
    auto *errorLayout = new QVBoxLayout(errors);
    rgIError = new QButtonGroup(this);
    const char *errorItems[3] = {"keine Auswirkungen", "nur Hinweis ausgeben", "Programmabbruch"};
    for (int i = 0; i < 3; ++i) {
        auto *radio = new QRadioButton(QString::fromUtf8(errorItems[i]), errors);
        rgIError->addButton(radio, i);
        errorLayout->addWidget(radio);
    }

    QHBoxLayout *buttons = MakeOkCancelRow(this, Button2, Button1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(delayCaption);
    layout->addWidget(TrackBar1);
    layout->addLayout(delayEnds);
    layout->addWidget(chkRestoreWelt);
    layout->addLayout(jumpRow);
    layout->addWidget(chkZiegel);
    layout->addLayout(brickRow);
    layout->addWidget(lblFixed);
    layout->addWidget(errors);
    layout->addStretch();
    layout->addLayout(buttons);

    resize(sizeHint().expandedTo(QSize(417, 392)));
}

QString TSettingsDlgK::DelayText(int milliseconds)
{
    QString number = QString::number(milliseconds / 1000.0, 'f', 2);
    number.replace(u'.', QLocale().decimalPoint());
    return QStringLiteral(" %1 s").arg(number);
}

void TSettingsDlgK::Load(const TumboSettings &s)
{
    TrackBar1->setValue(s.Delay);
    UpdateDelayField();
    chkRestoreWelt->setChecked(s.RestoreWorld);
    speMaxJump->setValue(s.MaxJump);
    chkZiegel->setChecked(s.CheckBrick);
    speMaxZiegel->setValue(s.MaxBrick);
    speStartZiegel->setValue(s.BrickStart);
    const int errorIndex = s.Hint ? 1 : (s.StopOnError ? 2 : 0);
    rgIError->button(errorIndex)->setChecked(true);
    UpdateBrickFields();
}

void TSettingsDlgK::Store(TumboSettings &s) const
{
    s.Delay = TrackBar1->value();
    s.RestoreWorld = chkRestoreWelt->isChecked();
    s.MaxJump = speMaxJump->CommittedValue();
    if (chkZiegel->isChecked()) {
        s.CheckBrick = true;
        s.MaxBrick = speMaxZiegel->CommittedValue();
        s.BrickStart = speStartZiegel->CommittedValue();
    } else {
        s.CheckBrick = false;
    }
    s.Hint = rgIError->checkedId() == 1;
    s.StopOnError = rgIError->checkedId() == 2;
}

void TSettingsDlgK::UpdateDelayField()
{
    lblDelay->setText(DelayText(TrackBar1->value()));
}

void TSettingsDlgK::SetRobotFieldsFixed(const QString &why)
{
    fixed_ = !why.isEmpty();
    lblFixed->setText(why);
    lblFixed->setVisible(fixed_);
    speMaxJump->setEnabled(!fixed_);
    chkZiegel->setEnabled(!fixed_);
    UpdateBrickFields();
}

void TSettingsDlgK::UpdateBrickFields()
{
    speStartZiegel->setEnabled(chkZiegel->isChecked() && !fixed_);
    speMaxZiegel->setEnabled(chkZiegel->isChecked() && !fixed_);
}

void TSettingsDlgK::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    UpdateDelayField();
    UpdateBrickFields();
    CenterOnScreen(this);
}

}  // namespace tumbo::app
