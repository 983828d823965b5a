#include "text/text_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "text/atomic_file.h"
#include "text/cp1252.h"

namespace tumbo::text {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";

bool HasNonAscii(std::string_view s) {
  // Eight bytes at a time: a program file of several megabytes is mostly ASCII.
  size_t i = 0;
  for (; i + 8 <= s.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, s.data() + i, 8);
    if (word & 0x8080808080808080u) return true;
  }
  for (; i < s.size(); ++i)
    if (static_cast<unsigned char>(s[i]) >= 0x80) return true;
  return false;
}

// UTF-8 with a BOM, or valid UTF-8 holding a non-ASCII character; else Windows-1252.
TextFormat DetectFormat(std::string_view bytes) {
  TextFormat format;
  format.Break = DetectLineBreak(bytes);
  if (bytes.starts_with(kBom) && IsValidUtf8(bytes.substr(kBom.size()))) {
    format.Encoding = TextEncoding::Utf8;
    format.Bom = true;
  } else if (HasNonAscii(bytes) && IsValidUtf8(bytes)) {
    format.Encoding = TextEncoding::Utf8;
  } else {
    format.Encoding = TextEncoding::Cp1252;
  }
  return format;
}


std::string Quoted(const std::string& path) { return "\"" + FileNameForMessage(path) + "\""; }

std::string SizeText(size_t bytes) {
  if (bytes >= (size_t(1) << 20) && bytes % (size_t(1) << 20) == 0)
    return std::to_string(bytes >> 20) + " MB";
  return std::to_string(bytes) + " Bytes";
}

// Only plain files are read. A FIFO would block the reader forever and a device such as
// /dev/zero never ends, so both are refused before any byte is read.
std::string NotAPlainFile(const std::string& path, mode_t mode) {
  if (S_ISDIR(mode)) return Quoted(path) + " ist ein Ordner und keine Datei.";
  return Quoted(path) + " ist keine gew\xF6hnliche Datei (sondern ein Ger\xE4t, eine Pipe oder "
                        "ein Socket) und wird nicht gelesen.";
}

std::string TooLarge(const std::string& path, size_t maxBytes) {
  return "Die Datei " + Quoted(path) + " ist zu gro\xDF: h\xF6" "chstens " + SizeText(maxBytes) +
         " sind erlaubt.";
}

struct FdCloser {
  int fd;
  ~FdCloser() { if (fd >= 0) ::close(fd); }
};

// Reads a plain file: refused when it is larger than `maxBytes`; reading stops after about
// `limit` bytes and, with `stopAfterLineBreak`, after the block holding the first line break.
bool ReadFile(const std::string& path, std::string& bytes, std::string& error, size_t maxBytes,
              size_t limit, bool stopAfterLineBreak) {
  struct stat st;
  if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
    error = NotAPlainFile(path, st.st_mode);
    return false;
  }
  // O_NONBLOCK: should the name be swapped for a FIFO after the check, open must not wait.
  const FdCloser file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK)};
  if (file.fd < 0) {
    error = "Die Datei " + Quoted(path) + " kann nicht ge\xF6" "ffnet werden: " + ErrnoText(errno) + ".";
    return false;
  }
  if (::fstat(file.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    error = NotAPlainFile(path, st.st_mode);
    return false;
  }
  if (static_cast<unsigned long long>(st.st_size) > maxBytes) {
    error = TooLarge(path, maxBytes);
    return false;
  }
  std::string data;
  // Sized once: growing a string of megabytes by doubling costs copies and fresh pages.
  data.reserve(std::min(static_cast<size_t>(st.st_size), limit));
  char buf[65536];
  while (data.size() < limit) {
    const ssize_t n = ::read(file.fd, buf, sizeof buf);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      error = "Die Datei " + Quoted(path) + " kann nicht gelesen werden: " + ErrnoText(errno) + ".";
      return false;
    }
    const std::string_view block(buf, size_t(n));
    if (data.size() + block.size() > maxBytes) {  // the file grew while being read
      error = TooLarge(path, maxBytes);
      return false;
    }
    data.append(block);
    if (stopAfterLineBreak && block.find_first_of("\r\n") != std::string_view::npos) break;
  }
  bytes = std::move(data);
  return true;
}

}  // namespace

