#pragma once
// A frame around whatever has the keyboard focus in a window, drawn above everything in
// the window whatever the style draws itself: black outside, yellow inside, so that it
// shows on light and dark ground alike. For a key catcher too small to frame (the robot
// keys' field) the scroll area around it is framed.
#include <QPointer>
#include <QWidget>

namespace tumbo::app {

class TFocusFrame : public QWidget {
    Q_OBJECT
public:
    // Frames the focus inside `window` while enabled.
    explicit TFocusFrame(QWidget &window);

    void SetEnabled(bool enabled);
    // The widget framed now; nullptr while the frame is hidden.
    QWidget *Framed() const { return isVisible() ? framed_.data() : nullptr; }

    static constexpr int Width = 4;  // device independent pixels, half of them black

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Follow(QWidget *focus);
    void Place();

    QWidget &window_;
    QPointer<QWidget> framed_;
    bool enabled_ = false;
};

}  // namespace tumbo::app
