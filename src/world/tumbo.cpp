#include "world/tumbo.h"

#include <algorithm>
#include <array>

namespace {

// Windows-1252 texts: \xDF = ß, \xF6 = ö.
const std::array<std::string, 18> kMessages = {
    "",
    "Tumbo ist an der Wand angesto\xDF" "en",
    "Tumbo ist am Quader angesto\xDF" "en",
    "Tumbo kann nicht so hoch/tief springen",
    "Tumbo kann nicht hinlegen, er steht vor der Wand",
    "Tumbo kann nicht hinlegen, er steht vor einem Quader",
    "Maximale Stapelh\xF6he erreicht",
    "Tumbo kann nicht aufheben, er steht vor der Wand",
    "Tumbo kann nicht aufheben, er steht vor einem Quader",
    "Vor Tumbo liegen keine Ziegel zum Aufheben",
    "Tumbo kann Quader nicht aufstellen, er steht vor der Wand",
    "Tumbo kann Quader nicht aufstellen, das Feld davor ist nicht frei",
    "Tumbo kann Quader nicht entfernen, er steht vor der Wand",
    "Vor Tumbo steht kein Quader",
    "Tumbo hat keine Ziegel mehr zum Hinlegen",
    "Tumbo kann nicht aufheben, maximales Trageverm\xF6gen erreicht",
    "Kontrolle des Trageverm\xF6gens ist nicht eingeschalten",
    "Aktueller Wert f\xFCr den Parameter fehlt",
};

}  // namespace

TTumbo::TTumbo(int32_t x, int32_t y, uint8_t heading, TRaum& room)
    : Room(room), X(x), Y(y), Heading(heading) {}

const std::string& TTumbo::MessageText(int k) {
  return (k >= 1 && k < int(kMessages.size())) ? kMessages[size_t(k)] : kMessages[0];
}

char TTumbo::HeadingLetter() const { return "SWNO"[Heading & 3]; }

void TTumbo::Fail(int k) {
  Message = MessageText(k);
  MessageNumber = k;
  Failed = true;
}

void TTumbo::ResetForRun() {
  Carried = CheckBrick ? std::min(BrickStart, MaxBrick) : 0;
  Message.clear();
  MessageNumber = 0;
  Failed = false;
}

void TTumbo::FailStep() {
  const auto ahead = CellAhead();
  if (!ahead) Fail(1);
  else if (Room.Ground(Room.GroundIndex(ahead->X, ahead->Y)) & TRaum::kGroundBlocked) Fail(2);
  else Fail(3);
}

bool TTumbo::LayOnce() {
  const auto ahead = CellAhead();
  if (!ahead) {
    Fail(4);
    return false;
  }
  if (Room.ContentAt(ahead->X, ahead->Y, 0) == kQuader) {
    Fail(5);
    return false;
  }
  if (Room.IsFull(ahead->X, ahead->Y)) {
    Fail(6);
    return false;
  }
  if (CheckBrick && Carried < 1) {
    Fail(14);
    return false;
  }
  Room.AddItem(ahead->X, ahead->Y, kZiegel);
  if (CheckBrick) --Carried;
  return true;
}

bool TTumbo::LiftOnce() {
  const auto ahead = CellAhead();
  if (!ahead) {
    Fail(7);
    return false;
  }
  if (Room.ContentAt(ahead->X, ahead->Y, 0) == kQuader) {
    Fail(8);
    return false;
  }
  if (Room.ContentAt(ahead->X, ahead->Y, 0) != kZiegel) {
    Fail(9);
    return false;
  }
  if (CheckBrick && Carried >= MaxBrick) {
    Fail(15);
    return false;
  }
  Room.RemoveTop(ahead->X, ahead->Y);
  if (CheckBrick) ++Carried;
  return true;
}

// A failing repetition changes nothing, so every later one would fail with the same
// message: stopping at the first failure gives the same result as running the count
// to its end, and a huge count in front of a wall costs nothing.
void TTumbo::Hinlegen(int32_t n) {
  Failed = false;
  if (n == kNoValue) Fail(17);
  for (int32_t i = 0; i < n && LayOnce(); ++i) {
  }
}

void TTumbo::Aufheben(int32_t n) {
  Failed = false;
  if (n == kNoValue) Fail(17);
  for (int32_t i = 0; i < n && LiftOnce(); ++i) {
  }
}

void TTumbo::MarkeSetzen() {
  Failed = false;
  Room.SetMark(X, Y);
}

void TTumbo::MarkeLoeschen() {
  Failed = false;
  Room.ClearMark(X, Y);
}

void TTumbo::QuaderAufstellen() {
  Failed = false;
  const auto ahead = CellAhead();
  if (!ahead) {
    Fail(10);
    return;
  }
  if (Room.ContentAt(ahead->X, ahead->Y, 0) != kLeer || Room.HasMark(ahead->X, ahead->Y)) {
    Fail(11);
    return;
  }
  Room.AddItem(ahead->X, ahead->Y, kQuader);
}

void TTumbo::QuaderEntfernen() {
  Failed = false;
  const auto ahead = CellAhead();
  if (!ahead) {
    Fail(12);
    return;
  }
  if (Room.ContentAt(ahead->X, ahead->Y, 0) != kQuader) {
    Fail(13);
    return;
  }
  Room.RemoveTop(ahead->X, ahead->Y);
}

void TTumbo::PlaceAt(int32_t x, int32_t y) {
  if (Room.ContentAt(x, y, 0) == kQuader || Room.BrickCount(x, y) > MaxJump) return;
  Room.MarkTopDirty(X, Y);
  X = x;
  Y = y;
  Room.MarkTopDirty(X, Y);
}

bool TTumbo::IstVoll() {
  if (!CheckBrick) {
    Fail(16);
    return false;
  }
  return Carried >= MaxBrick;
}

bool TTumbo::IstLeer() {
  if (!CheckBrick) {
    Fail(16);
    return false;
  }
  return Carried < 1;
}

bool TTumbo::HatZiegel(int32_t n) {
  if (!CheckBrick) {
    Fail(16);
    return false;
  }
  if (n == kNoValue) {
    Fail(17);
    return false;
  }
  return n == 0 ? Carried > 0 : Carried == n;
}
