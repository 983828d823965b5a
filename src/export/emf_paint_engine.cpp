#include "export/emf_paint_engine.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <QPixmap>
#include <QTextItem>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "export/emf_device.h"
#include "export/emf_records.h"

using emf::RecordBuilder;

namespace {

// What the engine draws itself; the painter emulates nothing else for a custom engine.
constexpr QPaintEngine::PaintEngineFeatures kFeatures =
    QPaintEngine::PaintEngineFeatures(QPaintEngine::AllFeatures) &
    ~QPaintEngine::PaintEngineFeatures(QPaintEngine::PerspectiveTransform |
                                       QPaintEngine::PorterDuff | QPaintEngine::BlendModes |
                                       QPaintEngine::RasterOpModes);

uint32_t ColorOf(const QColor& c) { return emf::ColorRef(c.red(), c.green(), c.blue()); }

// A brush's colour as GDI sees it: gradients and patterns become their first colour.
QColor BrushColor(const QBrush& brush) {
  if (const QGradient* g = brush.gradient(); g && !g->stops().isEmpty())
    return g->stops().first().second;
  return brush.color();
}

uint32_t PenStyle(Qt::PenStyle style) {
  switch (style) {
    case Qt::NoPen: return emf::PS_NULL;
    case Qt::DashLine: return emf::PS_DASH;
    case Qt::DotLine: return emf::PS_DOT;
    case Qt::DashDotLine: return emf::PS_DASHDOT;
    case Qt::DashDotDotLine: return emf::PS_DASHDOTDOT;
    default: return emf::PS_SOLID;
  }
}

double ScaleOf(const QTransform& t) { return std::sqrt(std::abs(t.determinant())); }

}  // namespace

EmfPaintEngine::EmfPaintEngine() : QPaintEngine(kFeatures) {}

bool EmfPaintEngine::begin(QPaintDevice* device) {
  device_ = static_cast<EmfDevice*>(device);
  body_.clear();
  records_ = 0;
  nextHandle_ = 1;
  freeHandles_.clear();
  maxHandle_ = 0;
  penHandle_.reset();
  brushHandle_.reset();
  fontHandle_.reset();
  gdiPen_.reset();
  gdiBrush_.reset();
  gdiFont_.reset();
  penSelectedNull_ = brushSelectedNull_ = false;
  textColor_.reset();
  bkColor_.reset();
  bkMode_.reset();
  fillMode_.reset();
  pen_ = QPen();
  brush_ = QBrush();
  transform_ = QTransform();
  clip_.reset();

  Simple(emf::EMR_SETMAPMODE, {emf::MM_TEXT});
  Simple(emf::EMR_SETBKMODE, {emf::TRANSPARENT});
  bkMode_ = emf::TRANSPARENT;
  Simple(emf::EMR_SETTEXTALIGN, {emf::TA_BASELINE});
  setActive(true);
  return true;
}

bool EmfPaintEngine::end() {
  for (auto* slot : {&penHandle_, &brushHandle_, &fontHandle_}) {
    if (*slot) {
      // A selected object is released by selecting a stock object first.
      Simple(emf::EMR_SELECTOBJECT, {slot == &fontHandle_   ? 0x8000000Du  // SYSTEM_FONT
                                     : slot == &penHandle_ ? emf::NULL_PEN
                                                           : emf::NULL_BRUSH});
      Simple(emf::EMR_DELETEOBJECT, {**slot});
      slot->reset();
    }
  }
  Simple(emf::EMR_EOF, {0, 16, 20});

  const QSize size = device_->Size();
  const int dpi = device_->Dpi();
  const QString description = QStringLiteral("Robot Tumbo") + QChar(0) + QChar(0);
  RecordBuilder header(emf::EMR_HEADER);
  header.Rect(0, 0, size.width() - 1, size.height() - 1);
  header.Rect(0, 0, size.width() * 2540 / dpi, size.height() * 2540 / dpi);
  header.U32(emf::kSignature).U32(emf::kVersion);
  const int descriptionBytes = int(description.size()) * 2;
  const uint32_t headerSize = emf::kHeaderSize + uint32_t((descriptionBytes + 3) / 4 * 4);
  header.U32(headerSize + uint32_t(body_.size()));  // nBytes
  header.U32(records_ + 1);                         // nRecords, the header included
  header.U16(uint16_t(maxHandle_ + 1)).U16(0);
  header.U32(uint32_t(description.size())).U32(emf::kHeaderSize).U32(0);
  // Reference device: a screen of 1920 x 1080 pixels at the device's resolution.
  const int refW = 1920, refH = 1080;
  header.I32(refW).I32(refH);
  header.I32(int(std::lround(refW * 25.4 / dpi))).I32(int(std::lround(refH * 25.4 / dpi)));
  header.U32(0).U32(0).U32(0);  // no pixel format, no OpenGL
  header.I32(int(std::lround(refW * 25400.0 / dpi))).I32(int(std::lround(refH * 25400.0 / dpi)));
  header.Utf16(description);
  QByteArray file = header.Finish();
  file.append(body_);
  device_->SetData(file);
  body_.clear();
  setActive(false);
  return true;
}

