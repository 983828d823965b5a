#pragma once
// A paint device that keeps every drawing call instead of pixels, so tests can read the
// coordinates a painter code path produced.
#include <QFont>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPolygonF>
#include <QRectF>
#include <QTransform>
#include <memory>
#include <vector>

struct RecordedText
{
    QPointF Baseline;
    QString Text;
    QFont Font;
    QTransform Transform;
    // The top-left corner the text was placed by (baseline minus the font's ascent).
    QPointF TopLeft() const;
};

struct RecordedFill
{
    QRectF Rect;
    QColor Colour;
};

class RecordingDevice : public QPaintDevice
{
public:
    RecordingDevice(int width = 2000, int height = 2000);
    ~RecordingDevice() override;
    QPaintEngine *paintEngine() const override;

    std::vector<QLineF> Lines;          // single lines
    std::vector<QPolygonF> Polylines;   // open polylines (frames)
    std::vector<RecordedText> Texts;
    std::vector<RecordedFill> Fills;    // filled rectangles
    QTransform LastTransform;

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    int width_, height_;
    std::unique_ptr<QPaintEngine> engine_;
};
