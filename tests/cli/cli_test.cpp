// tumbo-cli check, run and format on small programs and worlds.
#include <gtest/gtest.h>

#include "cli_fixture.h"

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
                         "check /gibt/es/nicht.tdp"};
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

}  // namespace
