#include "language/libraries.h"

#include <algorithm>
#include <filesystem>
#include <functional>
#include <unordered_map>
#include <system_error>
#include <vector>

#include "language/messages.h"
#include "language/scanner.h"
#include "text/cp1252.h"
#include "text/text_file.h"

namespace fs = std::filesystem;

namespace {

const std::string kEinfuegen = "EINF\xDCGEN";
const std::string kEndEinfuegen = "*EINF\xDCGEN";

// The entry of `dir` named `part`: exactly, else the first (in name order) that matches
// without regard to case. Empty when none.
std::string MatchEntry(const fs::path& dir, const std::string& partUtf8) {
  std::error_code ec;
  const fs::path exact = dir / partUtf8;
  if (fs::exists(exact, ec)) return partUtf8;
  const std::string wanted = tumbo::text::UpperCp1252(tumbo::text::Utf8ToCp1252(partUtf8));
  std::vector<std::string> matches;
  for (fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string entry = it->path().filename().string();
    if (tumbo::text::UpperCp1252(tumbo::text::Utf8ToCp1252(entry)) == wanted)
      matches.push_back(entry);
  }
  if (matches.empty()) return {};
  return *std::min_element(matches.begin(), matches.end());
}

// Splits at the path separators of the name as written (\ in program texts).
std::vector<std::string> SplitParts(const std::string& name) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : name) {
    if (c == '\\' || c == '/') {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  parts.push_back(current);
  return parts;
}

bool HasFolderPart(const std::string& name) {
  return name.find_first_of("\\/:") != std::string::npos;
}

// The working text of a library, its line marks removed with the blank after each.
std::string LibraryText(const std::string& cp1252) {
  const std::string processed = Preprocess(cp1252);
  std::string out;
  out.reserve(processed.size());
  size_t i = 0;
  while (i < processed.size()) {
    if (processed[i] == kLineMarkChar) {
      const size_t close = processed.find(kLineMarkChar, i + 1);
      i = close == std::string::npos ? processed.size() : close + 1;
      if (i < processed.size() && processed[i] == ' ') ++i;
    } else {
      out += processed[i++];
    }
  }
  return out;
}

// Reads the next raw word of the working text: a single blank or a maximal run of non-blank
// characters. A line mark is followed by a blank, so it is a raw word of its own unless a word
// touches it from the left: "LIB1;" + mark, or "LIB1" + mark when a // comment followed the name
// directly. Such a word keeps its mark (and so names no library file).
std::string_view NextRawWord(const std::string& s, size_t& i) {
  const size_t start = i;
  if (s[i] == ' ') {
    ++i;
  } else {
    while (i < s.size() && s[i] != ' ') ++i;
  }
  return std::string_view(s).substr(start, i - start);
}

// The line mark at the end of a raw word, or empty.
std::string_view TrailingMark(std::string_view word) {
  if (word.size() < 2 || word.back() != kLineMarkChar) return {};
  const size_t open = word.rfind(kLineMarkChar, word.size() - 2);
  return open == std::string_view::npos ? std::string_view() : word.substr(open);
}

// Takes the line mark (and its blank) off the end of `result`; returns it, or empty.
std::string TakeTrailingMark(std::string& result) {
  if (result.size() < 4 || result.back() != ' ' || result[result.size() - 2] != kLineMarkChar)
    return {};
  const size_t open = result.rfind(kLineMarkChar, result.size() - 3);
  if (open == std::string::npos) return {};
  std::string mark = result.substr(open, result.size() - 1 - open);
  result.erase(open);
  return mark;
}

struct TLibrary {
  bool Found = false;     // false: message 9
  bool TooLarge = false;  // larger than a whole program may be: message 34
  std::string Text;       // its working text without line marks
};

TLibrary ReadLibrary(const std::string& name, const std::string& folder) {
  TLibrary library;
  const std::string path = FindLibraryFile(name, folder);
  if (path.empty()) return library;
  std::error_code ec;
  if (fs::file_size(path, ec) > kMaxProgramBytes && !ec) {
    library.Found = library.TooLarge = true;
    return library;
  }
  std::string bytes, error;
  if (!tumbo::text::ReadFileBytes(path, bytes, error, kMaxProgramBytes)) return library;
  library.Found = true;
  library.Text = LibraryText(tumbo::text::DecodeToCp1252(bytes));
  return library;
}

}  // namespace

std::string FindLibraryFile(const std::string& name, const std::string& folder) {
  std::string withExtension = name;
  const size_t lastSeparator = withExtension.find_last_of("\\/:");
  const size_t dot = withExtension.rfind('.');
  if (dot == std::string::npos || (lastSeparator != std::string::npos && dot < lastSeparator))
    withExtension += ".tdp";
  fs::path dir = HasFolderPart(name) ? fs::path() : fs::path(folder);
  const std::vector<std::string> parts = SplitParts(withExtension);
  for (size_t k = 0; k < parts.size(); ++k) {
    const std::string part = tumbo::text::Cp1252ToUtf8(parts[k]);
    if (part.empty()) {
      if (k == 0) dir = "/";  // a name that starts with a separator
      continue;
    }
    const std::string entry = MatchEntry(dir, part);
    if (entry.empty()) return {};
    dir /= entry;
  }
  std::error_code ec;
  if (!fs::is_regular_file(dir, ec)) return {};
  return dir.string();
}

std::string ExpandLibraries(std::string source, const std::string& folder,
                            const std::function<void(int number)>& report) {
  // Most programs include nothing: their working text stays as it is, without a copy.
  const std::boyer_moore_horspool_searcher block(kEinfuegen.begin(), kEinfuegen.end());
  if (std::search(source.begin(), source.end(), block) == source.end()) return source;
  std::string result;
  result.reserve(source.size());
  std::string lastMark;  // the mark last written to the result
  // Each name is looked up and read once, however often the program names it.
  std::unordered_map<std::string, TLibrary> libraries;
  bool tooLarge = false;  // reported once; nothing more is included after it
  size_t i = 0;
  while (i < source.size()) {
    const std::string_view word = NextRawWord(source, i);
    if (word != kEinfuegen) {
      if (const std::string_view mark = TrailingMark(word); !mark.empty()) lastMark = mark;
      result += word;
      continue;
    }
    // The block's line: its mark comes off the result and names the included statements.
    std::string currentMark = TakeTrailingMark(result);
    if (currentMark.empty()) currentMark = lastMark;
    while (i < source.size()) {
      const std::string_view item = NextRawWord(source, i);
      if (item == kEndEinfuegen || item == "*") break;
      if (item == " ") continue;
      if (item.front() == kLineMarkChar) {
        currentMark = item;
        continue;
      }
      if (item.front() == '*') {
        report(msgLibraryBlock);
        continue;
      }
      auto [entry, isNew] = libraries.try_emplace(std::string(item));
      if (isNew) entry->second = ReadLibrary(std::string(item), folder);
      const TLibrary& library = entry->second;
      if (!library.Found) {
        report(msgLibraryMissing);
        continue;
      }
      if (tooLarge) continue;
      // Every byte counts, also the program's text after the block, which is still to come.
      const size_t rest = source.size() - i;
      if (library.TooLarge ||
          result.size() + rest + currentMark.size() + library.Text.size() + 2 > kMaxProgramBytes) {
        report(msgTooLarge);
        tooLarge = true;
        continue;
      }
      if (!result.empty()) result += ' ';
      result += currentMark;
      result += ' ';
      result += library.Text;
      lastMark = currentMark;
    }
  }
  return result;
}
