// tumbo-cli check, run and format on small programs and worlds.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "cli_fixture.h"

#include "support/write_faults.h"

namespace {

TEST_F(Cli, CheckWithoutErrors) {
  const TCliResult r = Cli_("check " + kFixtures + "gang.tdp");
  EXPECT_EQ(r.Exit, 0);
  EXPECT_EQ(r.Out, "Kein Syntaxfehler\n");
}

TEST_F(Cli, CheckPrintsTheMessagesInUtf8) {
  TCliResult r = Cli_("check " + kFixtures + "fehler.tdp");
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Out,
            "[Fehlernr 10] (Zeile 3): Unbekannte Anweisung. Schreibweise kontrollieren!\n"
            "[Fehlernr 24] (Zeile 3): Fehlt Ende der Kontrollstruktur WIEDERHOLE.\n");
  r = Cli_("check " + Program("\r\nwiederhole Schritt"));
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Out,
            "[Fehlernr 3] (Zeile 2): nach WIEDERHOLE muss entweder Ganzzahl, IMMER, SOLANGE oder "
            "m\xC3\xBCssen Anweisungen mit *WIEDERHOLE folgen.\n");
  r = Cli_("check " + Program("Einf\xFCgen fehlt *Einf\xFCgen"));
  EXPECT_EQ(r.Out.substr(0, 15), "[Fehlernr 9]: P");
}

TEST_F(Cli, UsageErrorsAndUnreadableFiles) {
  const char* calls[] = {"", "unbekannt", "check", "check a b", "run", "run x.tdp --errors viele",
                         "run x.tdp --max-steps 0", "run x.tdp --bricks 3", "run x.tdp --history", "format --tab 0 x.tdp",
                         "check /gibt/es/nicht.tdp", "run x.tdp --out ''", "run x.tdp --world ''",
                         "run x.tdp --max-depth 1000001", "chart x.tdp -o ''",
                         "format x.tdp --in-place --inplace", "grade a.tda p.tdp --csv ''"};
  for (const char* args : calls) {
    const TCliResult r = Cli_(args);
    EXPECT_EQ(r.Exit, 2) << args;
    EXPECT_EQ(r.Out, "") << args;
    EXPECT_FALSE(r.Err.empty()) << args;
  }
  const TCliResult r = Cli_("run " + kFixtures + "gang.tdp --world /gibt/es/nicht.tdw");
  EXPECT_EQ(r.Exit, 2);
}

TEST_F(Cli, RunWithTraceAndOut) {
  const fs::path out = dir_ / "ende.tdw";
  const TCliResult r =
      Cli_("run " + kFixtures + "gang.tdp --world " + kFixtures + "gang.tdw --trace --out " + out.string());
  EXPECT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out,
            "@1\n@2\n@3\n@4\n@5\n@2\n@3\n@3\n@3\n@4\n@5\n@2\n@3\n@4\n@5\n@2\n@6\n@7\n@-1\n");
  std::string expected = ReadAll(kFixtures + "gang.tdw");
  expected.replace(expected.find("0 0 0 "), 6, "0 3 3 ");
  expected.replace(expected.find("n n n m"), 7, "n n n o");
  EXPECT_EQ(ReadAll(out), expected);
  EXPECT_EQ(Cli_("run " + kFixtures + "gang.tdp --world " + kFixtures + "gang.tdw --out -").Out,
            expected);
}

