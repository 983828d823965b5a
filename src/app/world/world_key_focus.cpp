#include "app/world/world_key_focus.h"

#include <QEvent>
#include <QLineEdit>
#include <QScrollArea>

namespace tumbo::app {

TWorldKeyFocus::TWorldKeyFocus(QScrollArea &pane, QLineEdit &keyCatcher, std::function<bool()> worldShown,
                               QObject *parent)
    : QObject(parent), pane_(pane), keyCatcher_(keyCatcher), worldShown_(std::move(worldShown))
{
    pane_.viewport()->installEventFilter(this);
    if (pane_.widget())
        pane_.widget()->installEventFilter(this);
    keyCatcher_.installEventFilter(this);
    ShowFrame(keyCatcher_.hasFocus());
}

bool TWorldKeyFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &keyCatcher_) {
        if (event->type() == QEvent::FocusIn)
            ShowFrame(true);
        else if (event->type() == QEvent::FocusOut)
            ShowFrame(false);
    } else if (event->type() == QEvent::MouseButtonPress && (!worldShown_ || worldShown_())) {
        // Presses on the views reach here too: they pass them on to their parent.
        keyCatcher_.setFocus(Qt::MouseFocusReason);
    }
    return QObject::eventFilter(watched, event);
}

void TWorldKeyFocus::SetBlocked(bool blocked)
{
    blocked_ = blocked;
    ShowFrame(keyCatcher_.hasFocus());
}

void TWorldKeyFocus::ShowFrame(bool shown)
{
    shown = shown && !blocked_;
    // Both frames are two pixels wide, so the pane's inside keeps its size and a fitted
    // world does not change its scale when the keys come or go.
    const QString frame = shown ? QStringLiteral("border: 2px solid palette(highlight); padding: 0px;")
                                : QStringLiteral("border: 1px solid palette(mid); padding: 1px;");
    pane_.setStyleSheet(QStringLiteral("QScrollArea#%1 { %2 }").arg(pane_.objectName(), frame));
}

}  // namespace tumbo::app
