// The shipped texts: the tips file in the format the tips window reads, the licence text,
// and the help pages (links that resolve, every word of the language explained).
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "language/headless_host.h"
#include "language/messages.h"
#include "language/parser.h"
#include "language/vocabulary.h"
#include "text/cp1252.h"
#include "text/text_file.h"
#include "world/welt.h"

namespace fs = std::filesystem;

namespace {

const fs::path kDataDir = fs::path(TUMBO_DATA_DIR);

std::string ReadBytes(const fs::path& path) {
  std::string bytes, error;
  EXPECT_TRUE(tumbo::text::ReadFileBytes(path.string(), bytes, error)) << error;
  return bytes;
}

// Lines of a Windows-1252 text with CR LF line ends; fails the test on any other line end.
std::vector<std::string> CrLfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find("\r\n", start);
    const std::string line = bytes.substr(start, end == std::string::npos ? end : end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "line break other than CR LF";
    lines.push_back(line);
    if (end == std::string::npos) break;
    start = end + 2;
  }
  return lines;
}

// --- tipps.txt ---

// The tips in file order, read as the tips window reads them: a header line beginning with
// "[" and every further line up to a line that is exactly "#".
struct TTip {
  std::string Number;  // the text between "[" and the first "]"
  std::vector<std::string> Lines;
  bool Closed = false;
};

std::vector<TTip> ReadTips() {
  const std::string bytes = ReadBytes(kDataDir / "tipps.txt");
  tumbo::text::TextFormat format;
  tumbo::text::DecodeToCp1252(bytes, &format);
  EXPECT_EQ(format.Encoding, tumbo::text::TextEncoding::Cp1252) << "tipps.txt is read as Windows-1252";
  std::vector<TTip> tips;
  bool inTip = false;
  for (const std::string& line : CrLfLines(bytes)) {
    if (inTip) {
      if (line == "#") {
        tips.back().Closed = true;
        inTip = false;
      } else {
        EXPECT_NE(line.substr(0, 1), "[") << "tip " << tips.back().Number << " is not closed by #";
        tips.back().Lines.push_back(line);
      }
    } else if (!line.empty() && line[0] == '[') {
      const size_t close = line.find(']');
      EXPECT_NE(close, std::string::npos) << line;
      tips.push_back({line.substr(1, close == std::string::npos ? 0 : close - 1), {}, false});
      inTip = true;
    }
  }
  return tips;
}

TEST(TipsFile, NumbersRunFromOneWithoutGaps) {
  const std::vector<TTip> tips = ReadTips();
  ASSERT_GE(tips.size(), 20u);
  for (size_t i = 0; i < tips.size(); ++i)
    EXPECT_EQ(tips[i].Number, std::to_string(i + 1));
}

TEST(TipsFile, EveryTipIsClosedShortAndNotEmpty) {
  for (const TTip& tip : ReadTips()) {
    SCOPED_TRACE("tip " + tip.Number);
    EXPECT_TRUE(tip.Closed);
    EXPECT_GE(tip.Lines.size(), 1u);
    EXPECT_LE(tip.Lines.size(), 4u) << "too long for the tips window";
    for (const std::string& line : tip.Lines) {
      EXPECT_FALSE(line.empty());
      EXPECT_LE(line.size(), 90u) << line;
    }
  }
}

// --- license.txt ---

TEST(LicenseFile, NamesTheLicenceAndCreditsTheLibraries) {
  const std::string bytes = ReadBytes(kDataDir / "license.txt");
  CrLfLines(bytes);
  const std::string text = tumbo::text::Cp1252ToUtf8(bytes);
  for (const char* needle : {"GNU General Public License", "GPL-3.0-or-later", "LICENSE", "Qt 6",
                             "QScintilla", "GoogleTest", "Google Benchmark", "DejaVu"})
    EXPECT_NE(text.find(needle), std::string::npos) << needle;
  EXPECT_NE(text.find("Lizenz"), std::string::npos);  // the notice is in German
}

// --- help ---

const fs::path kHelpDir = kDataDir / "hilfe";

std::map<std::string, std::string> HelpPages() {
  std::map<std::string, std::string> pages;
  for (const auto& entry : fs::directory_iterator(kHelpDir))
    if (entry.path().extension() == ".html")
      pages[entry.path().filename().string()] = ReadBytes(entry.path());
  return pages;
}

