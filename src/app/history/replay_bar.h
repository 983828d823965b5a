#pragma once
// The timeline of a finished run, above the information list: a slider over the run's
// kept steps, the number of the step shown and "Zum Ende". It only shows and reports; the
// run history decides what a chosen step means. Hidden while there is nothing to replay.
#include <QFrame>

#include <cstdint>

class QLabel;
class QSlider;
class QToolButton;

namespace tumbo::app {

class TReplayBar : public QFrame {
    Q_OBJECT
public:
    explicit TReplayBar(QWidget *parent = nullptr);

    // Shows the bar over steps first..last (counted from 0) with the last one chosen.
    void Offer(uint64_t first, uint64_t last);
    void Withdraw();

    QSlider *Slider = nullptr;
    QLabel *StepText = nullptr;
    QToolButton *btnZumEnde = nullptr;

signals:
    void StepChosen(uint64_t step);

private:
    void ShowStepText(uint64_t step);

    uint64_t first_ = 0;
    uint64_t last_ = 0;
};

}  // namespace tumbo::app
