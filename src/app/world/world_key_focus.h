#pragma once
// The robot keys in the world pane: a mouse press anywhere in the pane (on the world or
// beside it) gives the keys to the key catcher, and the pane shows a frame in the
// highlight colour while they have it and the robot may be moved.
#include <QObject>
#include <functional>

class QLineEdit;
class QScrollArea;

namespace tumbo::app {

class TWorldKeyFocus : public QObject {
    Q_OBJECT
public:
    // `worldShown` tells whether the pane shows the world (not the structure chart).
    TWorldKeyFocus(QScrollArea &pane, QLineEdit &keyCatcher, std::function<bool()> worldShown, QObject *parent);

    // While an earlier step of a run is shown the keys do not move the robot: no frame.
    void SetBlocked(bool blocked);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ShowFrame(bool shown);

    QScrollArea &pane_;
    QLineEdit &keyCatcher_;
    std::function<bool()> worldShown_;
    bool blocked_ = false;
};

}  // namespace tumbo::app
