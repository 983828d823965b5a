#include "app/world/view_scale_control.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "chart/qt/struktogramm.h"
#include "world/qt/view_scale.h"
#include "world/qt/welt_qt.h"

namespace tumbo::app {
namespace {

// The views sit 20 pixels from the left of the scrolled area, which is 10 pixels taller
// than they are; a fitted view keeps as much room at its right and bottom.
const QSize kMargins(20, 10);

QAction *MakeAction(QObject *parent, const char *text, const char *name, const QKeySequence &key)
{
    auto *action = new QAction(QString::fromUtf8(text), parent);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

}  // namespace

TViewScaleControl::TViewScaleControl(TWeltQt &views, TStruktogramm &chart, QScrollArea &pane,
                                     std::function<void()> updateScrollRanges, QObject *parent)
    : QObject(parent), views_(views), chart_(chart), pane_(pane),
      updateScrollRanges_(std::move(updateScrollRanges))
{
    Larger = MakeAction(this, "Größer", "Groesser1", QKeySequence::ZoomIn);
    Smaller = MakeAction(this, "Kleiner", "Kleiner1", QKeySequence::ZoomOut);
    Original = MakeAction(this, "Originalgröße", "Originalgroesse1", QKeySequence(Qt::CTRL | Qt::Key_0));
    Fit = MakeAction(this, "Einpassen", "Einpassen1", QKeySequence());
    Fit->setCheckable(true);
    Fit->setChecked(true);
    connect(Larger, &QAction::triggered, this, &TViewScaleControl::ZoomIn);
    connect(Smaller, &QAction::triggered, this, &TViewScaleControl::ZoomOut);
    connect(Original, &QAction::triggered, this, &TViewScaleControl::ShowOriginalSize);
    connect(Fit, &QAction::triggered, this, &TViewScaleControl::FitIntoPane);
    pane_.viewport()->installEventFilter(this);
}

QMenu *TViewScaleControl::AddMenu(QMenuBar *bar, QMenu *after)
{
    const QList<QAction *> menus = bar->actions();
    const qsizetype at = after ? menus.indexOf(after->menuAction()) : -1;
    QAction *before = at >= 0 ? menus.value(at + 1) : nullptr;
    auto *menu = new QMenu(QStringLiteral("A&nsicht"), bar);
    menu->setObjectName(QStringLiteral("Ansicht1"));
    menu->addActions({Larger, Smaller, Original});
    menu->addSeparator();
    menu->addAction(Fit);
    bar->insertMenu(before, menu);
    // Their keys work wherever the focus is in the window, also while the menu is closed.
    if (QWidget *window = bar->window())
        window->addActions({Larger, Smaller, Original, Fit});
    return menu;
}

bool TViewScaleControl::Fitting() const { return Fit->isChecked(); }

int TViewScaleControl::StoredPercent() const
{
    return Fitting() ? 0 : int(std::lround(scale_ * 100.0));
}

void TViewScaleControl::Restore(int percent)
{
    if (percent >= kMinViewScale * 100 && percent <= kMaxViewScale * 100)
        SetScale(percent / 100.0, false);
    else
        SetScale(FittingScale(), true);
}

void TViewScaleControl::ZoomIn() { SetScale(NextViewScale(scale_, +1), false); }
void TViewScaleControl::ZoomOut() { SetScale(NextViewScale(scale_, -1), false); }
void TViewScaleControl::ShowOriginalSize() { SetScale(1.0, false); }
void TViewScaleControl::FitIntoPane() { SetScale(FittingScale(), true); }

void TViewScaleControl::Refit()
{
    if (Fitting()) {
        scale_ = FittingScale();
        views_.SetViewScale(scale_);
        chart_.SetViewScale(scale_);
    }
}

bool TViewScaleControl::ChartShown() const
{
    return chart_.Control && chart_.Control->isVisibleTo(pane_.widget());
}

QWidget *TViewScaleControl::ShownWorldView() const
{
    return views_.Is2D() ? static_cast<QWidget *>(views_.PaintBox2D()) : static_cast<QWidget *>(views_.Image3D());
}

QPoint TViewScaleControl::ShownOrigin() const
{
    const QWidget *shown = ChartShown() ? chart_.Control : ShownWorldView();
    return shown ? shown->pos() : QPoint();
}

double TViewScaleControl::FittingScale() const
{
    const QSize content = ChartShown() ? QSize(chart_.ChartWidth, chart_.ChartHeight) : views_.ViewSize();
    return FitViewScale(content, pane_.viewport()->size() - 2 * kMargins);
}

void TViewScaleControl::SetScale(double scale, bool fitting, std::optional<QPoint> anchor)
{
    Fit->setChecked(fitting);
    QScrollBar *h = pane_.horizontalScrollBar(), *v = pane_.verticalScrollBar();
    const QPoint at = anchor.value_or(QPoint(pane_.viewport()->width() / 2, pane_.viewport()->height() / 2));
    const QPoint origin = ShownOrigin();
    const QPointF kept = QPointF(QPoint(h->value(), v->value()) + at - origin) * (scale / scale_) + origin;
    scale_ = scale;
    views_.SetViewScale(scale_);
    chart_.SetViewScale(scale_);
    if (updateScrollRanges_)
        updateScrollRanges_();
    h->setValue(int(kept.x()) - at.x());
    v->setValue(int(kept.y()) - at.y());
    Larger->setEnabled(scale_ < kMaxViewScale);
    Smaller->setEnabled(scale_ > kViewScaleSteps[0]);
}

void TViewScaleControl::KeepRobotInSight()
{
    const QWidget *shown = ShownWorldView();
    if (!shown || !shown->isVisible())
        return;
    const QRect robot = views_.ViewScale().MapOutward(views_.RobotRect()).translated(shown->pos());
    const QRect seen(QPoint(pane_.horizontalScrollBar()->value(), pane_.verticalScrollBar()->value()),
                     pane_.viewport()->size());
    if (seen.contains(robot))
        return;
    // A margin of about a cell around the robot, where the pane is big enough.
    const int mx = std::max(0, std::min(seen.width() - robot.width(), robot.width() * 2) / 2);
    const int my = std::max(0, std::min(seen.height() - robot.height(), robot.height() * 2) / 2);
    pane_.ensureVisible(robot.center().x(), robot.center().y(), robot.width() / 2 + mx, robot.height() / 2 + my);
}

bool TViewScaleControl::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pane_.viewport()) {
        if (event->type() == QEvent::Wheel) {
            auto *wheel = static_cast<QWheelEvent *>(event);
            if (wheel->modifiers() & Qt::ControlModifier) {
                // The point under the mouse stays where it is, as in an image viewer.
                const int delta = wheel->angleDelta().y();
                if (delta != 0)
                    SetScale(NextViewScale(scale_, delta > 0 ? +1 : -1), false, wheel->position().toPoint());
                return true;
            }
        } else if (event->type() == QEvent::Resize && Fitting() && !refitPending_) {
            // After the layout has settled: a resize may come in several steps.
            refitPending_ = true;
            QTimer::singleShot(0, this, [this] {
                refitPending_ = false;
                if (Fitting() && std::abs(FittingScale() - scale_) > 1e-9)
                    SetScale(FittingScale(), true);
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tumbo::app
