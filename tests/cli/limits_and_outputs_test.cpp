// tumbo-cli's limits: endless programs end at the step limit, also far beyond 2^32 steps, and
// no output ever overwrites an input or another output.
#include <sys/stat.h>

#include <cstdlib>

#include "cli_fixture.h"

namespace {

class Limits : public Cli {
 protected:
  // Every run of the tool starts its statement count at `count` (see headless_run.h).
  struct TFirstCount {
    explicit TFirstCount(const std::string& count) {
      setenv("TUMBO_TEST_FIRST_STATEMENT_COUNT", count.c_str(), 1);
    }
    ~TFirstCount() { unsetenv("TUMBO_TEST_FIRST_STATEMENT_COUNT"); }
  };
};

// WIEDERHOLE IMMER runs to the step limit however large it is (each run starts 100
// statements before it instead of running that long).
TEST_F(Limits, EndlessLoopEndsAtAStepLimitBeyond32Bits) {
  const std::string program = Program("Programm\r\nwiederhole immer\r\nLinksDrehen\r\n*wiederhole\r\n*Programm");
  const TFirstCount first("4294967296");
  const TCliResult r = Cli_("run " + program + " --max-steps 4294967396");
  EXPECT_EQ(r.Exit, 4);
  EXPECT_EQ(r.Out, "Abgebrochen: mehr als 4294967396 Schritte\n");

  std::ofstream(dir_ / "welt.tdw") << ReadAll(kFixtures + "gang.tdw");
  Program("[Aufgabe]\r\nTitel=Immer\r\nMaxSchritte=1000000000000\r\n[Welt1]\r\nStart=welt.tdw\r\n"
          "Ziel=welt.tdw\r\n",
          "immer.tda");
  const TFirstCount nearer("999999999900");
  const TCliResult g = Cli_("grade " + (dir_ / "immer.tda").string() + " " + program);
  EXPECT_EQ(g.Exit, 5) << g.Err;
  EXPECT_NE(g.Out.find("Welt 1: Abgebrochen nach 1000000000000 Schritten in Zeile 2 \xE2\x80\x93 l\xC3\xA4uft das "
                       "Programm endlos?\n"),
            std::string::npos)
      << g.Out;
}

// A loop cut off by SONST before its end word compiles and has an empty body: it still ends at
// the step limit.
TEST_F(Limits, EmptyEndlessLoopEndsAtTheStepLimit) {
  const TCliResult r =
      Cli_("run " + Program("Programm\r\nsolange NichtIstMarke tue\r\nsonst\r\n") + " --max-steps 1000");
  EXPECT_EQ(r.Exit, 4);
  EXPECT_EQ(r.Out, "Abgebrochen: mehr als 1000 Schritte\n");
}

// format never writes a text the program would refuse to open: past 1000 levels the lines
// stand no further right, and a text that would still grow beyond 16 MB is refused.
TEST_F(Limits, FormattedTextStaysOpenable) {
  std::string deep;
  for (int i = 0; i < 5000; ++i) deep += "wiederhole 2 mal\r\n";  // 90 KB, 25 MB indented
  const std::string program = Program(deep + "Schritt\r\n");
  TCliResult r = Cli_("format --in-place " + program);
  EXPECT_EQ(r.Exit, 0) << r.Err;
  const std::string formatted = ReadAll(program);
  EXPECT_LT(formatted.size(), size_t(16) << 20);
  EXPECT_TRUE(formatted.ends_with("\r\n" + std::string(2000, ' ') + "Schritt\r\n"));
  EXPECT_EQ(Cli_("check " + program).Exit, 1) << "message 33, but the file opens";

  std::string wide;
  for (int i = 0; i < 1000; ++i) wide += "wiederhole 2 mal\r\n";
  for (int i = 0; i < 2000; ++i) wide += "Schritt\r\n";
  const std::string tooWide = Program(wide, "breit.tdp");
  r = Cli_("format --in-place --tab 16 " + tooWide);
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Err, "Das formatierte Programm w\xC3\xA4re gr\xC3\xB6\xC3\x9F" "er als 16 MB und wird nicht geschrieben.\n");
  EXPECT_EQ(ReadAll(tooWide), wide);
  r = Cli_("format --tab 16 " + tooWide);
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Out, "");
}

// An output that names an input (also through a link) or another output is refused before
// anything is read or written: exit 2, the files as they were.
TEST_F(Cli, OutputsNeverOverwriteInputsOrEachOther) {
  const std::string program = Program("Programm\r\nSchritt\r\n*Programm\r\n");
  const std::string world = (dir_ / "welt.tdw").string();
  std::ofstream(world) << ReadAll(kFixtures + "gang.tdw");
  const std::string worldText = ReadAll(world), programText = ReadAll(program);
  fs::create_symlink(world, dir_ / "link.png");
  fs::create_hard_link(program, dir_ / "hart.svg");
  const std::string task = std::string(TUMBO_DATA_DIR) + "/aufgaben/bis-zur-wand.tda";
  const std::string same = (dir_ / "x.txt").string();
  const std::string calls[] = {
      "run " + program + " --out " + program,
      "run " + program + " --history " + program,
      "run " + program + " --world " + world + " --out " + world,
      "run " + program + " --out " + same + " --history " + (dir_ / "." / "x.txt").string(),
      "run " + program + " --out - --history -",
      "render " + world + " -o " + (dir_ / "link.png").string(),
      "chart " + program + " -o " + (dir_ / "hart.svg").string(),
      "grade " + task + " " + program + " --csv " + program,
      "grade " + task + " " + program + " --csv " + same + " --html " + same,
  };
  for (const std::string& call : calls) {
    const TCliResult r = Cli_(call);
    EXPECT_EQ(r.Exit, 2) << call;
    EXPECT_EQ(r.Out, "") << call;
    EXPECT_TRUE(r.Err.ends_with("Es wird nichts geschrieben.\n")) << call << ": " << r.Err;
  }
  EXPECT_EQ(ReadAll(program), programText);
  EXPECT_EQ(ReadAll(world), worldText);
  EXPECT_FALSE(fs::exists(same));

  // Standard output redirected into the program: nothing is printed into it.
  for (const std::string& call : {"run " + program, "format " + program}) {
    std::ofstream(program, std::ios::binary) << programText;
    const TCliResult r = Cli_(call, program);
    EXPECT_EQ(r.Exit, 2) << call;
    EXPECT_EQ(ReadAll(program), "") << "emptied by the shell, but nothing written";
  }
  EXPECT_EQ(Cli_("run " + program + " --out -").Exit, 0) << "standard output is no input here";
}

}  // namespace
