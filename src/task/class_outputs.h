#pragma once
// Writing the class's reports where the teacher asked for them (the command line and the
// window write the same files), and refusing outputs that would overwrite an input.
#include <string>
#include <vector>

#include "task/class_report_html.h"

namespace tumbo::task {

struct TClassOutputs {
  std::string Csv;      // one row per program and world; empty: none
  std::string Summary;  // one row per pupil
  // One task: a file (or, when it is an existing folder, the folder's files); a course: a folder.
  std::string Html;
};

// A German message (Windows-1252) when an output is also an input (the task or course file, a
// program, a class folder), lies inside a class folder, or is named twice; else empty.
std::string OutputClash(const TClassOutputs& outputs, const std::string& workFile,
                        const std::vector<std::string>& inputs);

// Writes every asked output through the safe writer. False, with the messages of the outputs
// that could not be written in `error`, when one failed; the others are written all the same.
bool WriteClassOutputs(const TClassWork& work, const std::vector<TPupilResult>& pupils,
                       const TClassOutputs& outputs, const THtmlReport& report, std::string& error);

// Today's date as the reports show it: "11.12.2026".
std::string ReportDateText();

}  // namespace tumbo::task
