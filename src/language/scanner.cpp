#include "language/scanner.h"

#include <algorithm>
#include <array>
#include <charconv>
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

// Upper case of the language's letters: a-z, �, �, �.
constexpr std::array<char, 256> MakeUpper() {
  std::array<char, 256> t{};
  for (int c = 0; c < 256; ++c) {
    const bool lower = (c >= 'a' && c <= 'z') || c == 0xE4 || c == 0xF6 || c == 0xFC;
    t[size_t(c)] = static_cast<char>(lower ? c - 32 : c);
  }
  return t;
}

constexpr std::array<char, 256> kUpper = MakeUpper();

// What the working text makes of a character of the program text.
enum class TAct : uint8_t { Drop, Keep, Semicolon, Blank, LineBreak, Slash, Brace };

constexpr std::array<TAct, 256> MakeActions() {
  std::array<TAct, 256> t{};
  for (int c = 0; c < 256; ++c) {
    if (kClasses[size_t(c)] & kKept) t[size_t(c)] = TAct::Keep;
    else if (c < 14 || c == ' ') t[size_t(c)] = TAct::Blank;
  }
  // A character 250 written by the user is dropped, so that it cannot be taken for a line mark
  // later; it is not a character of the language anyway.
  t[0xFA] = TAct::Drop;
  t[size_t(';')] = TAct::Semicolon;
  for (unsigned char c : {'\r', '\n', '\0'}) t[c] = TAct::LineBreak;
  t[size_t('/')] = TAct::Slash;
  t[size_t('{')] = TAct::Brace;
  return t;
}

constexpr std::array<TAct, 256> kActions = MakeActions();

// Past the line break at `i`; CR LF is one.
inline size_t PastLineBreak(std::string_view text, size_t i) {
  return i + (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1);
}

// The line breaks in text[from, to), neither end inside a CR LF.
int32_t CountLineBreaks(std::string_view text, size_t from, size_t to) {
  int32_t count = 0;
  for (size_t i = from; i < to;) {
    if (kActions[static_cast<unsigned char>(text[i])] == TAct::LineBreak) {
      ++count;
      i = PastLineBreak(text, i);
    } else {
      ++i;
    }
  }
  return count;
}

// Builds the working text in one pass, writing into a buffer sized ahead. Every source line
// opens an entry: a blank (kept only after a word), its line mark, a blank, and what is kept
// of the line, upper-cased, with separators collapsed and comments dropped. An entry keeping
// no more than one character after its mark is taken back when the next one opens. A block
// comment swallows the line breaks it spans, so the text after it joins the line where it
// opened; a line comment ends at its line break, the blank before the next mark included.
class TWorkingTextBuilder {
 public:
  explicit TWorkingTextBuilder(std::string_view text)
      : text_(text), out_(text.size() + text.size() / 4 + 64, '\0') {}

  std::string Build() {
    const char* const p = text_.data();
    const size_t n = text_.size();
    OpenEntry(0, true);
    size_t i = 0;
    while (i < n) {
      const auto c = static_cast<unsigned char>(p[i]);
      switch (kActions[c]) {
        case TAct::Keep: {
          // A run of kept characters at once, through locals the compiler keeps in registers.
          char* const out = out_.data();
          size_t k = len_;
          do {
            out[k++] = kUpper[static_cast<unsigned char>(p[i++])];
          } while (i < n && kActions[static_cast<unsigned char>(p[i])] == TAct::Keep);
          len_ = k;
          blankFlag_ = semicolonFlag_ = false;
          break;
        }
        case TAct::Semicolon:
          if (!semicolonFlag_) Put(';');
          semicolonFlag_ = true;
          ++i;
          break;
        case TAct::Blank:
          Blank();
          ++i;
          break;
        case TAct::LineBreak:
          i = PastLineBreak(text_, i);
          OpenEntry(i, true);
          break;
        case TAct::Slash:
          if (i + 1 < n && p[i + 1] == '/') {
            i = LineEnd(i + 2);
            if (i < n) {
              i = PastLineBreak(text_, i);
              OpenEntry(i, false);
            }
          } else {
            ++i;
          }
          break;
        case TAct::Brace: {
          const size_t close = text_.find('}', i + 1);
          if (close == std::string_view::npos) {
            i = n;
          } else {
            line_ += CountLineBreaks(text_, i + 1, close);
            i = close + 1;
          }
          break;
        }
        case TAct::Drop:
          ++i;
          break;
      }
    }
    CloseEntry();
    out_.resize(len_);
    return std::move(out_);
  }

 private:
  std::string_view text_;
  std::string out_;
  size_t len_ = 0;           // characters of out_ written
  size_t entryStart_ = 0;    // where the open entry's mark begins
  size_t contentStart_ = 0;  // just after that mark
  int32_t line_ = 0;         // the line of the open entry
  bool blankFlag_ = true;
  bool semicolonFlag_ = true;

  void Put(char c) { out_[len_++] = c; }

  void Blank() {
    if (!blankFlag_ && !semicolonFlag_) Put(' ');
    blankFlag_ = true;
  }

  size_t LineEnd(size_t i) const {
    while (i < text_.size() && kActions[static_cast<unsigned char>(text_[i])] != TAct::LineBreak) ++i;
    return i;
  }

  void CloseEntry() {
    if (len_ - contentStart_ <= 1) len_ = entryStart_;
  }

  // Opens the entry of the next line, which starts at text_[i].
  void OpenEntry(size_t i, bool blankBefore) {
    // Room for the mark and its blanks, and one character for each one of the text still to come.
    const size_t need = len_ + 16 + (text_.size() - i);
    if (need > out_.size()) out_.resize(std::max(need, out_.size() + out_.size() / 2));
    if (blankBefore) Blank();
    CloseEntry();
    ++line_;
    entryStart_ = len_;
    Put(kLineMarkChar);
    len_ = size_t(std::to_chars(out_.data() + len_, out_.data() + out_.size(), line_).ptr -
                  out_.data());
    Put(kLineMarkChar);
    contentStart_ = len_;
    blankFlag_ = semicolonFlag_ = false;
    Blank();
  }
};

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

std::string Preprocess(std::string_view text) { return TWorkingTextBuilder(text).Build(); }

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
  SkipToWord(source, pos);
  const size_t n = source.size();
  const size_t start = pos;
  while (pos < n && (ClassOf(source[pos]) & kWord)) ++pos;
  // Constructed, not assigned: cheaper for the millions of words of a large program.
  TWord word{std::string(source, start, pos - start), {}, {}};  // upper case already
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
  const std::string_view text = std::string_view(source).substr(pos + 1, end - pos - 1);
  int32_t number = 0;
  // A mark's own digits are read directly; anything else the general way.
  const bool digits = !text.empty() && text.size() <= 9 &&
                      std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (digits) {
    for (char c : text) number = number * 10 + (c - '0');
  } else if (!IsIntegerText(text, &number)) {
    number = 0;
  }
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
