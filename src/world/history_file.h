// The run history as text for teachers' tools and reports: one line per kept step with
// the line, the robot and the cells changed since the step before.
#pragma once

#include <cstdint>
#include <string>

class TRunRecorder;

// TumboAblauf1
// Raum W L H
// Schritte FIRST COUNT
// then COUNT lines "STEP LINE X Y D CARRIED FAILURE" followed by one "X,Y:OLD>NEW" per
// changed cell (none on the first kept step). Lines end with LF.
std::string HistoryText(const TRunRecorder& history);

// A cell's content as one token: the brick count, or "q" for a cuboid; "m" appended when
// the cell is marked ("0", "3", "qm", "0m").
std::string CellToken(uint8_t code);
