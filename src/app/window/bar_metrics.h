#pragma once
// The bars of buttons under the panes, the replay bar and the status bar: 27 pixels high
// with buttons of 24 x 23. Each control remembers the size it was given here, so that the
// presentation mode can grow the bars with the text and put them back afterwards.
class QToolButton;
class QWidget;

namespace tumbo::app {

inline constexpr int kBarHeight = 27;

// Fixes the bar's height at kBarHeight.
void SetBarHeight(QWidget *bar);
// Fixes a button of a bar at 24 x 23 pixels.
void SetBarButtonSize(QToolButton *button);
// Fixes a control's width at `width` pixels of the usual text size.
void SetBarFixedWidth(QWidget *control, int width);

// Gives every control under `root` that was fixed above `factor` times its size (and a
// button's icon as much); 1 restores them.
void ScaleBars(QWidget &root, double factor);

}  // namespace tumbo::app
