// EINFÜGEN blocks and the look-up of library files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

#include "engine_harness.h"
#include "language/libraries.h"
#include "tree_dump.h"

namespace {

const std::string kLibs = std::string(TUMBO_FIXTURES_DIR) + "/language/libs/";

struct TLibraryResult {
  bool Ok;
  std::string Messages;
  std::string Tree;
};

TLibraryResult CompileWithLibraries(const std::string& program) {
  TEngineHarness h;
  TLibraryResult r;
  r.Ok = h.Engine.Compile(program, kLibs);
  for (const std::string& line : h.Log) r.Messages += (r.Messages.empty() ? "" : " | ") + line;
  r.Tree = DumpSequence(h.Engine.Program->Body);
  return r;
}

TEST(Libraries, StatementsCarryTheLineOfTheirName) {
  const TLibraryResult r = CompileWithLibraries(
      Lines({"Programm", "Einf\xFCgen werkzeuge *Einf\xFCgen", "Umdrehen", "*Programm"}));
  EXPECT_TRUE(r.Ok) << r.Messages;
  EXPECT_EQ(r.Tree,
            "20:p0@1 9:p0'UMDREHEN'@2{102:p1@2 102:p1@2} 301:p0'UMDREHEN'@3 999:c1:p0@4");
}

TEST(Libraries, SeveralNamesOnSeveralLines) {
  const TLibraryResult r = CompileWithLibraries(
      Lines({"Einf\xFCgen", "  werkzeuge", "  ZWEI *Einf\xFCgen", "Umdrehen Zwei"}));
  EXPECT_TRUE(r.Ok) << r.Messages;
  EXPECT_EQ(r.Tree,
            "9:p0'UMDREHEN'@2{102:p1@2 102:p1@2} 9:p0'ZWEI'@3{101:p2@3} 301:p0'UMDREHEN'@4 "
            "301:p0'ZWEI'@4");
}

TEST(Libraries, Utf8LibraryWithUmlauts) {
  const TLibraryResult r = CompileWithLibraries("Einf\xFCgen utf8 * L\xF6sche");
  EXPECT_TRUE(r.Ok) << r.Messages;
  EXPECT_EQ(r.Tree, "9:p0'L\xD6SCHE'@1{107:p1@1} 301:p0'L\xD6SCHE'@1");
}

struct TBlockCase {
  const char* Program;
  bool Ok;
};

TEST(Libraries, BlockMessages) {
  const std::string m8 =
      "[Fehlernr 8]: Preprozessor: Falsche Verwendung einer Bibliothek. Block EINF\xDCGEN muss "
      "man mit *EINF\xDCGEN abschlie\xDF" "en.";
  const std::string m9 =
      "[Fehlernr 9]: Preprozessor: Falsche Verwendung einer Bibliothek. Die Datei, die bei "
      "EINF\xDCGEN angef\xFChrt ist existiert nicht.";
  const std::string m7 = "[Fehlernr 7] (Zeile 1): Fehler beim * Ende einer Kontrollstruktur.";
  const TBlockCase cases[] = {
      {"Einf\xFCgen werkzeuge fehlt zwei *Einf\xFCgen Umdrehen Zwei", false},
      {"Einf\xFCgen *x werkzeuge *Einf\xFCgen Umdrehen", false},
      {"Einf\xFCgen werkzeuge * Umdrehen", true},
      {"Einf\xFCgen werkzeuge", true},
      {"Einf\xFCgen verschachtelt *Einf\xFCgen", false},
  };
  const std::string expected[] = {m9, m8, "", "", m7};
  for (size_t i = 0; i < std::size(cases); ++i) {
    const TLibraryResult r = CompileWithLibraries(cases[i].Program);
    EXPECT_EQ(r.Ok, cases[i].Ok) << cases[i].Program;
    EXPECT_EQ(r.Messages, expected[i]) << cases[i].Program;
  }
}

// A // comment that touches a word leaves the word joined to the next line mark: inside a block
// that raw word names no file, and a joined *EINF\xDCGEN does not close the block.
TEST(Libraries, CommentTouchingANameJoinsItToTheLineMark) {
  const std::string m8 = "[Fehlernr 8]: Preprozessor: Falsche Verwendung einer Bibliothek. Block";
  const std::string m9 = "[Fehlernr 9]: Preprozessor: Falsche Verwendung einer Bibliothek. Die";
  TLibraryResult r = CompileWithLibraries(Lines({"Einf\xFCgen", "werkzeuge//Werkzeug", "*Einf\xFCgen"}));
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Messages.substr(0, m9.size()), m9);
  EXPECT_EQ(r.Messages.find(" | "), std::string::npos) << "one message only: " << r.Messages;

  r = CompileWithLibraries(Lines({"Einf\xFCgen werkzeuge *Einf\xFCgen//Ende", "Umdrehen"}));
  EXPECT_FALSE(r.Ok);
  ASSERT_NE(r.Messages.find(" | "), std::string::npos) << r.Messages;
  EXPECT_EQ(r.Messages.substr(0, m8.size()), m8);
  EXPECT_EQ(r.Messages.substr(r.Messages.find(" | ") + 3, m9.size()), m9);

  r = CompileWithLibraries(Lines({"Schritt//vor dem Block", "Einf\xFCgen werkzeuge *Einf\xFCgen", "Umdrehen"}));
  EXPECT_TRUE(r.Ok) << r.Messages;
  EXPECT_EQ(r.Tree, "101:p1@1 9:p0'UMDREHEN'@2{102:p1@2 102:p1@2} 301:p0'UMDREHEN'@3");
}

