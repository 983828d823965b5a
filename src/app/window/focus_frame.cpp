#include "app/window/focus_frame.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace tumbo::app {
namespace {

QWidget *FrameTarget(QWidget *focus)
{
    constexpr int kTooSmall = 8;
    QWidget *w = focus;
    while (w && (w->width() < kTooSmall || w->height() < kTooSmall)) {
        QWidget *up = w->parentWidget();
        while (up && !qobject_cast<QAbstractScrollArea *>(up))
            up = up->parentWidget();
        w = up;
    }
    return w;
}

}  // namespace

TFocusFrame::TFocusFrame(QWidget &window) : QWidget(&window), window_(window)
{
    setObjectName(QStringLiteral("FocusFrame"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { Follow(now); });
}

void TFocusFrame::SetEnabled(bool enabled)
{
    enabled_ = enabled;
    Follow(enabled ? QApplication::focusWidget() : nullptr);
}

void TFocusFrame::Follow(QWidget *focus)
{
    if (framed_)
        framed_->removeEventFilter(this);
    framed_ = enabled_ && focus && focus != this && focus->window() == &window_ ? FrameTarget(focus) : nullptr;
    if (!framed_) {
        hide();
        return;
    }
    framed_->installEventFilter(this);
    Place();
    show();
    raise();
}

void TFocusFrame::Place()
{
    // A child of the window itself, above everything in it: the frame dies with nothing
    // but the window, and a framed widget's neighbours never cover it.
    const QRect framed(framed_->mapTo(&window_, QPoint(0, 0)), framed_->size());
    setGeometry(framed.adjusted(-Width, -Width, Width, Width));
}

bool TFocusFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == framed_) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            Place();
            break;
        case QEvent::Hide:
            hide();
            break;
        case QEvent::Show:
            Follow(QApplication::focusWidget());
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TFocusFrame::paintEvent(QPaintEvent *)
{
    // Only the ring is painted; the widget under the middle shows through.
    QPainter p(this);
    const int half = Width / 2;
    const QRect outer = rect();
    p.fillRect(QRect(outer.left(), outer.top(), outer.width(), half), Qt::black);
    p.fillRect(QRect(outer.left(), outer.bottom() - half + 1, outer.width(), half), Qt::black);
    p.fillRect(QRect(outer.left(), outer.top(), half, outer.height()), Qt::black);
    p.fillRect(QRect(outer.right() - half + 1, outer.top(), half, outer.height()), Qt::black);
    const QRect inner = outer.adjusted(half, half, -half, -half);
    p.fillRect(QRect(inner.left(), inner.top(), inner.width(), half), Qt::yellow);
    p.fillRect(QRect(inner.left(), inner.bottom() - half + 1, inner.width(), half), Qt::yellow);
    p.fillRect(QRect(inner.left(), inner.top(), half, inner.height()), Qt::yellow);
    p.fillRect(QRect(inner.right() - half + 1, inner.top(), half, inner.height()), Qt::yellow);
}

}  // namespace tumbo::app
