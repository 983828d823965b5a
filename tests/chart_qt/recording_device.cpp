#include "recording_device.h"

#include <QFontMetricsF>
#include <QTextItem>

QPointF RecordedText::TopLeft() const
{
    return Baseline - QPointF(0, QFontMetrics(Font).ascent());
}

namespace {

class RecordingEngine : public QPaintEngine
{
public:
    explicit RecordingEngine(RecordingDevice &device) : QPaintEngine(AllFeatures), device_(device) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return User; }

    void updateState(const QPaintEngineState &state) override
    {
        if (state.state() & DirtyTransform)
            transform_ = state.transform();
        if (state.state() & DirtyBrush)
            brush_ = state.brush();
        if (state.state() & DirtyPen)
            pen_ = state.pen();
        device_.LastTransform = transform_;
    }

    void drawLines(const QLineF *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            device_.Lines.push_back(lines[i]);
    }
    void drawLines(const QLine *lines, int count) override
    {
        for (int i = 0; i < count; ++i)
            device_.Lines.push_back(QLineF(lines[i]));
    }

    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon << points[i];
        if (mode == PolylineMode)
            device_.Polylines.push_back(polygon);
    }
    void drawPolygon(const QPoint *points, int count, PolygonDrawMode mode) override
    {
        QPolygonF polygon;
        for (int i = 0; i < count; ++i)
            polygon << QPointF(points[i]);
        if (mode == PolylineMode)
            device_.Polylines.push_back(polygon);
    }

    void drawRects(const QRectF *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            device_.Fills.push_back({rects[i], brush_.color()});
    }
    void drawRects(const QRect *rects, int count) override
    {
        for (int i = 0; i < count; ++i)
            device_.Fills.push_back({QRectF(rects[i]), brush_.color()});
    }

    void drawTextItem(const QPointF &p, const QTextItem &item) override
    {
        device_.Texts.push_back({p, item.text(), item.font(), transform_});
    }

    void drawPixmap(const QRectF &, const QPixmap &, const QRectF &) override {}

private:
    RecordingDevice &device_;
    QTransform transform_;
    QBrush brush_;
    QPen pen_;
};

} // namespace

RecordingDevice::RecordingDevice(int width, int height)
    : width_(width), height_(height), engine_(std::make_unique<RecordingEngine>(*this))
{
}

RecordingDevice::~RecordingDevice() = default;

QPaintEngine *RecordingDevice::paintEngine() const
{
    return engine_.get();
}

int RecordingDevice::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return width_;
    case PdmHeight:
        return height_;
    case PdmWidthMM:
        return width_ * 254 / 960;
    case PdmHeightMM:
        return height_ * 254 / 960;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return 96;
    case PdmDepth:
        return 32;
    case PdmNumColors:
        return INT_MAX;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}
