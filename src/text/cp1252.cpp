#include "text/cp1252.h"

#include <array>
#include <cstdint>

namespace tumbo::text {
namespace {

// Unicode code points of the bytes 0x80..0x9F; the undefined bytes map to themselves.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char32_t ToUnicode(unsigned char b) {
  return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : char32_t(b);
}

// -1 when the code point has no Windows-1252 byte.
int FromUnicode(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return int(c);
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == c) return int(0x80 + i);
  return -1;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 character at s[i]; returns its length, 0 when malformed.
size_t DecodeOne(std::string_view s, size_t i, char32_t& c) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) {
    c = b0;
    return 1;
  }
  size_t len;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) {
    len = 2; c = b0 & 0x1F; min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3; c = b0 & 0x0F; min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4; c = b0 & 0x07; min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0;
  return len;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 8);
  for (char ch : cp1252) AppendUtf8(out, ToUnicode(static_cast<unsigned char>(ch)));
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const size_t len = DecodeOne(utf8, i, c);
    if (len == 0) {  // a stray byte: replace it and resynchronise on the next one
      out += replacement;
      ++i;
      continue;
    }
    const int b = FromUnicode(c);
    out += b < 0 ? replacement : char(b);
    i += len;
  }
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    char32_t c = 0;
    const size_t len = DecodeOne(bytes, i, c);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

bool FitsCp1252(std::string_view utf8) {
  for (size_t i = 0; i < utf8.size();) {
    char32_t c = 0;
    const size_t len = DecodeOne(utf8, i, c);
    if (len == 0 || FromUnicode(c) < 0) return false;
    i += len;
  }
  return true;
}

char UpperLanguage(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return char(b - 32);
  if (b == 0xE4 || b == 0xF6 || b == 0xFC) return char(b - 32);  // ä ö ü
  return c;
}

std::string UpperLanguage(std::string_view cp1252) {
  std::string out(cp1252);
  for (char& c : out) c = UpperLanguage(c);
  return out;
}

char UpperCp1252(char c) {
  const auto b = static_cast<unsigned char>(c);
  if (b >= 'a' && b <= 'z') return char(b - 32);
  if (b >= 0xE0 && b <= 0xFE && b != 0xF7) return char(b - 32);  // à..þ except ÷
  switch (b) {
    case 0x9A: return char(0x8A);  // š
    case 0x9C: return char(0x8C);  // œ
    case 0x9E: return char(0x8E);  // ž
    case 0xFF: return char(0x9F);  // ÿ
    default: return c;
  }
}

std::string UpperCp1252(std::string_view cp1252) {
  std::string out(cp1252);
  for (char& c : out) c = UpperCp1252(c);
  return out;
}

}  // namespace tumbo::text
