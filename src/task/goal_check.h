#pragma once
// The comparison of a final world with the goal world of a task.
#include <string>
#include <vector>

#include "task/task_file.h"
#include "world/welt.h"

namespace tumbo::task {

// True when cell (x, y) of `room` differs from the goal in one of the checked cell criteria
// (bricks, marks, cuboids). Both rooms have the same size.
bool CellDiffersFromGoal(const TRaum& room, const TRaum& goal, int32_t x, int32_t y,
                         unsigned criteria);

// What differs, in German (Windows-1252), one text per failed criterion, e.g.
// "3 Zellen mit falscher Ziegelzahl" or "Position (5, 3) statt (1, 1)" (cells counted from 1,
// as the window shows them). Empty when the world equals the goal.
std::vector<std::string> DifferencesFromGoal(const TWelt& world, const TWorldFileContent& goal,
                                             unsigned criteria);

// The heading as a word: "Süden", "Westen", "Norden", "Osten".
std::string HeadingName(uint8_t heading);

}  // namespace tumbo::task
