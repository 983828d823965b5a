// The world in words, for pupils who cannot see the picture: where the robot stands,
// where it looks, what lies in front of it and whether its cell is marked. Cells are
// counted from 1, as the status fields show them; the height is the number of levels
// under the robot (0 on the floor). Every text is Windows-1252, like all of the core.
#pragma once

#include <cstdint>
#include <string>

class TWelt;

// "Tumbo steht auf Feld (3, 2) in Höhe 1 und schaut nach Osten. Vor ihm: 2 Ziegel.
// Auf seinem Feld: eine Marke."
std::string DescribeWorld(const TWelt& welt);

// One cell of the room, for the cell cursor of the world editor:
// "Feld (2, 4): 2 Ziegel, eine Marke, Tumbo." or "Feld (1, 1): frei."
std::string DescribeCell(const TWelt& welt, int32_t x, int32_t y);