TEST_F(Cli, RunWritesItsHistory) {
  const std::string program =
      Program("Programm\r\nMarkeSetzen\r\nHinlegen(2)\r\nSchritt\r\n*Programm\r\n");
  const fs::path history = dir_ / "ablauf.txt";
  const TCliResult r = Cli_("run " + program + " --errors none --history " + history.string());
  EXPECT_EQ(r.Exit, 0) << r.Err;
  const std::string expected =
      "TumboAblauf1\nRaum 5 10 6\nSchritte 0 6\n"
      "0 1 0 0 S 0 0\n"
      "1 2 0 0 S 0 0\n"
      "2 3 0 0 S 0 0 0,0:0>0m\n"
      "3 4 0 0 S 0 0 0,1:0>2\n"
      "4 5 0 0 S 0 3\n"  // the step onto two bricks was too high
      "5 -1 0 0 S 0 0\n";
  EXPECT_EQ(ReadAll(history), expected);
  EXPECT_EQ(Cli_("run " + program + " --errors none --history -").Out, expected);

  const TCliResult unwritable = Cli_("run " + program + " --history " + (dir_ / "fehlt" / "a.txt").string());
  EXPECT_EQ(unwritable.Exit, 2);
  EXPECT_NE(unwritable.Err.find("fehlt"), std::string::npos) << unwritable.Err;
}

TEST_F(Cli, RobotFailureSettings) {
  const std::string base = "run " + kFixtures + "gang.tdp --world " + kFixtures + "gang.tdw --max-jump 0 ";
  const std::string jump = "Tumbo kann nicht so hoch/tief springen";
  TCliResult r = Cli_(base + "--errors abort");
  EXPECT_EQ(r.Exit, 0);
  EXPECT_EQ(r.Out, "[Abbruch] (Zeile 4): " + jump + "\n");
  r = Cli_(base + "--errors both");
  EXPECT_EQ(r.Out, "[Hinweis] (Zeile 4): " + jump + "\n[Abbruch] (Zeile 4): " + jump + "\n");
  r = Cli_(base + "--max-steps 13");
  EXPECT_EQ(r.Exit, 4);
  EXPECT_EQ(r.Out, "[Hinweis] (Zeile 4): " + jump + "\n[Hinweis] (Zeile 4): " + jump +
                       "\nAbgebrochen: mehr als 13 Schritte\n");
  r = Cli_(base + "--errors none --max-steps 100");
  EXPECT_EQ(r.Exit, 4);
  EXPECT_EQ(r.Out, "Abgebrochen: mehr als 100 Schritte\n");
}

TEST_F(Cli, BricksAndDepth) {
  TCliResult r = Cli_("run " + Program("Hinlegen(3)") + " --bricks 2 5");
  EXPECT_EQ(r.Out, "[Hinweis] (Zeile 1): Tumbo hat keine Ziegel mehr zum Hinlegen\n");
  r = Cli_("run " + Program("Hinlegen(3)"));
  EXPECT_EQ(r.Out, "") << "without brick counting the supply is unlimited";
  r = Cli_("run " + Program("\r\nAnweisung A A *Anweisung A") + " --max-depth 5");
  EXPECT_EQ(r.Exit, 0);
  EXPECT_EQ(r.Out, "[Abbruch] (Zeile 2): Zu tiefe Rekursion: mehr als 5 verschachtelte Aufrufe.\n");
  r = Cli_("run " + Program("Schritt Umdrehen"));
  EXPECT_EQ(r.Exit, 1);
  EXPECT_EQ(r.Out, "[Fehlernr 10] (Zeile 1): Unbekannte Anweisung. Schreibweise kontrollieren!\n");
}

TEST_F(Cli, LibrariesAreFoundInTheProgramsFolder) {
  const TCliResult r = Cli_("run " + kFixtures + "mit-bibliothek.tdp --trace");
  EXPECT_EQ(r.Exit, 0) << r.Out << r.Err;
  EXPECT_EQ(r.Out, "@2\n@1\n@1\n@-1\n");
}

TEST_F(Cli, Format) {
  TCliResult r = Cli_("format --tab 4 --canonical " + kFixtures + "format.tdp");
  EXPECT_EQ(r.Exit, 0);
  EXPECT_EQ(r.Out,
            "Programm\r\n    wenn IstWand dann\r\n        MarkeL\xC3\xB6schen\r\n    *wenn\r\n"
            "*Programm\r\n");
  r = Cli_("format " + kFixtures + "format.tdp");
  EXPECT_EQ(r.Out,
            "PROGRAMM\r\n  wenn istwand dann\r\n    markel\xC3\xB6schen\r\n  *WENN\r\n*programm\r\n");
}