const char* LineBreakChars(LineBreak b) {
  switch (b) {
    case LineBreak::Lf: return "\n";
    case LineBreak::Cr: return "\r";
    case LineBreak::CrLf: break;
  }
  return "\r\n";
}

LineBreak DetectLineBreak(std::string_view text, LineBreak fallback) {
  const size_t i = text.find_first_of("\r\n");
  if (i == std::string_view::npos) return fallback;
  if (text[i] == '\n') return LineBreak::Lf;
  return (i + 1 < text.size() && text[i + 1] == '\n') ? LineBreak::CrLf : LineBreak::Cr;
}

std::string ConvertLineBreaks(std::string_view text, LineBreak b) {
  const std::string_view br = LineBreakChars(b);
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += br;
    } else if (c == '\n') {
      out += br;
    } else {
      out += c;
    }
  }
  return out;
}

DecodedText DecodeText(std::string_view bytes) {
  DecodedText d;
  d.Format = DetectFormat(bytes);
  if (d.Format.Encoding == TextEncoding::Utf8) d.Utf8 = bytes.substr(d.Format.Bom ? kBom.size() : 0);
  else d.Utf8 = Cp1252ToUtf8(bytes);
  return d;
}

EncodedText EncodeText(std::string_view utf8, TextFormat format) {
  EncodedText e;
  const std::string text = ConvertLineBreaks(utf8, format.Break);
  if (format.Encoding == TextEncoding::Cp1252 && !FitsCp1252(text)) {
    format.Encoding = TextEncoding::Utf8;
    format.Bom = false;
  }
  e.Format = format;
  if (format.Encoding == TextEncoding::Utf8) {
    if (format.Bom) e.Bytes = kBom;
    e.Bytes += text;
  } else {
    e.Format.Bom = false;
    e.Bytes = Utf8ToCp1252(text);
  }
  return e;
}

// A Windows-1252 file is its own text: every byte would go to UTF-8 and back unchanged.
std::string DecodeToCp1252(std::string_view bytes, TextFormat* format) {
  const TextFormat detected = DetectFormat(bytes);
  if (format) *format = detected;
  if (detected.Encoding == TextEncoding::Cp1252) return std::string(bytes);
  return Utf8ToCp1252(bytes.substr(detected.Bom ? kBom.size() : 0));
}

std::string DecodeToCp1252(std::string&& bytes, TextFormat* format) {
  const TextFormat detected = DetectFormat(bytes);
  if (format) *format = detected;
  if (detected.Encoding == TextEncoding::Cp1252) return std::move(bytes);
  return Utf8ToCp1252(std::string_view(bytes).substr(detected.Bom ? kBom.size() : 0));
}

std::string EncodeFromCp1252(std::string_view cp1252, TextFormat format) {
  return EncodeText(Cp1252ToUtf8(cp1252), format).Bytes;
}

bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error,
                   size_t maxBytes) {
  return ReadFile(path, bytes, error, maxBytes, std::string::npos, false);
}

bool ReadFileStart(const std::string& path, std::string& bytes, std::string& error,
                   size_t limit, bool stopAfterLineBreak) {
  return ReadFile(path, bytes, error, std::string::npos, limit, stopAfterLineBreak);
}

bool ReadTextFile(const std::string& path, DecodedText& text, std::string& error) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes, error)) return false;
  text = DecodeText(bytes);
  return true;
}

bool WriteTextFile(const std::string& path, std::string_view utf8, TextFormat format,
                   std::string& error, TextFormat* written) {
  EncodedText e = EncodeText(utf8, format);
  if (!WriteFileAtomic(path, e.Bytes, error)) return false;
  if (written) *written = e.Format;
  return true;
}

}  // namespace tumbo::text
