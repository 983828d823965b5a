#include "world/welt.h"

#include <algorithm>

#include "text/atomic_file.h"
#include "text/text_file.h"

namespace {

// Only the first line of a world file counts, and no world file comes near this size:
// choosing a huge file or a device by mistake costs nothing.
constexpr size_t kMaxWorldFileBytes = size_t(16) << 20;

}  // namespace

TWelt::TWelt(int32_t width, int32_t length, int32_t height) : Robot(0, 0, kSueden, Room) {
  Room.Init(std::max(width, 1), std::max(length, 1), height);
}

void TWelt::UpdateView() {
  if (view_) view_->UpdateView();
}

void TWelt::RedrawAll() {
  if (view_) view_->RedrawAll();
}

void TWelt::Reinitialised() {
  if (view_) view_->GeometryChanged();
  RedrawAll();
}

void TWelt::Clear() {
  Room.Clear();
  Robot.X = 0;
  Robot.Y = 0;
  Robot.Heading = kSueden;
  RedrawAll();
}

void TWelt::NewWorld(int32_t width, int32_t length, int32_t height) {
  Room.Init(std::clamp(width, 1, kMaxRoomSide), std::clamp(length, 1, kMaxRoomSide), height);
  Robot.X = 0;
  Robot.Y = 0;
  Robot.Heading = kSueden;
  Reinitialised();
}

std::string TWelt::SaveToText() const {
  return WriteWorldText(Room, Robot.X, Robot.Y, Robot.Heading);
}

TWorldFileResult TWelt::SaveToFile(const std::string& fileName) const {
  std::string error;
  if (!tumbo::text::WriteFileAtomic(fileName, SaveToText(), error))
    return {TWorldFileStatus::IoError, error};
  return {};
}

TWorldFileResult TWelt::LoadFromText(std::string_view bytes, const std::string& fileName) {
  TWorldFileContent content;
  TWorldFileResult result = ReadWorldText(bytes, fileName, content);
  if (!result.Ok()) return result;  // the world stays exactly as it was
  // The room's watcher watches this world whatever content it gets, and learns of the new
  // content as of any reset.
  TRaumWatcher* const watcher = Room.Watcher();
  Room = std::move(content.Room);
  Room.SetWatcher(watcher);
  if (watcher) watcher->RoomReset();
  Robot.X = content.X;
  Robot.Y = content.Y;
  Robot.Heading = content.Heading;
  Reinitialised();
  return result;
}

TWorldFileResult TWelt::LoadFromFile(const std::string& fileName) {
  std::string bytes, error;
  if (!tumbo::text::ReadFileStart(fileName, bytes, error, kMaxWorldFileBytes, true))
    return {TWorldFileStatus::IoError, error};
  return LoadFromText(bytes, fileName);
}

void TWelt::EditAddCell(int32_t x, int32_t y, TWeltTool tool) {
  if (!Room.Contains(x, y)) return;
  const bool robotHere = Robot.X == x && Robot.Y == y;
  switch (tool) {
    case TWeltTool::Brick:
      if (!robotHere) Room.AddItem(x, y, kZiegel);
      break;
    case TWeltTool::Cuboid:
      if (!robotHere) Room.AddItem(x, y, kQuader);
      break;
    case TWeltTool::Mark:
      Room.SetMark(x, y);
      break;
    case TWeltTool::Robot:
      Robot.PlaceAt(x, y);
      break;
  }
  UpdateView();
}

void TWelt::EditRemoveCell(int32_t x, int32_t y, TWeltTool tool) {
  if (!Room.Contains(x, y)) return;
  switch (tool) {
    case TWeltTool::Brick:
    case TWeltTool::Cuboid:
      Room.RemoveTop(x, y);
      break;
    case TWeltTool::Mark:
      Room.ClearMark(x, y);
      break;
    case TWeltTool::Robot:
      break;
  }
  UpdateView();
}
