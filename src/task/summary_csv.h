#pragma once
// The class's tables for spreadsheets: UTF-8 with a byte order mark, ';' between cells, CR LF
// after each row. A cell that a spreadsheet would take for a formula gets a leading '.
#include <string>
#include <vector>

#include "task/class_grading.h"

namespace tumbo::task {

// One cell (Windows-1252 in, UTF-8 out): quoted when it holds ';', '"' or a line break; a
// leading ' when it begins with '=', '+', '-', '@', a tab or CR.
std::string SpreadsheetCell(const std::string& cp1252);

// One row per program and world, header "Programm;Welt;Ergebnis;Begründung". Programm is the
// pupil's name (for a course followed by "/" and the task's program name).
std::string ClassCsv(const TClassWork& work, const std::vector<TPupilResult>& pupils);

// One row per pupil, in the order of their names: "Name;" the tasks' titles ";Gelöst"; each
// task cell the worlds solved ("3/3") or the named result, Gelöst the tasks with every world
// solved.
std::string SummaryCsv(const TClassWork& work, const std::vector<TPupilResult>& pupils);

// The pupils in the order of their names (the order the summary and the overview show).
std::vector<const TPupilResult*> ByName(const std::vector<TPupilResult>& pupils);

}  // namespace tumbo::task