// The help lists every command and option; help and version go to standard output, exit 0.
TEST_F(Cli, HelpAndVersion) {
  TCliResult r = Cli_("--help");
  EXPECT_EQ(r.Exit, 0);
  EXPECT_EQ(r.Err, "");
  EXPECT_TRUE(r.Out.starts_with("Aufruf: tumbo-cli BEFEHL")) << r.Out;
  for (const char* word : {"check PROGRAMM", "run PROGRAMM", "format PROGRAMM", "render WELT",
                           "chart PROGRAMM", "--world DATEI", "--out DATEI|-", "--max-jump N",
                           "--bricks START MAX", "--errors none|hint|abort|both", "--trace",
                           "--max-steps N", "--max-depth N", "--tab N", "--canonical",
                           "--in-place", "--2d", "grade AUFGABE|KURS EINGABE...", "--csv DATEI",
                           "--history DATEI|-", "--help", "--version"})
    EXPECT_NE(r.Out.find(word), std::string::npos) << word;

  r = Cli_("run --help");
  EXPECT_EQ(r.Exit, 0);
  EXPECT_TRUE(r.Out.starts_with("Aufruf: tumbo-cli run PROGRAMM [--world DATEI]")) << r.Out;
  EXPECT_EQ(r.Out.find("--in-place"), std::string::npos) << "only run's own options";
  EXPECT_EQ(Cli_("format x.tdp --help").Exit, 0);

  r = Cli_("--version");
  EXPECT_EQ(r.Exit, 0);
  EXPECT_TRUE(r.Out.starts_with(std::string("tumbo-cli (Robot Tumbo) ") + TUMBO_VERSION + "\n"))
      << r.Out;
}

TEST_F(Cli, FailedWriteToStandardOutputIsAnError) {
  for (const std::string& args : {"check " + kFixtures + "gang.tdp", std::string("--help"),
                                 "run " + kFixtures + "gang.tdp --out -"}) {
    const TCliResult r = Cli_(args, "/dev/full");
    EXPECT_EQ(r.Exit, 2) << args;
    EXPECT_EQ(r.Err,
              "Die Ausgabe kann nicht geschrieben werden: Kein Platz mehr auf dem "
              "Datentr\xC3\xA4ger.\n")
        << args;
  }
}

// A FIFO would block forever and a device never ends: they are refused at once, as a folder is.
TEST_F(Cli, InputsThatAreNotPlainFilesAreRefused) {
  ASSERT_EQ(mkfifo((dir_ / "pipe.tdp").c_str(), 0600), 0);
  fs::create_directories(dir_ / "ordner.tdw");
  const std::string pipe = (dir_ / "pipe.tdp").string();
  const std::string calls[] = {"check " + pipe, "check /dev/zero", "format " + pipe,
                               "run " + kFixtures + "gang.tdp --world " + pipe,
                               "run " + kFixtures + "gang.tdp --world " + (dir_ / "ordner.tdw").string()};
  for (const std::string& args : calls) {
    const TCliResult r = Cli_(args);
    EXPECT_EQ(r.Exit, 2) << args;
    EXPECT_EQ(r.Out, "") << args;
    EXPECT_TRUE(r.Err.find("keine gew\xC3\xB6hnliche Datei") != std::string::npos ||
                r.Err.find("ist ein Ordner") != std::string::npos)
        << args << ": " << r.Err;
  }
}

