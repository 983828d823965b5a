// The world: owns the room and the robot, reads and writes world files and tells its
// view (if any) what to repaint.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "world/raum.h"
#include "world/tumbo.h"
#include "world/welt_view.h"
#include "world/world_file.h"

// The things the world editor puts or takes with the mouse.
enum class TWeltTool { Brick, Mark, Cuboid, Robot };

class TWelt {
public:
  // The start world is 5 x 10 x 6 with the robot at (0, 0) facing south.
  TWelt(int32_t width = 5, int32_t length = 10, int32_t height = 6);
  TWelt(const TWelt&) = delete;
  TWelt& operator=(const TWelt&) = delete;

  TRaum Room;    // declared before Robot, which holds a reference to it
  TTumbo Robot;

  // The view that repaints; nullptr for none. Not owned.
  void SetView(TWeltView* view) { view_ = view; }
  TWeltView* View() const { return view_; }

  void UpdateView();   // repaint what changed (nothing without a view)
  void RedrawAll();    // repaint everything (nothing without a view)

  // Room emptied (dimensions kept), robot to (0, 0) facing south, RedrawAll.
  void Clear();
  // Room re-initialised (width and length at least 1, height 0..31), robot to (0, 0)
  // facing south, view geometry recomputed, RedrawAll. Carried bricks and settings stay.
  void NewWorld(int32_t width, int32_t length, int32_t height);

  // Writes the world atomically with the tag "TumboVersion2Deutsch".
  TWorldFileResult SaveToFile(const std::string& fileName) const;
  // Replaces the world by the file's. A file that is not a world file, is damaged or
  // cannot be read leaves the world exactly as it was (see TWorldFileStatus).
  TWorldFileResult LoadFromFile(const std::string& fileName);
  // The same on bytes already in memory; `fileName` only names the file in messages.
  TWorldFileResult LoadFromText(std::string_view bytes, const std::string& fileName);
  std::string SaveToText() const;

  // Mouse editing on cell (x, y) (the views turn pixels into cells). Outside the room
  // nothing happens; a refused edit changes nothing. Both end with UpdateView.
  void EditAddCell(int32_t x, int32_t y, TWeltTool tool);
  void EditRemoveCell(int32_t x, int32_t y, TWeltTool tool);

private:
  void Reinitialised();  // geometry changed, then RedrawAll

  TWeltView* view_ = nullptr;
};
