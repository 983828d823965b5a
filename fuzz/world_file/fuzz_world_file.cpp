// Any bytes as a world file: a refused file leaves the world exactly as it was; an
// accepted one gives a robot inside the room and survives writing and reading again.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "world/welt.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TWelt w(3, 4, 5);
  w.Room.AddItem(1, 2, kZiegel);
  w.Room.SetMark(2, 3);
  w.Robot.X = 2;
  const std::string before = w.SaveToText();

  const TWorldFileResult r = w.LoadFromText(bytes, "fuzz.tdw");
  if (!r.Ok()) {
    Check(w.SaveToText() == before);
    Check(r.Status == TWorldFileStatus::NotAWorldFile || !r.Message.empty());
    return 0;
  }
  Check(w.Room.Contains(w.Robot.X, w.Robot.Y));
  Check(w.Robot.Heading < 4);
  for (int32_t x = 0; x < w.Room.Width(); ++x)
    for (int32_t y = 0; y < w.Room.Length(); ++y) {
      const TZelle& c = w.Room.Cell(x, y);
      Check(c.Content[0] == kQuader ? c.Height == 2 : c.Height <= w.Room.MaxHeight());
    }
  // The robot acts on whatever was read without going astray.
  w.Robot.Schritt(3);
  w.Robot.Hinlegen(2);
  w.Robot.Aufheben(1);
  w.Robot.QuaderAufstellen();
  w.Robot.LinksDrehen();
  w.Robot.Schritt(2);
  Check(w.Room.Contains(w.Robot.X, w.Robot.Y));

  const std::string saved = w.SaveToText();
  TWelt again;
  Check(again.LoadFromText(saved, "fuzz.tdw").Ok());
  Check(again.SaveToText() == saved);
  return 0;
}