void EmfPaintEngine::Emit(QByteArray record) {
  body_.append(record);
  ++records_;
}

void EmfPaintEngine::Simple(uint32_t type, std::initializer_list<uint32_t> values) {
  RecordBuilder r(type);
  for (uint32_t v : values) r.U32(v);
  Emit(r.Finish());
}

uint32_t EmfPaintEngine::NewHandle() {
  uint32_t h;
  if (!freeHandles_.empty()) {
    h = freeHandles_.back();
    freeHandles_.pop_back();
  } else {
    h = nextHandle_++;
  }
  maxHandle_ = std::max(maxHandle_, h);
  return h;
}

// Creates and selects a new object in `slot`, then deletes the one it replaces.
void EmfPaintEngine::Replace(std::optional<uint32_t>& slot, QByteArray create, uint32_t handle) {
  Emit(std::move(create));
  Simple(emf::EMR_SELECTOBJECT, {handle});
  if (slot) {
    Simple(emf::EMR_DELETEOBJECT, {*slot});
    freeHandles_.push_back(*slot);
  }
  slot = handle;
}

void EmfPaintEngine::updateState(const QPaintEngineState& state) {
  const DirtyFlags flags = state.state();
  if (flags & DirtyPen) pen_ = state.pen();
  if (flags & DirtyBrush) brush_ = state.brush();
  if (flags & DirtyFont) font_ = state.font();
  if (flags & DirtyTransform) transform_ = state.transform();
  if (flags & DirtyBackgroundMode) bgMode_ = state.backgroundMode();
  if (flags & DirtyBackground) background_ = state.backgroundBrush();
  if (flags & (DirtyClipRegion | DirtyClipPath | DirtyClipEnabled)) {
    std::optional<QRect> clip = clip_;
    if ((flags & DirtyClipEnabled) && !state.isClipEnabled()) {
      clip.reset();
    } else if (flags & (DirtyClipRegion | DirtyClipPath)) {
      const QRect rect = (flags & DirtyClipPath)
                             ? transform_.map(state.clipPath()).boundingRect().toAlignedRect()
                             : transform_.map(state.clipRegion()).boundingRect();
      switch (state.clipOperation()) {
        case Qt::NoClip: clip.reset(); break;
        case Qt::ReplaceClip: clip = rect; break;
        case Qt::IntersectClip: clip = clip ? clip->intersected(rect) : rect; break;
      }
    }
    if (clip != clip_) {
      // Back to the default clipping, then narrow it.
      Simple(emf::EMR_EXTSELECTCLIPRGN, {0, emf::RGN_COPY});
      if (clip) {
        RecordBuilder r(emf::EMR_INTERSECTCLIPRECT);
        r.Rect(clip->left(), clip->top(), clip->right() + 1, clip->bottom() + 1);
        Emit(r.Finish());
      }
      clip_ = clip;
    }
  }
}

QPoint EmfPaintEngine::Map(QPointF p) const {
  const QPointF d = transform_.map(p);
  return QPoint(int(std::floor(d.x() + 0.5)), int(std::floor(d.y() + 0.5)));
}

void EmfPaintEngine::SelectPen(bool stroke) {
  if (!stroke) {
    if (!penSelectedNull_) Simple(emf::EMR_SELECTOBJECT, {emf::NULL_PEN});
    penSelectedNull_ = true;
    return;
  }
  double width = pen_.widthF();
  if (!pen_.isCosmetic()) width *= ScaleOf(transform_);
  const GdiPen wanted{PenStyle(pen_.style()), uint32_t(std::max(1L, std::lround(width))),
                      ColorOf(BrushColor(pen_.brush()))};
  if (!gdiPen_ || *gdiPen_ != wanted) {
    const uint32_t h = NewHandle();
    RecordBuilder r(emf::EMR_CREATEPEN);
    r.U32(h).U32(wanted.style).I32(int32_t(wanted.width)).I32(0).U32(wanted.color);
    Replace(penHandle_, r.Finish(), h);
    gdiPen_ = wanted;
  } else if (penSelectedNull_) {
    Simple(emf::EMR_SELECTOBJECT, {*penHandle_});
  }
  penSelectedNull_ = false;
}

