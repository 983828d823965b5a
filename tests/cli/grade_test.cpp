// tumbo-cli grade: the report per program, its order, exit codes, CSV and HTML files.
#include "cli_fixture.h"

namespace {

const std::string kTask = std::string(TUMBO_DATA_DIR) + "/aufgaben/bis-zur-wand.tda";
const std::string kSolutions = std::string(TUMBO_FIXTURES_DIR) + "/aufgaben/";

class Grade : public Cli {
 protected:
  std::string Programs() {
    return kSolutions + "bis-zur-wand-falsch.tdp " + Program("Programm\r\nSchrit\r\n*Programm", "fehler.tdp") +
           " " + kSolutions + "bis-zur-wand-loesung.tdp";
  }
};

const std::string kReport =
    "bis-zur-wand-falsch.tdp: 1 von 3 Welten gel\xC3\xB6st\n"
    "  Welt 2: Feld (10, 2): Marke zu viel; Feld (12, 2): Marke fehlt; Tumbo steht auf (10, 2), Ziel (12, 2)\n"
    "  Welt 3: [Hinweis] (Zeile 3): Tumbo ist am Quader angesto\xC3\x9F" "en\n"
    "fehler.tdp: 0 von 3 Welten gel\xC3\xB6st\n"
    "  [Fehlernr 10] (Zeile 2): Unbekannte Anweisung. Schreibweise kontrollieren!\n"
    "bis-zur-wand-loesung.tdp: 3 von 3 Welten gel\xC3\xB6st\n";

TEST_F(Grade, ReportKeepsTheOrderGivenWithAnyNumberOfThreads) {
  for (const char* jobs : {"1", "2", "8"}) {
    const TCliResult r = Cli_("grade " + kTask + " " + Programs() + " --jobs " + jobs);
    EXPECT_EQ(r.Exit, 5) << jobs;
    EXPECT_EQ(r.Out, kReport) << jobs;
    EXPECT_EQ(r.Err, "");
  }
}

TEST_F(Grade, ExitsWithZeroWhenEveryWorldIsSolved) {
  const TCliResult r = Cli_("grade " + kTask + " " + kSolutions + "bis-zur-wand-loesung.tdp");
  EXPECT_EQ(r.Exit, 0);
  EXPECT_EQ(r.Out, "bis-zur-wand-loesung.tdp: 3 von 3 Welten gel\xC3\xB6st\n");
}

TEST_F(Grade, UsageErrorsAndDamagedTasksGradeNothing) {
  Program("[Aufgabe]\nTitel=T\n", "leer.tda");
  Program("[Aufgabe]\nTitel=T\n[Welt1]\nStart=fehlt.tdw\nZiel=fehlt.tdw\n", "ohne-welt.tda");
  const std::string program = " " + kSolutions + "bis-zur-wand-loesung.tdp";
  const std::string calls[] = {"grade", "grade " + kTask, "grade " + kTask + program + " --jobs 0",
                               "grade " + kTask + program + " --csv", "grade " + kTask + program + " --bunt",
                               "grade " + (dir_ / "gibt-es-nicht.tda").string() + program,
                               "grade " + (dir_ / "leer.tda").string() + program,
                               "grade " + (dir_ / "ohne-welt.tda").string() + program};
  for (const std::string& call : calls) {
    const TCliResult r = Cli_(call);
    EXPECT_EQ(r.Exit, 2) << call;
    EXPECT_EQ(r.Out, "") << call;
    EXPECT_NE(r.Err, "") << call;
  }
  EXPECT_EQ(Cli_("grade " + (dir_ / "leer.tda").string() + program).Err,
            "Die Aufgabendatei \"" + (dir_ / "leer.tda").string() +
                "\" ist besch\xC3\xA4" "digt: sie nennt keine Welt ([Welt1] fehlt).\n");
}

TEST_F(Grade, CsvOpensInGermanSpreadsheets) {
  const fs::path csv = dir_ / "ergebnis.csv";
  EXPECT_EQ(Cli_("grade " + kTask + " " + Programs() + " --csv " + csv.string()).Exit, 5);
  const std::string text = ReadAll(csv);
  EXPECT_EQ(text.substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_NE(text.find("Programm;Welt;Ergebnis;Begr\xC3\xBCndung\r\n"), std::string::npos);
  EXPECT_NE(text.find("fehler.tdp;3;nicht gel\xC3\xB6st;[Fehlernr 10] (Zeile 2): Unbekannte Anweisung. "
                      "Schreibweise kontrollieren!\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("bis-zur-wand-loesung.tdp;3;gel\xC3\xB6st;\r\n"), std::string::npos);
}

TEST_F(Grade, HtmlIsOnePageWithPicturesOfTheWorldsNotSolved) {
  const fs::path html = dir_ / "ergebnis.html";
  EXPECT_EQ(Cli_("grade " + kTask + " " + Programs() + " --html " + html.string()).Exit, 5);
  const std::string page = ReadAll(html);
  EXPECT_NE(page.find("<title>Bewertung: Bis zur Wand</title>"), std::string::npos);
  size_t pictures = 0;
  for (size_t at = 0; (at = page.find("src=\"data:image/png;base64,", at)) != std::string::npos; ++at)
    ++pictures;
  EXPECT_EQ(pictures, 4u);  // final and goal world of the two worlds the wrong solution failed
  EXPECT_EQ(page.find("src=\"http"), std::string::npos);
  EXPECT_EQ(page.find("href="), std::string::npos);
  EXPECT_NE(page.find("\xE2\x9C\x93"), std::string::npos);  // ✓
  EXPECT_NE(page.find("\xE2\x9C\x97"), std::string::npos);  // ✗
  EXPECT_NE(page.find("<h3>Welt 2: Feld (10, 2): Marke zu viel; Feld (12, 2): Marke fehlt; Tumbo steht auf (10, 2), "
                      "Ziel (12, 2)</h3>"),
            std::string::npos);
  EXPECT_NE(page.find("<p>1 von 3 Programmen l\xC3\xB6sen alle 3 Welten.</p>"), std::string::npos);
}

TEST_F(Grade, FailedWriteIsReported) {
  Program("keine Ordner", "datei");
  const TCliResult r = Cli_("grade " + kTask + " " + kSolutions + "bis-zur-wand-loesung.tdp --html " +
                            (dir_ / "datei" / "x.html").string());
  EXPECT_EQ(r.Exit, 2);
  EXPECT_EQ(r.Out, "bis-zur-wand-loesung.tdp: 3 von 3 Welten gel\xC3\xB6st\n");
  EXPECT_NE(r.Err.find("kann nicht geschrieben werden"), std::string::npos) << r.Err;
}

}  // namespace
