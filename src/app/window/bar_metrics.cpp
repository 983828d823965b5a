#include "app/window/bar_metrics.h"

#include <QSize>
#include <QToolButton>
#include <QVariant>
#include <QWidget>

#include <cmath>

namespace tumbo::app {
namespace {

// The size a control was fixed at; -1 for a direction that is not fixed.
constexpr const char *kBaseSize = "barBaseSize";
constexpr const char *kBaseIcon = "barBaseIcon";

void Remember(QWidget *control, int width, int height)
{
    QSize base = control->property(kBaseSize).toSize();  // (-1, -1) the first time
    if (width >= 0)
        base.setWidth(width);
    if (height >= 0)
        base.setHeight(height);
    control->setProperty(kBaseSize, base);
}

int Scaled(int pixels, double factor)
{
    return int(std::lround(pixels * factor));
}

}  // namespace

void SetBarHeight(QWidget *bar)
{
    bar->setFixedHeight(kBarHeight);
    Remember(bar, -1, kBarHeight);
}

void SetBarButtonSize(QToolButton *button)
{
    button->setFixedSize(24, 23);
    Remember(button, 24, 23);
    button->setProperty(kBaseIcon, button->iconSize());
}

void SetBarFixedWidth(QWidget *control, int width)
{
    control->setFixedWidth(width);
    Remember(control, width, -1);
}

void ScaleBars(QWidget &root, double factor)
{
    for (QWidget *control : root.findChildren<QWidget *>()) {
        const QVariant base = control->property(kBaseSize);
        if (!base.isValid())
            continue;
        const QSize size = base.toSize();
        if (size.width() >= 0)
            control->setFixedWidth(Scaled(size.width(), factor));
        if (size.height() >= 0)
            control->setFixedHeight(Scaled(size.height(), factor));
        const QSize icon = control->property(kBaseIcon).toSize();
        if (auto *button = qobject_cast<QToolButton *>(control); button && icon.isValid())
            button->setIconSize(QSize(Scaled(icon.width(), factor), Scaled(icon.height(), factor)));
    }
}

}  // namespace tumbo::app