void EmfPaintEngine::SelectBrush(bool fill) {
  if (!fill) {
    if (!brushSelectedNull_) Simple(emf::EMR_SELECTOBJECT, {emf::NULL_BRUSH});
    brushSelectedNull_ = true;
    return;
  }
  const GdiBrush wanted{emf::BS_SOLID, ColorOf(BrushColor(brush_))};
  if (!gdiBrush_ || *gdiBrush_ != wanted) {
    const uint32_t h = NewHandle();
    RecordBuilder r(emf::EMR_CREATEBRUSHINDIRECT);
    r.U32(h).U32(wanted.style).U32(wanted.color).U32(0);
    Replace(brushHandle_, r.Finish(), h);
    gdiBrush_ = wanted;
  } else if (brushSelectedNull_) {
    Simple(emf::EMR_SELECTOBJECT, {*brushHandle_});
  }
  brushSelectedNull_ = false;
}

void EmfPaintEngine::SelectFont(const QFont& font) {
  double pixels = font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * device_->Dpi() / 72.0;
  pixels *= ScaleOf(transform_);
  // A negative height asks for the character height, as Qt's pixel size does.
  const GdiFont wanted{-int32_t(std::max(1L, std::lround(pixels))), int32_t(font.weight()),
                       font.italic(), font.underline(), font.strikeOut(), font.family()};
  if (gdiFont_ && *gdiFont_ == wanted) return;
  const uint32_t h = NewHandle();
  RecordBuilder r(emf::EMR_EXTCREATEFONTINDIRECTW);
  r.U32(h);
  r.I32(wanted.height).I32(0).I32(0).I32(0).I32(wanted.weight);  // height .. weight
  r.U8(wanted.italic).U8(wanted.underline).U8(wanted.strikeOut);
  r.U8(1).U8(0).U8(0).U8(0).U8(0);  // charset DEFAULT, precisions, quality, pitch/family
  QString face = wanted.face.left(31);
  r.Utf16(face);
  for (qsizetype i = face.size(); i < 32; ++i) r.U16(0);
  Replace(fontHandle_, r.Finish(), h);
  gdiFont_ = wanted;
}

void EmfPaintEngine::SetTextColor(uint32_t color) {
  if (textColor_ != color) Simple(emf::EMR_SETTEXTCOLOR, {color});
  textColor_ = color;
  const uint32_t mode = bgMode_ == Qt::OpaqueMode ? emf::OPAQUE : emf::TRANSPARENT;
  if (bkMode_ != mode) Simple(emf::EMR_SETBKMODE, {mode});
  bkMode_ = mode;
  if (mode == emf::OPAQUE) {
    const uint32_t bk = ColorOf(BrushColor(background_));
    if (bkColor_ != bk) Simple(emf::EMR_SETBKCOLOR, {bk});
    bkColor_ = bk;
  }
}

void EmfPaintEngine::SetFillMode(bool winding) {
  const uint32_t mode = winding ? emf::WINDING : emf::ALTERNATE;
  if (fillMode_ != mode) Simple(emf::EMR_SETPOLYFILLMODE, {mode});
  fillMode_ = mode;
}

void EmfPaintEngine::drawRects(const QRectF* rects, int count) {
  const bool plain = transform_.type() <= QTransform::TxScale;
  for (int i = 0; i < count; ++i) {
    if (!plain) {
      const QPolygonF poly = QPolygonF(rects[i]);
      drawPolygon(poly.constData(), int(poly.size()) - 1, OddEvenMode);
      continue;
    }
    SelectPen(Strokes());
    SelectBrush(Fills());
    const QPoint a = Map(rects[i].topLeft()), b = Map(rects[i].bottomRight());
    // Qt covers right and bottom with the pen (or stops before them when only
    // filling); GDI's Rectangle does the same with one more in each direction.
    RecordBuilder r(emf::EMR_RECTANGLE);
    r.Rect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()) + 1,
           std::max(a.y(), b.y()) + 1);
    Emit(r.Finish());
  }
}

