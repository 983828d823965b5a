// Colours of the world views.
#pragma once

#include <QColor>

#include "world/tumbo.h"

// A colour value with red in the lowest byte, as the robot keeps its background colour.
inline QColor ColorOfRgbValue(uint32_t value) {
  return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline QColor BackColorOf(const TTumbo& robot) { return ColorOfRgbValue(robot.BackColor); }
