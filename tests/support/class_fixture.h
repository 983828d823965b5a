#pragma once
// A class as a learning platform hands back "all submissions", made in a folder of the test's
// own: sub-folders with the platform's suffix, the same file name in several of them, an empty
// file, a picture, a world file, two programs in one folder, a program with a syntax error, a
// file named like a formula, links that lead out of the folder, a name that is not UTF-8.
#include <filesystem>
#include <fstream>
#include <string>

namespace class_fixture {

namespace fs = std::filesystem;

inline const std::string kTask = std::string(TUMBO_DATA_DIR) + "/aufgaben/bis-zur-wand.tda";
inline const std::string kSolutions = std::string(TUMBO_FIXTURES_DIR) + "/aufgaben/";

inline void Put(const fs::path& file, const std::string& bytes) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary) << bytes;
}

inline std::string Solution(const char* which, const std::string& task = "bis-zur-wand") {
  std::ifstream in(kSolutions + task + "-" + which + ".tdp", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline const char* const kSuffix = "_assignsubmission_file_";

// Makes the class in `root/klasse` (and a file outside it, in `root/draussen`); returns the class folder.
inline fs::path MakeClass(const fs::path& root) {
  const fs::path c = root / "klasse";
  const auto pupil = [&c](const std::string& name, int id) { return c / (name + "_" + std::to_string(id) + kSuffix); };
  Put(pupil("Anna Schmidt", 101) / "loesung.tdp", Solution("loesung"));
  Put(pupil("Ben \xC3\x96ztürk", 102) / "loesung.tdp", Solution("falsch"));  // UTF-8 name
  fs::create_directories(pupil("Carla Neu", 103));
  Put(pupil("David Leer", 104) / "loesung.tdp", "");
  Put(pupil("Emil Bild", 105) / "bild.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16));
  Put(pupil("Frieda Welt", 106) / "welt.tdp", "TumboVersion2Deutsch 5 10 6 0 0 0 ...");
  Put(pupil("Gustav Zwei", 107) / "a.tdp", Solution("loesung"));
  Put(pupil("Gustav Zwei", 107) / "b.tdp", Solution("loesung"));
  Put(pupil("Hanna Fehler", 108) / "loesung.tdp", "Programm\r\nSchrit\r\n*Programm");
  Put(pupil("Ida Drei", 109) / "entwurf.tdp", Solution("falsch"));
  Put(pupil("Ida Drei", 109) / "bis-zur-wand.tdp", Solution("loesung"));
  Put(c / "=2+3.tdp", Solution("falsch"));
  Put(c / "liesmich.txt", "keine Schülerin");
  Put(root / "draussen" / "geheim.tdp", Solution("loesung"));
  fs::create_directories(pupil("Jonas Link", 110));
  fs::create_symlink(root / "draussen" / "geheim.tdp", pupil("Jonas Link", 110) / "loesung.tdp");
  fs::create_directory_symlink(root / "draussen", c / "Kai Raus");
  Put(c / "L\xE9" "a Latin_111_assignsubmission_file_" / "loesung.tdp", Solution("loesung"));  // Latin-1 name
  return c;
}

// A course of two tasks ("Bis zur Wand", "Aufräumen") in `root/kurs`; returns its course file.
inline fs::path MakeCourse(const fs::path& root) {
  const fs::path course = root / "kurs";
  fs::create_directories(course);
  for (const auto& e : fs::directory_iterator(std::string(TUMBO_DATA_DIR) + "/aufgaben")) {
    const std::string name = e.path().filename().string();
    if (name.starts_with("bis-zur-wand") || name.starts_with("aufraeumen")) fs::copy_file(e.path(), course / name);
  }
  Put(course / "kurs.tdk",
      "[Kurs]\nTitel=Probekurs\nText=Zwei Aufgaben\n[Abschnitt1]\nTitel=Erste Schritte\n"
      "Aufgabe1=bis-zur-wand.tda\nAufgabe2=aufraeumen.tda\n");
  return course / "kurs.tdk";
}

// Pupils' course folders as collected by the teacher: one program per task, named after the task.
inline fs::path MakeCourseClass(const fs::path& root) {
  const fs::path c = root / "kursklasse";
  Put(c / "Anna_1_assignsubmission_file_" / "bis-zur-wand.tdp", Solution("loesung"));
  Put(c / "Anna_1_assignsubmission_file_" / "aufraeumen.tdp", Solution("loesung", "aufraeumen"));
  Put(c / "Anna_1_assignsubmission_file_" / "fortschritt.ini", "[bis-zur-wand]\n");
  Put(c / "Ben_2_assignsubmission_file_" / "bis-zur-wand.tdp", Solution("falsch"));
  Put(c / "Ben_2_assignsubmission_file_" / "AUFRAEUMEN.TDP", Solution("falsch", "aufraeumen"));
  Put(c / "Carla_3_assignsubmission_file_" / "bis-zur-wand.tdp", Solution("loesung"));
  Put(c / "Carla_3_assignsubmission_file_" / "entwurf.tdp", "");
  return c;
}

}  // namespace class_fixture
