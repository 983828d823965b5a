#pragma once
// The HTML report of a grading: one self-contained page (pictures inline as PNG) with a table
// programs × worlds and, for each world not solved, the final and the goal world side by side.
// Needs a GUI application (TOffscreenApp) for the pictures.
#include <string>
#include <vector>

#include "task/grader.h"

// The page as UTF-8 bytes.
std::string GradeHtml(const tumbo::task::TLoadedTask& task,
                      const std::vector<tumbo::task::TProgramGrade>& grades);
