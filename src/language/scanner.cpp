#include "language/scanner.h"

#include <array>
#include <limits>

namespace {

enum : uint8_t { kKept = 1, kWord = 2, kStop = 4, kStatementStart = 8 };

constexpr std::array<uint8_t, 256> MakeClasses() {
  std::array<uint8_t, 256> t{};
  auto add = [&t](unsigned char c, uint8_t cls) { t[c] |= cls; };
  for (unsigned char c = 'A'; c <= 'Z'; ++c) add(c, kKept | kWord | kStop | kStatementStart);
  for (unsigned char c = 'a'; c <= 'z'; ++c) add(c, kKept | kWord | kStop | kStatementStart);
  for (unsigned char c : {0xC4, 0xD6, 0xDC, 0xE4, 0xF6, 0xFC})  // Ä Ö Ü ä ö ü
    add(c, kKept | kWord | kStop | kStatementStart);
  add('_', kKept | kWord | kStop | kStatementStart);
  add('*', kKept | kWord | kStop | kStatementStart);
  for (unsigned char c = '0'; c <= '9'; ++c) add(c, kKept | kWord | kStop);
  add('.', kKept | kWord);
  add('(', kKept | kStop);
  add(')', kKept | kStop);
  add(':', kKept);
  add('\\', kKept);
  add(0xFA, kKept);  // the line mark delimiter
  return t;
}

constexpr std::array<uint8_t, 256> kClasses = MakeClasses();

inline uint8_t ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }

inline char Upper(char c) {
  const auto u = static_cast<unsigned char>(c);
  if ((u >= 'a' && u <= 'z') || u == 0xE4 || u == 0xF6 || u == 0xFC) return static_cast<char>(u - 32);
  return c;
}

// Pass 1: a blank, the line mark and a blank in front of every source line.
std::string MarkLines(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 8 + 16);
  int32_t line = 1;
  size_t i = 0;
  for (;;) {
    out += ' ';
    AppendLineMark(out, line);
    out += ' ';
    while (i < text.size() && text[i] != '\r' && text[i] != '\n' && text[i] != '\0') {
      // A character 250 written by the user is dropped here, so that it cannot be taken for a
      // line mark later; it is not a character of the language anyway.
      out += text[i] == kLineMarkChar ? '#' : text[i];
      ++i;
    }
    if (i >= text.size()) break;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    ++i;
    ++line;
  }
  return out;
}

// Pass 2: keeps the language's characters upper-cased, collapses separators, drops comments.
std::string Filter(const std::string& in) {
  std::string out;
  out.reserve(in.size());
  bool blankFlag = true;
  bool semicolonFlag = true;
  const size_t n = in.size();
  size_t i = 0;
  while (i < n) {
    const char c = in[i];
    if (ClassOf(c) & kKept) {
      out += Upper(c);
      blankFlag = semicolonFlag = false;
      ++i;
    } else if (c == ';') {
      if (!semicolonFlag) out += ';';
      semicolonFlag = true;
      ++i;
    } else if (static_cast<unsigned char>(c) < 14 || c == ' ') {
      if (!blankFlag && !semicolonFlag) out += ' ';
      blankFlag = true;
      ++i;
    } else if (c == '/' && i + 1 < n && in[i + 1] == '/') {
      // Up to the next line mark, which is kept.
      const size_t mark = in.find(kLineMarkChar, i + 2);
      i = mark == std::string::npos ? n : mark;
    } else if (c == '{') {
      const size_t close = in.find('}', i + 1);
      i = close == std::string::npos ? n : close + 1;
    } else {
      ++i;
    }
  }
  return out;
}

// Pass 3: drops every line entry whose content after its mark is at most one character long.
std::string RemoveEmptyLines(const std::string& in) {
  std::string out;
  out.reserve(in.size());
  const size_t n = in.size();
  size_t i = in.find(kLineMarkChar);
  out.append(in, 0, i == std::string::npos ? n : i);
  while (i < n) {
    // i is on the opening character 250 of a mark.
    size_t markEnd = in.find(kLineMarkChar, i + 1);
    markEnd = markEnd == std::string::npos ? n : markEnd + 1;
    size_t next = markEnd < n ? in.find(kLineMarkChar, markEnd) : std::string::npos;
    if (next == std::string::npos) next = n;
    if (next - markEnd > 1) out.append(in, i, next - i);
    i = next;
  }
  return out;
}

}  // namespace

bool IsKeptChar(char c) { return ClassOf(c) & kKept; }
bool IsWordChar(char c) { return ClassOf(c) & kWord; }
bool IsStopChar(char c) { return ClassOf(c) & kStop; }
bool IsStatementStartChar(char c) { return ClassOf(c) & kStatementStart; }

void AppendLineMark(std::string& out, int32_t line) {
  out += kLineMarkChar;
  out += std::to_string(line);
  out += kLineMarkChar;
}

std::string Preprocess(std::string_view text) {
  return RemoveEmptyLines(Filter(MarkLines(text)));
}

namespace {

// Moves past the line mark starting at `pos` and the single blank after it.
inline void PassLineMark(const std::string& s, size_t& pos) {
  const size_t close = s.find(kLineMarkChar, pos + 1);
  pos = close == std::string::npos ? s.size() : close + 1;
  if (pos < s.size() && s[pos] == ' ') ++pos;
}

}  // namespace

void SkipToWord(const std::string& source, size_t& pos) {
  const size_t n = source.size();
  while (pos < n && !(ClassOf(source[pos]) & kStop)) {
    if (source[pos] == kLineMarkChar)
      PassLineMark(source, pos);
    else
      ++pos;
  }
}

TWord ReadWord(const std::string& source, size_t& pos) {
  TWord word;
  SkipToWord(source, pos);
  const size_t n = source.size();
  const size_t start = pos;
  while (pos < n && (ClassOf(source[pos]) & kWord)) ++pos;
  word.Text.assign(source, start, pos - start);  // the working text is upper case already
  if (word.Text.compare(0, 6, "TUMBO.") == 0) {
    word.ObjectPrefix = "TUMBO";
    word.Text.erase(0, 6);
  }
  size_t look = pos;
  SkipToWord(source, look);
  if (look < n && source[look] == '(') {
    pos = look + 1;
    const size_t close = source.find(')', pos);
    const size_t end = close == std::string::npos ? n : close;
    word.ArgumentText.assign(source, pos, end - pos);
    pos = end;
  }
  return word;
}

int32_t ReadLineMark(const std::string& source, size_t& pos) {
  if (!IsLineMarkAt(source, pos)) return 0;
  const size_t close = source.find(kLineMarkChar, pos + 1);
  const size_t end = close == std::string::npos ? source.size() : close;
  int32_t number = 0;
  if (!IsIntegerText(std::string_view(source).substr(pos + 1, end - pos - 1), &number)) number = 0;
  pos = close == std::string::npos ? source.size() : close + 1;
  return number;
}

bool IsIntegerText(std::string_view text, int32_t* value) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int base = 10;
  if (i < text.size() && (text[i] == 'X' || text[i] == 'x')) {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'X' || text[i + 1] == 'x')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  int64_t magnitude = 0;
  const int64_t limit = negative ? int64_t{1} << 31 : (int64_t{1} << 31) - 1;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else return false;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return false;
  }
  if (value) *value = static_cast<int32_t>(negative ? -magnitude : magnitude);
  return true;
}