void EmfPaintEngine::drawLines(const QLineF* lines, int count) {
  if (!Strokes()) return;
  SelectPen(true);
  for (int i = 0; i < count; ++i) {
    RecordBuilder move(emf::EMR_MOVETOEX);
    move.Point(Map(lines[i].p1()));
    Emit(move.Finish());
    RecordBuilder line(emf::EMR_LINETO);
    line.Point(Map(lines[i].p2()));
    Emit(line.Finish());
  }
}

void EmfPaintEngine::drawEllipse(const QRectF& rect) {
  if (transform_.type() > QTransform::TxScale) {
    QPainterPath path;
    path.addEllipse(rect);
    drawPath(path);
    return;
  }
  SelectPen(Strokes());
  SelectBrush(Fills());
  const QPoint a = Map(rect.topLeft()), b = Map(rect.bottomRight());
  RecordBuilder r(emf::EMR_ELLIPSE);
  r.Rect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()) + 1,
         std::max(a.y(), b.y()) + 1);
  Emit(r.Finish());
}

void EmfPaintEngine::drawPath(const QPainterPath& path) {
  if (Fills()) {
    std::vector<QPolygon> polys;
    for (const QPolygonF& p : path.toFillPolygons(transform_)) polys.push_back(p.toPolygon());
    SetFillMode(path.fillRule() == Qt::WindingFill);
    Polygons(polys, true, false);
  }
  if (Strokes()) {
    SelectPen(true);
    for (const QPolygonF& p : path.toSubpathPolygons(transform_)) PolylineRecord(p.toPolygon());
  }
}

void EmfPaintEngine::drawPoints(const QPointF* points, int count) {
  if (!Strokes()) return;
  const uint32_t color = ColorOf(BrushColor(pen_.brush()));
  for (int i = 0; i < count; ++i) {
    RecordBuilder r(emf::EMR_SETPIXELV);
    r.Point(Map(points[i])).U32(color);
    Emit(r.Finish());
  }
}

void EmfPaintEngine::drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) {
  if (count < 2) return;
  QPolygon poly;
  poly.reserve(count);
  for (int i = 0; i < count; ++i) poly.append(Map(points[i]));
  if (mode == PolylineMode) {
    if (!Strokes()) return;
    SelectPen(true);
    PolylineRecord(poly);
    return;
  }
  SetFillMode(mode == WindingMode);
  Polygons({poly}, Fills(), Strokes());
}

// One EMR_POLYGON per polygon (with the current pen and brush) or, for several filled
// polygons without outline, one EMR_POLYPOLYGON so that holes stay holes.
void EmfPaintEngine::Polygons(const std::vector<QPolygon>& polys, bool fill, bool stroke) {
  if (polys.empty() || (!fill && !stroke)) return;
  SelectPen(stroke);
  SelectBrush(fill);
  QRect bounds;
  for (const QPolygon& p : polys) bounds |= p.boundingRect();
  if (polys.size() == 1) {
    RecordBuilder r(emf::EMR_POLYGON);
    r.Rect(bounds.left(), bounds.top(), bounds.right(), bounds.bottom());
    r.U32(uint32_t(polys[0].size()));
    for (QPoint pt : polys[0]) r.Point(pt);
    Emit(r.Finish());
    return;
  }
  RecordBuilder r(emf::EMR_POLYPOLYGON);
  r.Rect(bounds.left(), bounds.top(), bounds.right(), bounds.bottom());
  uint32_t total = 0;
  for (const QPolygon& p : polys) total += uint32_t(p.size());
  r.U32(uint32_t(polys.size())).U32(total);
  for (const QPolygon& p : polys) r.U32(uint32_t(p.size()));
  for (const QPolygon& p : polys)
    for (QPoint pt : p) r.Point(pt);
  Emit(r.Finish());
}

void EmfPaintEngine::PolylineRecord(const QPolygon& line) {
  if (line.size() < 2) return;
  const QRect bounds = line.boundingRect();
  RecordBuilder r(emf::EMR_POLYLINE);
  r.Rect(bounds.left(), bounds.top(), bounds.right(), bounds.bottom());
  r.U32(uint32_t(line.size()));
  for (QPoint pt : line) r.Point(pt);
  Emit(r.Finish());
}

void EmfPaintEngine::drawPixmap(const QRectF& target, const QPixmap& pixmap, const QRectF& source) {
  Bitmap(target, pixmap.toImage(), source);
}

