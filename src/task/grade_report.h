#pragma once
// The reports of a grading: the text printed per program and the CSV table.
#include <string>
#include <vector>

#include "task/grader.h"

namespace tumbo::task {

// "NAME: K von N Welten gelöst" ("von 1 Welt"), then one indented line per world not solved (a program that
// did not compile or could not be read: one indented line with the reason). Windows-1252.
std::vector<std::string> GradeTextLines(const TProgramGrade& grade);

// One row per program and world, ';'-separated, UTF-8 with a byte order mark and CR LF, header
// "Programm;Welt;Ergebnis;Begründung".
std::string GradeCsv(const std::vector<TProgramGrade>& grades);

}  // namespace tumbo::task
