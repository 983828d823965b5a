#include "editor/format_utf8.h"

#include <string_view>

#include "text/cp1252.h"

namespace {

// One line on its way through the formatter.
struct TEncodedLine {
  std::string Cp1252;
  std::vector<std::string> Stash;  // the characters behind the placeholders, in order
  char Placeholder = '\x81';
};

size_t Utf8Length(unsigned char lead) {
  return lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
}

// The placeholder is one of the codes Windows-1252 leaves undefined, and one the line does
// not hold already, so that the formatter (which leaves such bytes alone) cannot mix them up.
TEncodedLine Encode(std::string_view utf8) {
  TEncodedLine line;
  for (const char candidate : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'}) {
    line.Placeholder = candidate;
    if (utf8.find(tumbo::text::Cp1252ToUtf8(std::string(1, candidate))) == std::string_view::npos)
      break;
  }
  for (size_t i = 0; i < utf8.size();) {
    const std::string_view character =
        utf8.substr(i, Utf8Length(static_cast<unsigned char>(utf8[i])));
    if (tumbo::text::IsValidUtf8(character) && tumbo::text::FitsCp1252(character)) {
      line.Cp1252 += tumbo::text::Utf8ToCp1252(character);
    } else {
      line.Cp1252 += line.Placeholder;
      line.Stash.emplace_back(character);
    }
    i += character.size();
  }
  return line;
}

std::string Decode(const std::string& cp1252, const TEncodedLine& original) {
  if (original.Stash.empty()) return tumbo::text::Cp1252ToUtf8(cp1252);
  std::string utf8;
  size_t next = 0;
  for (const char c : cp1252) {
    if (c == original.Placeholder && next < original.Stash.size())
      utf8 += original.Stash[next++];
    else
      utf8 += tumbo::text::Cp1252ToUtf8(std::string_view(&c, 1));
  }
  return utf8;
}

}  // namespace

TFormatResult FormatUtf8Lines(const std::vector<std::string>& utf8Lines, int tabWidth,
                              bool formatToken) {
  std::vector<TEncodedLine> encoded;
  std::vector<std::string> lines;
  encoded.reserve(utf8Lines.size());
  lines.reserve(utf8Lines.size());
  for (const std::string& line : utf8Lines) {
    encoded.push_back(Encode(line));
    lines.push_back(encoded.back().Cp1252);
  }
  TFormatResult result = FormatLines(lines, tabWidth, formatToken);
  size_t bytes = 0;  // in UTF-8, which may take more than Windows-1252
  for (size_t i = 0; i < result.Lines.size() && i < encoded.size(); ++i) {
    result.Lines[i] = Decode(result.Lines[i], encoded[i]);
    bytes += result.Lines[i].size() + kLineBreakBytes;
    if (bytes > kMaxFormattedBytes) return TFormatResult{{}, false, true};
  }
  return result;
}
