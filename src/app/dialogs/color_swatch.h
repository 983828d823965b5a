#pragma once
// A small sunken square showing a colour of the settings; a click asks for a new one.
#include <QFrame>

#include "app/settings/colour_names.h"

namespace tumbo::app {

// A settings colour value (0x00BBGGRR or a system colour) as Qt paints it.
QColor ToQColor(ColorValue value);
// A colour chosen in a colour dialog as the settings store it.
ColorValue FromQColor(const QColor &color);

class TColorSwatch : public QFrame {
    Q_OBJECT
public:
    static constexpr int Size = 21;

    explicit TColorSwatch(QWidget *parent = nullptr);

    ColorValue Color() const { return color_; }
    void SetColor(ColorValue color);

signals:
    void Clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    ColorValue color_ = clBlack;
};

}  // namespace tumbo::app
