#pragma once
// The robot's own conditions, as the interpreter asks them (before negation).
#include <cstdint>

#include "language/program_tree.h"
#include "world/tumbo.h"

// The answer of RobotCondition for a condition that is not the robot's (an own condition, or a
// code outside the tables).
inline constexpr int kNoRobotCondition = 2;

// 1 or 0, or kNoRobotCondition; `p` is the condition's parameter (its count of bricks).
[[gnu::always_inline]] inline int RobotCondition(TTumbo& robot, int32_t condition, int32_t p) {
  switch (condition) {
    case condIstWand: return robot.IstWand();
    case condNichtIstWand: return !robot.IstWand();
    case condIstZiegel: return robot.IstZiegel(p);
    case condNichtIstZiegel: return !robot.IstZiegel(p);
    case condIstMarke: return robot.IstMarke();
    case condNichtIstMarke: return !robot.IstMarke();
    case condIstNorden: return robot.IstNorden();
    case condIstOsten: return robot.IstOsten();
    case condIstSueden: return robot.IstSueden();
    case condIstWesten: return robot.IstWesten();
    case condIstVoll: return robot.IstVoll();
    case condNichtIstVoll: return !robot.IstVoll();
    case condIstLeer: return robot.IstLeer();
    case condNichtIstLeer: return !robot.IstLeer();
    case condHatZiegel: return robot.HatZiegel(p);
    default: return kNoRobotCondition;
  }
}
