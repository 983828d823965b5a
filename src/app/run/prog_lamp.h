#pragma once
// The program-status lamp: a circle of 11 pixels in the program bar.
#include <QColor>
#include <QWidget>

namespace tumbo::app {

class ProgLamp : public QWidget {
    Q_OBJECT
public:
    explicit ProgLamp(QWidget *parent = nullptr);
    QColor Color() const { return color_; }
    void SetColor(const QColor &color);

protected:
    void paintEvent(QPaintEvent *) override;

private:
    QColor color_{192, 192, 192};
};

}  // namespace tumbo::app
