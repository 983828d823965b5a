#pragma once
// The comparison of a final world with the goal world of a task.
#include <string>
#include <vector>

#include "task/task_file.h"
#include "world/welt.h"

namespace tumbo::task {

// Fields named one by one in a reason; the rest are counted ("und 3 weitere").
inline constexpr int kMaxNamedFields = 5;

// True when cell (x, y) of `room` differs from the goal in one of the checked cell criteria
// (bricks, marks, cuboids). Both rooms have the same size.
bool CellDiffersFromGoal(const TRaum& room, const TRaum& goal, int32_t x, int32_t y,
                         unsigned criteria);

// What differs, in German (Windows-1252), one text per difference, fields counted from 1 as
// the window shows them: first the fields row by row ("Feld (3, 2): 2 Ziegel, Ziel 3",
// "Feld (4, 1): Marke fehlt", "Feld (5, 1): Quader zu viel"; of more than kMaxNamedFields + 1
// such texts the first kMaxNamedFields and "und N weitere"), then the robot ("Tumbo steht auf (1, 2), Ziel (8, 2)", "Tumbo schaut nach
// Süden, Ziel Osten"). Empty when the world equals the goal in the checked criteria.
std::vector<std::string> DifferencesFromGoal(const TWelt& world, const TWorldFileContent& goal,
                                             unsigned criteria);

// The heading as a word: "Süden", "Westen", "Norden", "Osten".
std::string HeadingName(uint8_t heading);

}  // namespace tumbo::task
