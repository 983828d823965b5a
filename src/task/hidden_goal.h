#pragma once
// What a pupil may read about a hidden world that is not solved: which kind of thing is wrong,
// never which cells or where.
#include <string>
#include <vector>

#include "world/welt.h"
#include "world/world_file.h"

namespace tumbo::task {

// One German text (Windows-1252) per failed criterion, e.g. "Ziegel stimmen nicht" or
// "Tumbo steht nicht am Ziel". Empty when the world equals the goal.
std::vector<std::string> HiddenDifferencesFromGoal(const TWelt& world, const TWorldFileContent& goal,
                                                   unsigned criteria);

}  // namespace tumbo::task
