#pragma once

#include <QWidget>
#include <functional>

class TStruktogramm;
class TTumbo_Program;

// The paint box that shows the structure chart on screen (pbDiagramm). Its size is set by
// the chart's Prepare; every repaint draws the tree the engine holds at that moment.
class TChartPaintBox : public QWidget
{
    Q_OBJECT
public:
    explicit TChartPaintBox(QWidget *parent = nullptr);

    // The chart drawn here and where its tree comes from; both set by the window.
    TStruktogramm *Chart = nullptr;
    std::function<const TTumbo_Program *()> Tree;

protected:
    void paintEvent(QPaintEvent *event) override;
};
