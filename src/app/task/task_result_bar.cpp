#include "app/task/task_result_bar.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QStyle>

namespace tumbo::app {

TTaskResultBar::TTaskResultBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("TaskResultBar"));
    btnTipp = new QPushButton(QStringLiteral("Tipp"), this);
    btnTipp->setObjectName(QStringLiteral("btnTipp"));
    btnTipp->setToolTip(QStringLiteral("Zeigt den nächsten Tipp zu dieser Aufgabe"));
    btnNaechsteAufgabe = new QPushButton(QStringLiteral("Nächste Aufgabe"), this);
    btnNaechsteAufgabe->setObjectName(QStringLiteral("btnNaechsteAufgabe"));
    btnNaechsteAufgabe->setIcon(style()->standardIcon(QStyle::SP_ArrowForward));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(btnTipp);
    row->addWidget(btnNaechsteAufgabe);
    row->addStretch(1);
    connect(btnTipp, &QPushButton::clicked, this, &TTaskResultBar::HintRequested);
    connect(btnNaechsteAufgabe, &QPushButton::clicked, this, &TTaskResultBar::NextTaskRequested);
    btnTipp->hide();
    btnNaechsteAufgabe->hide();
    hide();
}

void TTaskResultBar::OfferHint(bool offer)
{
    btnTipp->setVisible(offer);
    UpdateVisibility();
}

void TTaskResultBar::OfferNextTask(bool offer)
{
    btnNaechsteAufgabe->setVisible(offer);
    UpdateVisibility();
}

void TTaskResultBar::UpdateVisibility()
{
    setVisible(!btnTipp->isHidden() || !btnNaechsteAufgabe->isHidden());
}

}  // namespace tumbo::app