void EmfPaintEngine::drawImage(const QRectF& target, const QImage& image, const QRectF& source,
                               Qt::ImageConversionFlags) {
  Bitmap(target, image, source);
}

// A device-independent bitmap, 24 bits, bottom-up. GDI bitmaps carry no alpha: the
// picture is laid on white first.
void EmfPaintEngine::Bitmap(const QRectF& target, const QImage& image, const QRectF& source) {
  QImage part = image.copy(source.toAlignedRect());
  if (part.isNull()) return;
  if (part.hasAlphaChannel()) {
    QImage flat(part.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter p(&flat);
    p.drawImage(0, 0, part);
    p.end();
    part = flat;
  }
  part = part.convertToFormat(QImage::Format_RGB888);
  const int w = part.width(), h = part.height();
  const int stride = (w * 3 + 3) / 4 * 4;
  QByteArray bits(stride * h, '\0');
  for (int y = 0; y < h; ++y) {
    const uchar* src = part.constScanLine(h - 1 - y);
    char* dst = bits.data() + y * stride;
    for (int x = 0; x < w; ++x) {  // RGB to GDI's BGR
      dst[3 * x] = char(src[3 * x + 2]);
      dst[3 * x + 1] = char(src[3 * x + 1]);
      dst[3 * x + 2] = char(src[3 * x]);
    }
  }
  const QRect dest = transform_.mapRect(target).toAlignedRect();
  RecordBuilder r(emf::EMR_STRETCHDIBITS);
  r.Rect(dest.left(), dest.top(), dest.right(), dest.bottom());
  r.I32(dest.x()).I32(dest.y()).I32(0).I32(0).I32(w).I32(h);
  const uint32_t offBmi = 80, cbBmi = 40, offBits = offBmi + cbBmi;
  r.U32(offBmi).U32(cbBmi).U32(offBits).U32(uint32_t(bits.size()));
  r.U32(emf::DIB_RGB_COLORS).U32(emf::SRCCOPY).I32(dest.width()).I32(dest.height());
  // BITMAPINFOHEADER
  r.U32(40).I32(w).I32(h).U16(1).U16(24).U32(0).U32(uint32_t(bits.size()));
  const int32_t perMeter = int32_t(std::lround(device_->Dpi() / 0.0254));
  r.I32(perMeter).I32(perMeter).U32(0).U32(0);
  r.Bytes(bits);
  Emit(r.Finish());
}

void EmfPaintEngine::drawTextItem(const QPointF& p, const QTextItem& textItem) {
  const QString text = textItem.text();
  if (text.isEmpty()) return;
  const QFont font = textItem.font();
  SelectFont(font);
  SetTextColor(ColorOf(BrushColor(pen_.brush())));

  // Character advances, so that every reader spaces the text as Qt measured it.
  const QFontMetricsF metrics(font, device_);
  const double scale = ScaleOf(transform_);
  std::vector<int32_t> dx(size_t(text.size()), 0);
  double pos = 0;
  int32_t placed = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i].isLowSurrogate()) continue;
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
    pos += metrics.horizontalAdvance(text.mid(i, pair ? 2 : 1)) * scale;
    const int32_t next = int32_t(std::lround(pos));
    dx[size_t(i)] = next - placed;
    placed = next;
  }

  const QPoint origin = Map(p);
  const int ascent = int(std::ceil(metrics.ascent() * scale));
  const int descent = int(std::ceil(metrics.descent() * scale));
  const QRect bounds(origin.x(), origin.y() - ascent, std::max(1, placed), ascent + descent);

  const uint32_t chars = uint32_t(text.size());
  const uint32_t offString = 76;
  const uint32_t offDx = offString + (chars * 2 + 3) / 4 * 4;
  RecordBuilder r(emf::EMR_EXTTEXTOUTW);
  r.Rect(bounds.left(), bounds.top(), bounds.right(), bounds.bottom());
  r.U32(emf::GM_COMPATIBLE);
  r.F32(float(2540.0 / device_->Dpi())).F32(float(2540.0 / device_->Dpi()));  // 0.01 mm per unit
  r.Point(origin).U32(chars).U32(offString).U32(0);
  r.Rect(bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1);
  r.U32(offDx);
  r.Utf16(text).PadTo4();
  for (int32_t d : dx) r.I32(d);
  Emit(r.Finish());
}
