#include "app/help/dlg_tips.h"

#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "app/dialogs/dialog_util.h"
#include "app/files/data_files.h"
#include "app/help/tips_file.h"

namespace tumbo::app {

namespace {

// A light bulb for the picture column.
QPixmap BulbPicture()
{
    QPixmap pixmap(48, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 100, 0), 2));
    p.setBrush(QColor(255, 230, 80));
    p.drawEllipse(QRectF(6, 4, 36, 36));
    p.setBrush(QColor(255, 230, 80));
    p.drawRect(QRectF(16, 36, 16, 8));
    p.setBrush(QColor(150, 150, 150));
    p.setPen(QPen(QColor(90, 90, 90), 1));
    for (int i = 0; i < 3; ++i)
        p.drawRect(QRectF(15, 45 + i * 5, 18, 4));
    p.setPen(QPen(QColor(255, 255, 255), 2));
    p.drawArc(QRectF(12, 10, 18, 18), 100 * 16, 70 * 16);
    return pixmap;
}

}  // namespace

TTipsForm::TTipsForm(QWidget *parent) : QDialog(parent), tipsFile_(FindDataFile(QStringLiteral("tipps.txt")))
{
    setWindowTitle(QStringLiteral("Tipps und Tricks zu Robot Tumbo"));
    setWindowFlags(DialogCloseOnlyFlags);

    auto *picture = new QLabel(this);
    picture->setPixmap(BulbPicture());
    picture->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    picture->setAutoFillBackground(true);
    picture->setFixedWidth(64);
    QPalette columnPalette = picture->palette();
    columnPalette.setColor(QPalette::Window, QColor(128, 128, 128));
    picture->setPalette(columnPalette);
    picture->setContentsMargins(0, 12, 0, 0);

    auto *heading = new QLabel(QStringLiteral("Weißt du schon ?"), this);
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);

    TipText = new QLabel(this);
    TipText->setObjectName(QStringLiteral("TipText"));
    TipText->setWordWrap(true);
    TipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    TipText->setTextFormat(Qt::PlainText);
    TipText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);
    auto *panelLayout = new QVBoxLayout(panel);
    panelLayout->addWidget(TipText, 1);

    auto *tipColumn = new QVBoxLayout;
    tipColumn->addWidget(heading);
    tipColumn->addWidget(panel, 1);

    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addLayout(tipColumn, 1);

    chkShowTips = new QCheckBox(QStringLiteral("beim nächsten Programmstart anzeigen"), this);
    chkShowTips->setObjectName(QStringLiteral("chkShowTips"));
    chkShowTips->setChecked(true);
    btnNext = new QPushButton(QStringLiteral("Nächster Tipp"), this);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnNext->setAutoDefault(false);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setDefault(true);
    connect(btnNext, &QPushButton::clicked, this, &TTipsForm::NextTip);
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(chkShowTips);
    bottom->addStretch();
    bottom->addWidget(btnNext);
    bottom->addWidget(btnOK);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    resize(QSize(432, 224).expandedTo(sizeHint()));
}

bool TTipsForm::ShowTips() const { return chkShowTips->isChecked(); }
void TTipsForm::SetShowTips(bool show) { chkShowTips->setChecked(show); }

bool TTipsForm::LoadTip()
{
    const TTipLoad load = LoadTipFromFile(tipsFile_, tipNumber_);
    if (load.status == TTipLoad::FileError) {
        if (report_)
            report_(load.message);
        else
            ShowGeneralError(this, load.message);
        return false;
    }
    tipNumber_ = load.tipNumber;
    TipText->setText(ReflowTip(load.text));
    if (load.status == TTipLoad::BadHeader) {
        if (report_)
            report_(load.message);
        else
            ShowGeneralError(this, load.message);
    }
    return load.status == TTipLoad::Found;
}

void TTipsForm::NextTip()
{
    ++tipNumber_;
    LoadTip();
}

void TTipsForm::Execute(TumboSettings &settings)
{
    SetShowTips(settings.ShowTips);
    SetTipNumber(settings.LastTip);
    exec();
    settings.ShowTips = ShowTips();
    settings.LastTip = TipNumber();
}

void TTipsForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    CenterOnScreen(this);
    if (!event->spontaneous())
        NextTip();
}

}  // namespace tumbo::app
