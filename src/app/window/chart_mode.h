#pragma once
// The structure chart in the main window: the chart object, its paint box pbDiagramm, the
// four chart buttons on the world navigator and the menu "S&truktogramm", wired to the
// chart commands.
#include <QObject>
#include <memory>

#include "chart/qt/chart_mode.h"
#include "chart/qt/struktogramm.h"

class QToolButton;

namespace tumbo::app {

class TMainForm;

class ChartMode : public QObject {
    Q_OBJECT
public:
    explicit ChartMode(TMainForm &form);
    ~ChartMode() override;

    // Hides the chart as btnDiagrEnde does; the program commands new and open call it first.
    void HideChart();
    bool IsChartShown() const { return commands_->IsChartShown(); }

    TStruktogramm Chart;
    QToolButton *btnDiagrEnde = nullptr, *btnDiagrSpeichern = nullptr, *btnDiagrKopieren = nullptr,
                *btnDiagrDrucken = nullptr;
    TChartCommands &Commands() { return *commands_; }

private:
    void CreateButtons();
    void TagProgramNavigator();

    TMainForm &form_;
    std::unique_ptr<TChartCommands> commands_;
};

}  // namespace tumbo::app
