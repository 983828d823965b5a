#pragma once
// The view scale of the world views and the structure chart: the commands "Größer",
// "Kleiner", "Originalgröße" and "Einpassen" (menu "A&nsicht", Ctrl++, Ctrl+-, Ctrl+0,
// Ctrl with the mouse wheel), fitting the shown view into the pane while "Einpassen" is
// on (also after the pane was resized), and keeping the robot in sight.
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QMenuBar;
class QScrollArea;
class QWidget;
class TStruktogramm;
class TWeltQt;

namespace tumbo::app {

class TViewScaleControl : public QObject {
    Q_OBJECT
public:
    // `updateScrollRanges` is the window's UpdateScrollRanges, called after the scale
    // changed the size of what is shown.
    TViewScaleControl(TWeltQt &views, TStruktogramm &chart, QScrollArea &pane,
                      std::function<void()> updateScrollRanges, QObject *parent);

    // Puts the menu "A&nsicht" right after the menu `after` (at the end without one).
    QMenu *AddMenu(QMenuBar *bar, QMenu *after);

    QAction *Larger = nullptr;   // "Größer"
    QAction *Smaller = nullptr;  // "Kleiner"
    QAction *Original = nullptr; // "Originalgröße"
    QAction *Fit = nullptr;      // "Einpassen", checkable

    double Scale() const { return scale_; }
    bool Fitting() const;

    // The value kept in tumbo.ini: the scale in percent, 0 while fitting.
    int StoredPercent() const;
    // Takes a stored value; 0, a missing key or a value outside the scales a view takes
    // (10 .. 400) means fitting.
    void Restore(int percent);

    // The shown content changed (new, opened or restored world, 2D/3D, chart): when
    // fitting, the scale follows; call before the scroll ranges are set.
    void Refit();
    // Scrolls the pane so that the robot is visible with two fields around it, if it is not
    // (world views only).
    void KeepRobotInSight();
    // Sizes the pane's scrolled area for a shown view of `shown` pixels; a world view
    // (`world`) smaller than the pane is put into its middle. Done again when the pane
    // changes its size.
    void LayOut(QSize shown, bool world);
    // The robot with the fields around it that KeepRobotInSight keeps visible, in the
    // scrolled area.
    QRect RobotSightRect() const;

    void ZoomIn();
    void ZoomOut();
    void ShowOriginalSize();
    void FitIntoPane();

signals:
    // The scale changed (also by fitting), in per cent.
    void ScaleChanged(int percent);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // `anchor` (a point of the pane, its middle by default) shows the same point of the
    // world before and after.
    void SetScale(double scale, bool fitting, std::optional<QPoint> anchor = std::nullopt);
    double FittingScale() const;
    // The size the pane's viewport has once its scroll bars fit a content of `content` pixels.
    QSize ViewportSize(QSize content) const;
    bool ChartShown() const;
    QWidget *ShownWorldView() const;
    // Where what the pane shows starts in the scrolled area (the margin is not scaled).
    QPoint ShownOrigin() const;

    TWeltQt &views_;
    TStruktogramm &chart_;
    QScrollArea &pane_;
    std::function<void()> updateScrollRanges_;
    double scale_ = 1.0;
    bool refitPending_ = false;
    QSize shown_;  // as last laid out
    bool worldShown_ = true;
};

}  // namespace tumbo::app
