// tumbo-cli grade: the report per program, its order, exit codes, CSV and HTML files.
#include "cli_fixture.h"
#include "support/class_fixture.h"

namespace {

const std::string kTask = std::string(TUMBO_DATA_DIR) + "/aufgaben/bis-zur-wand.tda";
const std::string kSolutions = std::string(TUMBO_FIXTURES_DIR) + "/aufgaben/";

class Grade : public Cli {
 protected:
  std::string Programs() {
    return kSolutions + "bis-zur-wand-falsch.tdp " + Program("Programm\r\nSchrit\r\n*Programm", "fehler.tdp") +
           " " + kSolutions + "bis-zur-wand-loesung.tdp";
  }
  // The report of Programs(): a program given as a file is named by its path as given.
  std::string Report() {
    return kSolutions + "bis-zur-wand-falsch.tdp: 1 von 3 Welten gel\xC3\xB6st\n"
           "  Welt 2: Feld (10, 2): Marke zu viel; Feld (12, 2): Marke fehlt; Tumbo steht auf (10, 2), Ziel (12, 2)\n"
           "  Welt 3: [Hinweis] (Zeile 3): Tumbo ist am Quader angesto\xC3\x9F" "en\n" +
           (dir_ / "fehler.tdp").string() + ": 0 von 3 Welten gel\xC3\xB6st\n"
           "  [Fehlernr 10] (Zeile 2): Unbekannte Anweisung. Schreibweise kontrollieren!\n" +
           kSolutions + "bis-zur-wand-loesung.tdp: 3 von 3 Welten gel\xC3\xB6st\n";
  }
};

TEST_F(Grade, ReportKeepsTheOrderGivenWithAnyNumberOfThreads) {
  for (const char* jobs : {"1", "2", "8"}) {
    const TCliResult r = Cli_("grade " + kTask + " " + Programs() + " --jobs " + jobs);
    EXPECT_EQ(r.Exit, 5) << jobs;
    EXPECT_EQ(r.Out, Report()) << jobs;
    EXPECT_EQ(r.Err, "");
  }
}

TEST_F(Grade, ExitsWithZeroWhenEveryWorldIsSolved) {
  const TCliResult r = Cli_("grade " + kTask + " " + kSolutions + "bis-zur-wand-loesung.tdp");
  EXPECT_EQ(r.Exit, 0);
  EXPECT_EQ(r.Out, kSolutions + "bis-zur-wand-loesung.tdp: 3 von 3 Welten gel\xC3\xB6st\n");
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
  EXPECT_NE(text.find((dir_ / "fehler.tdp").string() + ";3;nicht gel\xC3\xB6st;[Fehlernr 10] (Zeile 2): Unbekannte Anweisung. "
                      "Schreibweise kontrollieren!\r\n"),
            std::string::npos);
  EXPECT_NE(text.find(kSolutions + "bis-zur-wand-loesung.tdp;3;gel\xC3\xB6st;\r\n"), std::string::npos);
}

TEST_F(Grade, HtmlIsOnePageWithPicturesOfTheWorldsNotSolved) {
  const fs::path html = dir_ / "ergebnis.html";
  EXPECT_EQ(Cli_("grade " + kTask + " " + Programs() + " --html " + html.string()).Exit, 5);
  const std::string page = ReadAll(html);
  EXPECT_NE(page.find("<title>Bewertung: Bis zur Wand</title>"), std::string::npos);
  size_t pictures = 0;
  for (size_t at = 0; (at = page.find("src=\"data:image/png;base64,", at)) != std::string::npos; ++at)
    ++pictures;
  EXPECT_EQ(pictures, 6u);  // start, end and goal of the two worlds the wrong solution failed
  EXPECT_EQ(page.find("src=\"http"), std::string::npos);
  EXPECT_EQ(page.find("href="), std::string::npos);
  EXPECT_NE(page.find("\xE2\x9C\x93"), std::string::npos);  // ✓
  EXPECT_NE(page.find("\xE2\x9C\x97"), std::string::npos);  // ✗
  EXPECT_NE(page.find("<h3>Welt 2: Feld (10, 2): Marke zu viel; Feld (12, 2): Marke fehlt; Tumbo steht auf (10, 2), "
                      "Ziel (12, 2)</h3>"),
            std::string::npos);
  EXPECT_NE(page.find("<p>1 von 3 l\xC3\xB6sen die Aufgabe.</p>"), std::string::npos);
}

TEST_F(Grade, FailedWriteIsReported) {
  Program("keine Ordner", "datei");
  const TCliResult r = Cli_("grade " + kTask + " " + kSolutions + "bis-zur-wand-loesung.tdp --html " +
                            (dir_ / "datei" / "x.html").string());
  EXPECT_EQ(r.Exit, 2);
  EXPECT_EQ(r.Out, kSolutions + "bis-zur-wand-loesung.tdp: 3 von 3 Welten gel\xC3\xB6st\n");
  EXPECT_NE(r.Err.find("kann nicht geschrieben werden"), std::string::npos) << r.Err;
}

// A class folder as a learning platform hands it back: a pupil per sub-folder, named without the
// platform's suffix, in the order of names; what is not a program gets its named result.
TEST_F(Grade, ClassFolderGivesEveryPupilALine) {
  const std::string c = class_fixture::MakeClass(dir_).string();
  const TCliResult r = Cli_("grade " + kTask + " " + c + " --jobs 2");
  EXPECT_EQ(r.Exit, 5);
  EXPECT_EQ(r.Err, "");
  const std::string wrong =
      ": 1 von 3 Welten gel\xC3\xB6st\n"
      "  Welt 2: Feld (10, 2): Marke zu viel; Feld (12, 2): Marke fehlt; Tumbo steht auf (10, 2), Ziel (12, 2)\n"
      "  Welt 3: [Hinweis] (Zeile 3): Tumbo ist am Quader angesto\xC3\x9F" "en\n";
  EXPECT_EQ(r.Out, "=2+3.tdp" + wrong +
                       "Anna Schmidt: 3 von 3 Welten gel\xC3\xB6st\n"
                       "Ben \xC3\x96zt\xC3\xBCrk" + wrong +
                       "Carla Neu: nicht abgegeben\n"
                       "David Leer: leer\n"
                       "Emil Bild: keine Programmdatei\n"
                       "  Im Ordner liegt nur: bild.png\n"
                       "Frieda Welt: keine Programmdatei\n"
                       "  Die Datei ist eine Weltdatei.\n"
                       "Gustav Zwei: mehrere Programme\n"
                       "  2 Programme: a.tdp, b.tdp\n"
                       "Hanna Fehler: 0 von 3 Welten gel\xC3\xB6st\n"
                       "  [Fehlernr 10] (Zeile 2): Unbekannte Anweisung. Schreibweise kontrollieren!\n"
                       "Ida Drei: 3 von 3 Welten gel\xC3\xB6st\n"
                       "Jonas Link: nicht lesbar\n"
                       "  \"loesung.tdp\" verweist auf eine Datei au\xC3\x9F" "erhalb des Klassenordners.\n"
                       "Kai Raus: nicht lesbar\n"
                       "  \"Kai Raus\" verweist auf einen Ordner au\xC3\x9F" "erhalb des Klassenordners.\n"
                       "L\xC3\xA9" "a Latin: 3 von 3 Welten gel\xC3\xB6st\n");
}

TEST_F(Grade, OutputsAreTheSameWithAnyNumberOfJobs) {
  const std::string c = class_fixture::MakeClass(dir_).string();
  std::string first[4];
  for (const char* jobs : {"1", "2", "5"}) {
    const fs::path out = dir_ / (std::string("aus") + jobs);
    fs::create_directories(out / "seiten");
    const TCliResult r = Cli_("grade " + kTask + " " + c + " --jobs " + jobs + " --csv " + (out / "a.csv").string() +
                              " --summary " + (out / "s.csv").string() + " --html " + (out / "seiten").string());
    EXPECT_EQ(r.Exit, 5) << r.Err;
    const std::string got[4] = {r.Out, ReadAll(out / "a.csv"), ReadAll(out / "s.csv"),
                                ReadAll(out / "seiten" / "uebersicht.html") + ReadAll(out / "seiten" / "Ben-Oeztuerk.html")};
    for (int i = 0; i < 4; ++i) {
      EXPECT_NE(got[i], "") << jobs << " " << i;
      if (first[i].empty()) first[i] = got[i];
      EXPECT_EQ(got[i], first[i]) << jobs << " " << i;
    }
  }
  EXPECT_TRUE(first[2].starts_with("\xEF\xBB\xBFName;Bis zur Wand;Gel\xC3\xB6st\r\n'=2+3.tdp;1/3;0\r\n")) << first[2];
  EXPECT_NE(first[1].find("\r\n'=2+3.tdp;1;gel\xC3\xB6st;\r\n"), std::string::npos);
  EXPECT_NE(first[3].find("<a href=\"Ben-Oeztuerk.html\">"), std::string::npos);
}

TEST_F(Grade, AnOutputThatIsAnInputIsRefusedBeforeGrading) {
  const fs::path c = class_fixture::MakeClass(dir_);
  const std::string program = (c / "=2+3.tdp").string();
  const std::string before = ReadAll(program);
  const std::string calls[] = {
      "grade " + kTask + " " + c.string() + " --csv " + (c / "ergebnis.csv").string(),
      "grade " + kTask + " '" + program + "' --summary '" + program + "'",
      "grade " + kTask + " " + c.string() + " --html " + c.string(),
      "grade " + kTask + " " + c.string() + " --csv " + (dir_ / "x.csv").string() + " --summary " +
          (dir_ / "x.csv").string(),
  };
  for (const std::string& call : calls) {
    const TCliResult r = Cli_(call);
    EXPECT_EQ(r.Exit, 2) << call;
    EXPECT_EQ(r.Out, "") << call;
    EXPECT_NE(r.Err.find("Die Ausgabe"), std::string::npos) << r.Err;
  }
  EXPECT_EQ(ReadAll(program), before);
  EXPECT_FALSE(fs::exists(c / "ergebnis.csv"));
  EXPECT_FALSE(fs::exists(dir_ / "x.csv"));
}

TEST_F(Grade, CourseGivesABlockPerPupilAndAPagePerPupilInTheFolder) {
  const std::string course = class_fixture::MakeCourse(dir_).string();
  const std::string c = class_fixture::MakeCourseClass(dir_).string();
  const fs::path pages = dir_ / "seiten";
  const TCliResult r = Cli_("grade " + course + " " + c + " --html " + pages.string());
  EXPECT_EQ(r.Exit, 5) << r.Err;
  EXPECT_TRUE(r.Out.starts_with("Anna: 2 von 2 Aufgaben gel\xC3\xB6st\n"
                                "  Bis zur Wand: 3 von 3 Welten gel\xC3\xB6st\n"
                                "  Aufr\xC3\xA4umen: 2 von 2 Welten gel\xC3\xB6st\n"
                                "Ben: 0 von 2 Aufgaben gel\xC3\xB6st\n"))
      << r.Out;
  EXPECT_TRUE(r.Out.ends_with("Carla: 1 von 2 Aufgaben gel\xC3\xB6st\n"
                              "  Bis zur Wand: 3 von 3 Welten gel\xC3\xB6st\n"
                              "  Aufr\xC3\xA4umen: nicht abgegeben\n"))
      << r.Out;
  const std::string overview = ReadAll(pages / "uebersicht.html");
  EXPECT_NE(overview.find("<title>Bewertung: Probekurs</title>"), std::string::npos);
  for (const char* name : {"Anna", "Ben", "Carla"}) {
    EXPECT_NE(overview.find(std::string("<a href=\"") + name + ".html\">"), std::string::npos) << name;
    EXPECT_NE(ReadAll(pages / (std::string(name) + ".html")).find("<h1>" + std::string(name) + "</h1>"),
              std::string::npos)
        << name;
  }
}

}  // namespace
