#include "app/world/view_scale_control.h"

#include <QAction>
#include <QCoreApplication>
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
        emit ScaleChanged(int(std::lround(scale_ * 100.0)));
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
    const QPointF inView = QPointF(QPoint(h->value(), v->value()) + at - ShownOrigin()) * (scale / scale_);
    scale_ = scale;
    views_.SetViewScale(scale_);
    chart_.SetViewScale(scale_);
    if (updateScrollRanges_)
        updateScrollRanges_();
    // The view may have moved in the pane (a small world stands in its middle).
    const QPointF kept = inView + ShownOrigin();
    h->setValue(int(kept.x()) - at.x());
    v->setValue(int(kept.y()) - at.y());
    // The wheel zooms about the point the pupil chose; the keys and menu items keep the robot in sight.
    if (!anchor)
        KeepRobotInSight();
    Larger->setEnabled(scale_ < kMaxViewScale);
    Smaller->setEnabled(scale_ > kViewScaleSteps[0]);
    emit ScaleChanged(int(std::lround(scale_ * 100.0)));
}

QSize TViewScaleControl::ViewportSize(QSize content) const
{
    // The scroll bars come and go a moment after the content changed its size: the
    // viewport is worked out as it will be, not taken as it is.
    QSize view = pane_.maximumViewportSize();
    const bool wide = content.width() > view.width(), tall = content.height() > view.height();
    if (tall)
        view.rwidth() -= pane_.verticalScrollBar()->sizeHint().width();
    if (wide || (tall && content.width() > view.width()))
        view.rheight() -= pane_.horizontalScrollBar()->sizeHint().height();
    return view;
}

QRect TViewScaleControl::RobotSightRect() const
{
    const QWidget *shown = ShownWorldView();
    const QRect robot = views_.ViewScale().MapOutward(views_.RobotRect()).translated(shown->pos());
    // Two fields around the robot, as far as the pane has room for them and the world goes.
    const QSize pane = ViewportSize(pane_.widget()->size());
    const int mx = std::max(0, std::min(2 * robot.width(), (pane.width() - robot.width()) / 2));
    const int my = std::max(0, std::min(2 * robot.height(), (pane.height() - robot.height()) / 2));
    return robot.adjusted(-mx, -my, mx, my).intersected(pane_.widget()->rect());
}

void TViewScaleControl::KeepRobotInSight()
{
    const QWidget *shown = ShownWorldView();
    if (!shown || !shown->isVisible() || !pane_.widget())
        return;
    // The scroll bars follow a new content size a moment later (a queued call): now.
    QCoreApplication::sendPostedEvents(&pane_, QEvent::MetaCall);
    const QRect wanted = RobotSightRect();
    const QSize view = ViewportSize(pane_.widget()->size());
    // The least scrolling that shows all of it.
    auto follow = [](QScrollBar *bar, int from, int to, int extent) {
        int value = bar->value();
        if (to >= value + extent)
            value = to - extent + 1;
        if (from < value)
            value = from;
        bar->setValue(value);
    };
    follow(pane_.horizontalScrollBar(), wanted.left(), wanted.right(), view.width());
    follow(pane_.verticalScrollBar(), wanted.top(), wanted.bottom(), view.height());
}

void TViewScaleControl::LayOut(QSize shown, bool world)
{
    shown_ = shown;
    worldShown_ = world;
    QWidget *content = pane_.widget();
    if (!content)
        return;
    const QSize wanted = shown + kMargins;
    // The chart keeps its own scroll range; a world fills the pane so that it can stand in its middle.
    const QSize size = world ? wanted.expandedTo(ViewportSize(wanted)) : wanted;
    content->resize(size);
    QCoreApplication::sendPostedEvents(&pane_, QEvent::MetaCall);
    if (!world)
        return;
    // A world smaller than the pane stands in its middle.
    const QPoint shift((size.width() - wanted.width()) / 2, (size.height() - wanted.height()) / 2);
    views_.Image3D()->move(QPoint(kMargins.width(), 0) + shift);
    views_.PaintBox2D()->move(QPoint(kMargins.width(), kMargins.height()) + shift);
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
        } else if (event->type() == QEvent::Resize && !refitPending_) {
            // After the layout has settled: a resize may come in several steps.
            refitPending_ = true;
            QTimer::singleShot(0, this, [this] {
                refitPending_ = false;
                if (Fitting() && std::abs(FittingScale() - scale_) > 1e-9) {
                    SetScale(FittingScale(), true);
                } else if (shown_.isValid()) {
                    LayOut(shown_, worldShown_);
                    KeepRobotInSight();
                }
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tumbo::app
