#pragma once
// The bar under the information list: the robot's position, heading and bricks as plain
// text, a line for short notes (why a command was refused) and the view's scale in per cent.
#include <QFrame>

class QLabel;
class QLineEdit;
class QTimer;

namespace tumbo::app {

class TStatusBar : public QFrame {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget *parent = nullptr);

    // Shows `text` for a few seconds (until the next note).
    void ShowNote(const QString &text);
    QString Note() const;
    void SetZoomPercent(int percent);
    QString ZoomText() const;

    QLineEdit *PositionX = nullptr, *PositionY = nullptr, *Heading = nullptr, *Bricks = nullptr;

private:
    QLabel *note_ = nullptr;
    QLabel *zoom_ = nullptr;
    QTimer *noteTimer_ = nullptr;
};

}  // namespace tumbo::app
