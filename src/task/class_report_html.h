#pragma once
// The class's report as HTML: an overview (the summary as a table, ✓/✗ in colour, date and
// title) and one page per pupil to print and hand back (date, task text, the program with line
// numbers, and for each world not solved the start, end and goal map with the differing fields
// framed, and the reasons). A4 print styles with page breaks; self-contained (pictures inline,
// nothing fetched from a network). The maps are drawn by the caller (the views' painter).
#include <functional>
#include <string>
#include <vector>

#include "task/class_grading.h"
#include "world/map_picture.h"

namespace tumbo::task {

// Draws a world given as world file bytes as its 2D map.
using TMapPainter = std::function<TMapPicture(const std::string& worldBytes)>;

struct THtmlReport {
  std::string Date;     // "11.12.2026", shown on every page
  TMapPainter Painter;  // no painter: reasons without pictures
};

// One file: the overview, then each pupil's page (one task).
std::string ClassHtmlPage(const TClassWork& work, const std::vector<TPupilResult>& pupils,
                          const THtmlReport& report);

// A folder's files (a course): "uebersicht.html" with a link to each pupil's file, and one
// file per pupil named after the pupil.
struct THtmlFile {
  std::string Name;   // file name (ASCII)
  std::string Bytes;  // UTF-8
};
inline constexpr const char* kOverviewFileName = "uebersicht.html";
std::vector<THtmlFile> ClassHtmlFiles(const TClassWork& work, const std::vector<TPupilResult>& pupils,
                                      const THtmlReport& report);

// The cells of a final world that differ from the goal in what the task checks, the robot's
// cell included when its place or heading is wrong ({x, y}, from 0).
std::vector<std::pair<int, int>> DifferingCells(const std::string& finalWorld, const TTaskWorld& goal,
                                                unsigned criteria);

}  // namespace tumbo::task