TEST(Libraries, MessageStopsTheParseBeforeItsFirstStatement) {
  const TLibraryResult r = CompileWithLibraries("Schritt Einf\xFCgen fehlt *Einf\xFCgen LinksDrehen");
  EXPECT_FALSE(r.Ok);
  EXPECT_EQ(r.Tree, "");
}

TEST(Libraries, FileLookUpIgnoresCase) {
  EXPECT_EQ(FindLibraryFile("WERKZEUGE", kLibs), kLibs + "Werkzeuge.tdp");
  EXPECT_EQ(FindLibraryFile("ZWEI", kLibs), kLibs + "zwei.TDP");
  EXPECT_EQ(FindLibraryFile("ZWEI.TDP", kLibs), kLibs + "zwei.TDP");
  EXPECT_EQ(FindLibraryFile("NICHTDA", kLibs), "");
  EXPECT_EQ(FindLibraryFile("ZWEI.TXT", kLibs), "");
}

TEST(Libraries, LibraryNameOfAFolderGivesMessage9) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tumbo_lang_folder_lib";
  std::filesystem::create_directories(dir / "ordner.tdp");
  TEngineHarness h;
  EXPECT_FALSE(h.Engine.Compile("Einf\xFCgen ordner *Einf\xFCgen", dir.string() + "/"));
  ASSERT_EQ(h.Log.size(), 1u);
  EXPECT_EQ(h.Log[0].substr(0, 14), "[Fehlernr 9]: ");
  std::filesystem::remove_all(dir);
}

TEST(Libraries, UnreadableLibraryGivesMessage9) {
  if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tumbo_lang_unreadable";
  std::filesystem::create_directories(dir);
  const std::filesystem::path file = dir / "gesperrt.tdp";
  std::ofstream(file) << "Schritt";
  std::filesystem::permissions(file, std::filesystem::perms::none);
  TEngineHarness h;
  EXPECT_FALSE(h.Engine.Compile("Einf\xFCgen gesperrt *Einf\xFCgen", dir.string() + "/"));
  ASSERT_EQ(h.Log.size(), 1u);
  EXPECT_EQ(h.Log[0].substr(0, 14), "[Fehlernr 9]: ");
  std::filesystem::remove_all(dir);
}

// A program with its libraries is at most 16 MB of text: naming a large library again and
// again, a library beyond the limit, a program beyond it, or a large library with a large
// program (wherever the block stands) gives message 34 once, quickly.
TEST(Libraries, ProgramWithItsLibrariesIsLimitedTo16MB) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("tumbo_lang_size_" + std::to_string(getpid()));
  fs::create_directories(dir);
  std::string oneMegabyte;
  while (oneMegabyte.size() < (size_t(1) << 20)) oneMegabyte += "Schritt\r\n";
  std::ofstream(dir / "mega.tdp", std::ios::binary) << oneMegabyte;
  std::string nineMegabytes;
  for (int i = 0; i < 9; ++i) nineMegabytes += oneMegabyte;
  std::ofstream(dir / "neun.tdp", std::ios::binary) << nineMegabytes;
  std::ofstream(dir / "riesig.tdp", std::ios::binary) << "Schritt";
  fs::resize_file(dir / "riesig.tdp", kMaxProgramBytes + 1);
  const std::string folder = dir.string() + "/";
  const std::string m34 =
      "[Fehlernr 34]: Das Programm ist zu gro\xDF: h\xF6" "chstens 16 MB Programmtext mit allen "
      "Bibliotheken.";
  auto namingMega = [](int times) {
    std::string program = "Einf\xFCgen";
    for (int i = 0; i < times; ++i) program += " mega";
    return program + " *Einf\xFCgen";
  };
  struct TCase {
    std::string Program;
    bool Ok;
  };
  const TCase cases[] = {
      {namingMega(2), true},
      {namingMega(300), false},
      {"Einf\xFCgen riesig *Einf\xFCgen", false},
      {std::string(kMaxProgramBytes + 1, ' '), false},
      {"Einf\xFCgen neun *Einf\xFCgen\r\n" + nineMegabytes, false},
      {nineMegabytes + "Einf\xFCgen neun *Einf\xFCgen\r\n", false},
      {"Einf\xFCgen neun *Einf\xFCgen\r\n" + oneMegabyte, true},
  };
  for (const TCase& c : cases) {
    TEngineHarness h;
    EXPECT_EQ(h.Engine.Compile(c.Program, folder), c.Ok) << c.Program.substr(0, 40);
    EXPECT_EQ(h.Joined(), c.Ok ? "" : m34) << c.Program.substr(0, 40);
  }
  fs::remove_all(dir);
}

TEST(Libraries, LibraryThatIsAFifoGivesMessage9AtOnce) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("tumbo_lang_fifo_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  ASSERT_EQ(mkfifo((dir / "pipe.tdp").c_str(), 0600), 0);
  TEngineHarness h;
  EXPECT_FALSE(h.Engine.Compile("Einf\xFCgen pipe *Einf\xFCgen", dir.string() + "/"));
  ASSERT_EQ(h.Log.size(), 1u);
  EXPECT_EQ(h.Log[0].substr(0, 14), "[Fehlernr 9]: ");
  std::filesystem::remove_all(dir);
}

}  // namespace