// Deep recursion up to a large --max-depth ends with the depth message, not a crash, for a
// recursive instruction, a recursive condition and recursion through loop and branch bodies.
TEST_F(Cli, LargeDepthLimitEndsWithTheDepthMessage) {
  const std::string programs[] = {
      "Anweisung A A *Anweisung\r\nA",
      "Bedingung B wenn B dann wahr sonst falsch *wenn *Bedingung\r\nwenn B dann Schritt *wenn",
      "Anweisung A wiederhole 2 mal wenn IstWand dann A sonst A *wenn *wiederhole *Anweisung\r\nA"};
  for (const std::string& program : programs) {
    const TCliResult r = Cli_("run " + Program(program) + " --max-depth 300000");
    EXPECT_EQ(r.Exit, 0) << program;
    EXPECT_TRUE(r.Out.ends_with(
        "Zu tiefe Rekursion: mehr als 300000 verschachtelte Aufrufe.\n")) << program << r.Out << r.Err;
  }
}

// --in-place keeps the file's encoding, line breaks and every character, and writes nothing
// to standard output.
TEST_F(Cli, FormatInPlace) {
  const std::string utf8 = Program(
      "Programm\nwenn IstWand dann // \xE2\x86\x92 Wand\nmarkel\xC3\xB6schen\n*wenn\n*Programm\n",
      "utf8.tdp");
  TCliResult r = Cli_("format --in-place " + utf8);
  EXPECT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(r.Out, "");
  EXPECT_EQ(ReadAll(utf8),
            "Programm\n  wenn IstWand dann // \xE2\x86\x92 Wand\n    markel\xC3\xB6schen\n  *wenn\n"
            "*Programm\n");

  const std::string cp1252 = Program("Programm\r\nmarkel\xF6schen\r\n*Programm", "alt.tdp");
  r = Cli_("format --canonical --in-place " + cp1252);
  EXPECT_EQ(r.Exit, 0) << r.Err;
  EXPECT_EQ(ReadAll(cp1252), "Programm\r\n  MarkeL\xF6schen\r\n*Programm");
}

}  // namespace

// Every file the tool writes: a write-protected one is refused, a full disk is an error, and
// in both cases the old file stays as it was and the exit code is 2.
TEST_F(Cli, OutputFilesAreNeverHalfWrittenOrWriteProtectedOnesReplaced) {
  const std::string program = kFixtures + "gang.tdp", world = kFixtures + "gang.tdw";
  const struct {
    const char* Name;
    std::string Args;  // the output file follows
  } writers[] = {
      {"ende.tdw", "run " + program + " --world " + world + " --out "},
      {"welt.png", "render " + world + " -o "},
      {"welt.svg", "render " + world + " --2d -o "},
      {"chart.pdf", "chart " + program + " -o "},
      {"chart.emf", "chart " + program + " -o "},
  };
  tumbo::testing::TinyDisk fullDisk(dir_ / "voll", "4k");
  for (const auto& w : writers) {
    SCOPED_TRACE(w.Name);
    const fs::path target = dir_ / w.Name;
    std::ofstream(target) << "alt";
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    TCliResult r = Cli_(w.Args + target.string());
    EXPECT_EQ(r.Exit, 2);
    EXPECT_NE(r.Err.find(std::string(w.Name) + "\" kann nicht geschrieben werden: Die Datei ist schreibgesch\xC3\xBCtzt."),
              std::string::npos) << r.Err;
    EXPECT_EQ(ReadAll(target), "alt");

    if (!fullDisk.Mounted()) continue;
    const fs::path onFullDisk = fullDisk.Dir() / w.Name;
    std::ofstream(onFullDisk) << "alt";  // fills the disk's only page
    r = Cli_(w.Args + onFullDisk.string());
    EXPECT_EQ(r.Exit, 2);
    EXPECT_NE(r.Err.find("Kein Platz mehr auf dem Datentr\xC3\xA4ger"), std::string::npos) << r.Err;
    EXPECT_EQ(ReadAll(onFullDisk), "alt");
    EXPECT_EQ(tumbo::testing::EntryCount(fullDisk.Dir()), 1u);
    fs::remove(onFullDisk);
  }
  if (!fullDisk.Mounted()) GTEST_SKIP() << "full disk part: " << tumbo::testing::kCannotMount;
}
