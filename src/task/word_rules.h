#pragma once
// The words a task requires ("Gefordert=") or forbids ("Verboten="), checked on the words of a
// program as the language reads them: comments do not count, upper and lower case are alike.
#include <string>
#include <vector>

#include "task/task_file.h"

namespace tumbo::task {

// One German reason (Windows-1252) per broken rule, e.g.
// "Das Wort „wiederhole“ ist in dieser Aufgabe verboten", "Das Wort „solange“ fehlt".
// `programText` is Windows-1252; libraries it includes are not looked at.
std::vector<std::string> WordRuleViolations(const TTask& task, const std::string& programText);

}  // namespace tumbo::task
