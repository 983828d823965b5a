#include "app/history/replay_bar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QStyle>
#include <QToolButton>

#include <algorithm>
#include <limits>

#include "app/window/bar_metrics.h"
#include "app/window/pane_caption.h"

namespace tumbo::app {

TReplayBar::TReplayBar(QWidget *parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("ReplayBar"));
    setFrameShape(QFrame::StyledPanel);
    SetBarHeight(this);  // as high as the bars of buttons
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 4, 0);
    row->setSpacing(6);

    // The caption leads the bar, as the panes' captions head their panes.
    row->addWidget(CreatePaneCaption(QStringLiteral("Verlauf"), QStringLiteral("CaptionVerlauf"), this));

    Slider = new QSlider(Qt::Horizontal, this);
    Slider->setObjectName(QStringLiteral("sldVerlauf"));
    Slider->setToolTip(QStringLiteral("Den Verlauf des Programms Schritt für Schritt ansehen"));
    Slider->setAccessibleName(QStringLiteral("Verlauf"));
    Slider->setAccessibleDescription(Slider->toolTip());
    row->addWidget(Slider, 1);

    StepText = new QLabel(this);
    StepText->setObjectName(QStringLiteral("lblVerlaufSchritt"));
    StepText->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    row->addWidget(StepText);

    btnZumEnde = new QToolButton(this);
    btnZumEnde->setObjectName(QStringLiteral("btnZumEnde"));
    btnZumEnde->setText(QStringLiteral("Zum Ende"));
    btnZumEnde->setToolTip(QStringLiteral("Zum Ende des Verlaufs"));
    btnZumEnde->setIcon(style()->standardIcon(QStyle::SP_MediaSkipForward));
    btnZumEnde->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    btnZumEnde->setAutoRaise(true);
    btnZumEnde->setFocusPolicy(Qt::NoFocus);
    row->addWidget(btnZumEnde);

    // The slider counts from the first kept step, so a run of any length fits its range.
    connect(Slider, &QSlider::valueChanged, this, [this](int value) {
        const uint64_t step = first_ + uint64_t(value);
        ShowStepText(step);
        emit StepChosen(step);
    });
    connect(btnZumEnde, &QToolButton::clicked, this, [this] { Slider->setValue(Slider->maximum()); });
    hide();
}

void TReplayBar::Offer(uint64_t first, uint64_t last)
{
    first_ = first;
    last_ = last;
    const int count = int(std::min<uint64_t>(last - first, uint64_t(std::numeric_limits<int>::max())));
    {
        const QSignalBlocker quiet(Slider);
        Slider->setRange(0, count);
        Slider->setPageStep(std::max(1, count / 20));
        Slider->setValue(count);
    }
    ShowStepText(last);
    // Wide enough for the longest number, so the slider does not jump while it moves.
    StepText->setMinimumWidth(
        StepText->fontMetrics().horizontalAdvance(QStringLiteral("Schritt %1 von %1").arg(last + 1)));
    show();
}

void TReplayBar::Withdraw()
{
    hide();
}

void TReplayBar::ShowStepText(uint64_t step)
{
    StepText->setText(QStringLiteral("Schritt %1 von %2").arg(step + 1).arg(last_ + 1));
    btnZumEnde->setEnabled(step < last_);
}

}  // namespace tumbo::app
