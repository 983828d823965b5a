// The paint engine behind EmfDevice: turns QPainter calls into EMF records. Pens,
// brushes and fonts become GDI objects, created only when they change; coordinates are
// mapped through the painter's transform and written in device pixels.
#pragma once

#include <QBrush>
#include <QByteArray>
#include <QFont>
#include <QPaintEngine>
#include <QPen>
#include <QRect>
#include <QTransform>
#include <cstdint>
#include <optional>
#include <vector>

class EmfDevice;

class EmfPaintEngine : public QPaintEngine {
public:
  EmfPaintEngine();

  bool begin(QPaintDevice* device) override;
  bool end() override;
  void updateState(const QPaintEngineState& state) override;

  void drawRects(const QRectF* rects, int count) override;
  void drawLines(const QLineF* lines, int count) override;
  void drawEllipse(const QRectF& rect) override;
  void drawPath(const QPainterPath& path) override;
  void drawPoints(const QPointF* points, int count) override;
  void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override;
  void drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) override;
  void drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                 Qt::ImageConversionFlags flags) override;
  void drawTextItem(const QPointF& p, const QTextItem& textItem) override;

  Type type() const override { return QPaintEngine::User; }

private:
  // The GDI state last written to the file, to avoid repeating records.
  struct GdiPen {
    uint32_t style, width, color;
    bool operator==(const GdiPen&) const = default;
  };
  struct GdiBrush {
    uint32_t style, color;
    bool operator==(const GdiBrush&) const = default;
  };
  struct GdiFont {
    int32_t height, weight;
    bool italic, underline, strikeOut;
    QString face;
    bool operator==(const GdiFont&) const = default;
  };

  void Emit(QByteArray record);
  void Simple(uint32_t type, std::initializer_list<uint32_t> values);
  uint32_t NewHandle();
  void Replace(std::optional<uint32_t>& slot, QByteArray create, uint32_t handle);

  // Select the painter's pen (or none) and brush (or none) before a shape.
  void SelectPen(bool stroke);
  void SelectBrush(bool fill);
  void SelectFont(const QFont& font);
  void SetTextColor(uint32_t color);
  void SetFillMode(bool winding);

  QPoint Map(QPointF p) const;
  bool Strokes() const { return pen_.style() != Qt::NoPen; }
  bool Fills() const { return brush_.style() != Qt::NoBrush; }
  void Polygons(const std::vector<QPolygon>& polygons, bool fill, bool stroke);
  void PolylineRecord(const QPolygon& line);
  void Bitmap(const QRectF& target, const QImage& image, const QRectF& source);

  EmfDevice* device_ = nullptr;
  QByteArray body_;
  uint32_t records_ = 0;
  uint32_t nextHandle_ = 1;
  std::vector<uint32_t> freeHandles_;
  uint32_t maxHandle_ = 0;

  QPen pen_;
  QBrush brush_;
  QFont font_;
  QTransform transform_;
  Qt::BGMode bgMode_ = Qt::TransparentMode;
  QBrush background_;

  std::optional<uint32_t> penHandle_, brushHandle_, fontHandle_;
  std::optional<GdiPen> gdiPen_;        // nullopt: the null pen is selected
  std::optional<GdiBrush> gdiBrush_;    // nullopt: the null brush is selected
  std::optional<GdiFont> gdiFont_;
  bool penSelectedNull_ = false, brushSelectedNull_ = false;
  std::optional<uint32_t> textColor_, bkColor_, bkMode_, fillMode_;
  std::optional<QRect> clip_;  // device pixels; nullopt: no clipping
};
