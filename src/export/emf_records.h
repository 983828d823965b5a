// Building blocks of an enhanced metafile: record type numbers, GDI constants and a
// little-endian record builder. Every record is a 32-bit type, a 32-bit size and a body
// padded to a multiple of four bytes.
#pragma once

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <cstdint>
#include <cstring>

namespace emf {

// Record types.
enum Record : uint32_t {
  EMR_HEADER = 1,
  EMR_POLYGON = 3,
  EMR_POLYLINE = 4,
  EMR_POLYPOLYGON = 8,
  EMR_EOF = 14,
  EMR_SETPIXELV = 15,
  EMR_SETMAPMODE = 17,
  EMR_SETBKMODE = 18,
  EMR_SETPOLYFILLMODE = 19,
  EMR_SETTEXTALIGN = 22,
  EMR_SETTEXTCOLOR = 24,
  EMR_SETBKCOLOR = 25,
  EMR_MOVETOEX = 27,
  EMR_INTERSECTCLIPRECT = 30,
  EMR_SELECTOBJECT = 37,
  EMR_CREATEPEN = 38,
  EMR_CREATEBRUSHINDIRECT = 39,
  EMR_DELETEOBJECT = 40,
  EMR_ELLIPSE = 42,
  EMR_RECTANGLE = 43,
  EMR_LINETO = 54,
  EMR_EXTSELECTCLIPRGN = 75,
  EMR_STRETCHDIBITS = 81,
  EMR_EXTCREATEFONTINDIRECTW = 82,
  EMR_EXTTEXTOUTW = 84,
};

// GDI constants used by the writer.
inline constexpr uint32_t kSignature = 0x464D4520;  // " EMF"
inline constexpr uint32_t kVersion = 0x00010000;
inline constexpr uint32_t kHeaderSize = 108;        // header with both extensions
inline constexpr uint32_t MM_TEXT = 1;
inline constexpr uint32_t TRANSPARENT = 1, OPAQUE = 2;
inline constexpr uint32_t ALTERNATE = 1, WINDING = 2;
inline constexpr uint32_t TA_BASELINE = 24;  // with TA_LEFT (0)
inline constexpr uint32_t PS_SOLID = 0, PS_DASH = 1, PS_DOT = 2, PS_DASHDOT = 3,
                          PS_DASHDOTDOT = 4, PS_NULL = 5;
inline constexpr uint32_t BS_SOLID = 0, BS_NULL = 1;
inline constexpr uint32_t NULL_BRUSH = 0x80000005, NULL_PEN = 0x80000008;
inline constexpr uint32_t RGN_COPY = 5;
inline constexpr uint32_t SRCCOPY = 0x00CC0020;
inline constexpr uint32_t DIB_RGB_COLORS = 0;
inline constexpr uint32_t GM_COMPATIBLE = 1;

// A GDI colour: red in the lowest byte.
inline uint32_t ColorRef(int r, int g, int b) {
  return uint32_t(r & 0xFF) | uint32_t(g & 0xFF) << 8 | uint32_t(b & 0xFF) << 16;
}

// Appends one record; the size field is patched when the record is finished.
class RecordBuilder {
public:
  explicit RecordBuilder(uint32_t type) {
    U32(type);
    U32(0);
  }
  RecordBuilder& U32(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.append(char((v >> (8 * i)) & 0xFF));
    return *this;
  }
  RecordBuilder& I32(int32_t v) { return U32(uint32_t(v)); }
  RecordBuilder& U16(uint16_t v) {
    bytes_.append(char(v & 0xFF));
    bytes_.append(char(v >> 8));
    return *this;
  }
  RecordBuilder& U8(uint8_t v) {
    bytes_.append(char(v));
    return *this;
  }
  RecordBuilder& F32(float f) {
    uint32_t v;
    static_assert(sizeof v == sizeof f);
    std::memcpy(&v, &f, sizeof v);
    return U32(v);
  }
  RecordBuilder& Point(QPoint p) { return I32(p.x()).I32(p.y()); }
  // RECTL: left, top, right, bottom (inclusive bounds).
  RecordBuilder& Rect(int l, int t, int r, int b) { return I32(l).I32(t).I32(r).I32(b); }
  RecordBuilder& Bytes(const QByteArray& b) {
    bytes_.append(b);
    return *this;
  }
  // UTF-16LE text, no terminator.
  RecordBuilder& Utf16(const QString& s) {
    for (QChar c : s) U16(c.unicode());
    return *this;
  }
  RecordBuilder& PadTo4() {
    while (bytes_.size() % 4) bytes_.append('\0');
    return *this;
  }
  int Size() const { return int(bytes_.size()); }
  // The finished record, padded, with its size filled in.
  QByteArray Finish() {
    PadTo4();
    const uint32_t n = uint32_t(bytes_.size());
    for (int i = 0; i < 4; ++i) bytes_[4 + i] = char((n >> (8 * i)) & 0xFF);
    return bytes_;
  }

private:
  QByteArray bytes_;
};

}  // namespace emf
