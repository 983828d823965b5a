#pragma once
// Qt 6.4 sends no accessibility event when a widget's accessible name or description is
// set; screen readers learn of the change only through this one.
#include <QAccessible>
#include <QWidget>

namespace tumbo::app {

inline void TellAssistiveTechnology(QWidget *widget, QAccessible::Event change)
{
    QAccessibleEvent event(widget, change);
    QAccessible::updateAccessibility(&event);  // returns at once while nobody listens
}

}  // namespace tumbo::app
