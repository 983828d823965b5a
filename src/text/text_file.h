// Reading and writing text files with the encoding, byte order mark and line-break
// style they were found with, so that saving unchanged text gives the same bytes.
#pragma once

#include <string>
#include <string_view>

namespace tumbo::text {

enum class TextEncoding { Cp1252, Utf8 };
enum class LineBreak { CrLf, Lf, Cr };

struct TextFormat {
  TextEncoding Encoding = TextEncoding::Cp1252;
  bool Bom = false;                     // a UTF-8 byte order mark was found / is written
  LineBreak Break = LineBreak::CrLf;    // the first line break found; CR LF when none

  bool operator==(const TextFormat&) const = default;
};

// The format a new file is saved in: Windows-1252, no BOM, CR LF.
inline constexpr TextFormat kNewFileFormat{};

const char* LineBreakChars(LineBreak b);  // "\r\n", "\n" or "\r"

// The style of the first line break in `text` (CR LF, LF or CR); `fallback` when none.
LineBreak DetectLineBreak(std::string_view text, LineBreak fallback = LineBreak::CrLf);

// Every CR LF, lone LF and lone CR of `text` replaced by `b`.
std::string ConvertLineBreaks(std::string_view text, LineBreak b);

struct DecodedText {
  std::string Utf8;   // the content as UTF-8, BOM removed, line breaks as in the file
  TextFormat Format;
};

// Bytes of a file to text: UTF-8 with a BOM, or valid UTF-8 holding at least one
// non-ASCII character, is read as UTF-8; anything else as Windows-1252 (plain ASCII is
// the same in both and is saved back as Windows-1252, the format of a new file).
DecodedText DecodeText(std::string_view bytes);

struct EncodedText {
  std::string Bytes;
  TextFormat Format;  // the format actually used (see EncodeText)
};

// Text to file bytes: line breaks converted to format.Break, BOM prepended when asked,
// encoded as format.Encoding. A Windows-1252 format whose text holds a character that
// Windows-1252 cannot hold is written as UTF-8 instead, so no typed character is lost.
// EncodeText(d.Utf8, d.Format).Bytes == bytes for d = DecodeText(bytes) whenever the
// file used one line-break style throughout.
EncodedText EncodeText(std::string_view utf8, TextFormat format);

// The same for the core's Windows-1252 strings (characters without a Windows-1252 form
// become '?').
std::string DecodeToCp1252(std::string_view bytes, TextFormat* format = nullptr);
// The same, taking the bytes over without a copy when they are the text already.
std::string DecodeToCp1252(std::string&& bytes, TextFormat* format = nullptr);
std::string EncodeFromCp1252(std::string_view cp1252, TextFormat format);

// Whole-file helpers. Paths are native (UTF-8) file names. On failure they return false
// and put a German message (Windows-1252) naming the file into `error`. Only plain files
// are read: a folder, FIFO, device or socket is refused without waiting for it.

// The largest program or library file read whole.
inline constexpr size_t kMaxTextFileBytes = size_t(16) << 20;

// A file larger than `maxBytes` is refused.
bool ReadFileBytes(const std::string& path, std::string& bytes, std::string& error,
                   size_t maxBytes = kMaxTextFileBytes);
// The start of a file: reading stops after about `limit` bytes and, when
// `stopAfterLineBreak` is set, after the block that holds the first line break.
bool ReadFileStart(const std::string& path, std::string& bytes, std::string& error,
                   size_t limit, bool stopAfterLineBreak);
// A program file (at most kMaxTextFileBytes) decoded.
bool ReadTextFile(const std::string& path, DecodedText& text, std::string& error);
// Writes atomically (see atomic_file.h); `written` receives the format actually used.
bool WriteTextFile(const std::string& path, std::string_view utf8, TextFormat format,
                   std::string& error, TextFormat* written = nullptr);

}  // namespace tumbo::text