std::vector<std::string> Matches(const std::string& text, const std::regex& re) {
  std::vector<std::string> out;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
       ++it)
    out.push_back((*it)[1]);
  return out;
}

TEST(Help, PagesAreUtf8AndSaySo) {
  const auto pages = HelpPages();
  ASSERT_TRUE(pages.count("index.html"));
  for (const auto& [name, html] : pages) {
    EXPECT_TRUE(tumbo::text::IsValidUtf8(html)) << name;
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos) << name;
  }
}

TEST(Help, EveryLinkResolvesAndEveryPageIsReachableFromTheContents) {
  const auto pages = HelpPages();
  const std::regex href("href=\"([^\"]*)\"");
  const std::regex anchor("name=\"([^\"]*)\"");
  std::set<std::string> reached{"index.html"};
  std::vector<std::string> queue{"index.html"};
  while (!queue.empty()) {
    const std::string page = queue.back();
    queue.pop_back();
    for (const std::string& link : Matches(pages.at(page), href)) {
      SCOPED_TRACE(page + " -> " + link);
      ASSERT_EQ(link.find(':'), std::string::npos) << "the help links only to its own pages";
      if (fs::path(link).extension() == ".css") {  // the shared style sheet
        EXPECT_TRUE(fs::is_regular_file(kHelpDir / link));
        continue;
      }
      const size_t hash = link.find('#');
      const std::string file = hash == 0 ? page : link.substr(0, hash);
      ASSERT_TRUE(pages.count(file));
      if (hash != std::string::npos) {
        const auto names = Matches(pages.at(file), anchor);
        EXPECT_NE(std::find(names.begin(), names.end(), link.substr(hash + 1)), names.end());
      }
      if (reached.insert(file).second) queue.push_back(file);
    }
  }
  for (const auto& [name, html] : pages) EXPECT_TRUE(reached.count(name)) << name;
}

// Every instruction, condition and control word appears in an example or a code mark of
// the help, in its usual spelling.
TEST(Help, ExplainsEveryWordOfTheLanguage) {
  std::string code;
  const std::regex block("<(pre|code)>([^<]*)</(pre|code)>");
  for (const auto& [name, html] : HelpPages())
    for (auto it = std::sregex_iterator(html.begin(), html.end(), block);
         it != std::sregex_iterator(); ++it)
      code += " " + (*it)[2].str() + " ";
  std::vector<std::string> words;
  for (int i = 1; i <= kControlWordCount; ++i)
    if (*ControlWords[i]) words.push_back(ControlWords[i]);
  for (int i = 1; i <= kInstructionCount; ++i) words.push_back(Instructions[i]);
  for (int i = 1; i <= kConditionCount; ++i) words.push_back(Conditions[i]);
  for (const std::string& word : words) {
    const std::string utf8 = tumbo::text::Cp1252ToUtf8(word);
    const std::regex whole("(^|[^A-Za-z\\x80-\\xFF])" + utf8 + "([^A-Za-z\\x80-\\xFF]|$)");
    EXPECT_TRUE(std::regex_search(code, whole)) << utf8 << " has no example";
  }
}

// Every example of the help (a <pre> block without a class; templates and message lines
// carry one) is a program that checks without a message. Libraries come from the samples.
TEST(Help, ExamplesCheckWithoutMessage) {
  const std::regex example("<pre>([^<]*)</pre>");
  const std::string folder = (kDataDir / "beispiele").string() + "/";
  int checked = 0;
  for (const auto& [name, html] : HelpPages()) {
    for (auto it = std::sregex_iterator(html.begin(), html.end(), example);
         it != std::sregex_iterator(); ++it) {
      std::string text = (*it)[1].str();
      for (const auto& [entity, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}})
        for (size_t at; (at = text.find(entity)) != std::string::npos;)
          text.replace(at, std::string(entity).size(), c);
      TWelt world;
      TTumbo_HeadlessHost host;
      std::vector<std::string> messages;
      TTumbo_Parser engine(world, host, [&](int number, int line, const std::string& message) {
        messages.push_back(FormatErrorLine(number, line, message));
      });
      EXPECT_TRUE(engine.Compile(tumbo::text::Utf8ToCp1252(text), folder))
          << name << ":\n" << text << ::testing::PrintToString(messages);
      ++checked;
    }
  }
  EXPECT_GT(checked, 30);
}

}  // namespace
