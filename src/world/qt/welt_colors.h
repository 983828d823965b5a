// Colours of the world views.
#pragma once

#include <QColor>

#include "world/tumbo.h"

// A colour value with red in the lowest byte, as the robot keeps its background colour.
inline QColor ColorOfRgbValue(uint32_t value) {
  return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

inline QColor BackColorOf(const TTumbo& robot) { return ColorOfRgbValue(robot.BackColor); }

// The colours of the 2D map. The usual ones, and strong ones for pupils who need high
// contrast: a black grid at least two device pixels wide, and bricks, cuboids and marks
// that differ in brightness (dark, middle, light) as well as in hue.
struct TWorldColors {
  QColor Grid;
  QColor BrickFill, BrickLine, BrickCount;
  QColor CuboidFill, CuboidLine;
  QColor MarkFill, MarkLine;
  QColor Robot, RobotOutline;
  int MinLine = 1;  // the thinnest line, in device pixels

  static const TWorldColors& Usual() {
    static const TWorldColors colors{QColor(0, 0, 255),   QColor(205, 0, 0),   QColor(255, 0, 0),
                                     QColor(255, 255, 255), QColor(64, 64, 64), QColor(128, 128, 128),
                                     QColor(255, 255, 0), QColor(0, 0, 0),     QColor(0, 0, 0),
                                     QColor(0, 0, 0),     1};
    return colors;
  }
  static const TWorldColors& HighContrast() {
    static const TWorldColors colors{QColor(0, 0, 0),       QColor(128, 0, 0),   QColor(0, 0, 0),
                                     QColor(255, 255, 255), QColor(0, 102, 255), QColor(0, 0, 0),
                                     QColor(255, 255, 0),   QColor(0, 0, 0),     QColor(0, 0, 0),
                                     QColor(255, 255, 255), 2};
    return colors;
  }
};
