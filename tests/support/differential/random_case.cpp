// The generator of random programs: own instructions and conditions (with and without X,
// nested, recursive), every statement and condition kind, loops of every kind, Beenden, and
// robot actions that fail against walls, cuboids, full stacks and the carrying limits.
#include "random_case.h"

#include <random>
#include <vector>

#include "world/welt.h"

namespace {

struct TDefinition {
  std::string Name;
  bool TakesX = false;
  bool Defining = true;  // inside its own body a call passes no value: X is not yet known
};

class TProgramWriter {
 public:
  explicit TProgramWriter(const TChoices& choose) : choose_(choose) {}

  std::string Write(int32_t& lines) {
    const uint32_t definitions = choose_(5);
    for (uint32_t i = 0; i < definitions; ++i) Definition(0);
    const bool framed = choose_(2) == 0;
    if (framed) Line("Programm");
    Sequence(0, 1 + choose_(6), false);
    if (framed) Line("*Programm");
    lines = lines_;
    return text_;
  }

 private:
  bool Chance(uint32_t percent) { return choose_(100) < percent; }
  void Line(const std::string& text) {
    text_ += std::string(size_t(indent_) * 2, ' ') + text + "\r\n";
    ++lines_;
  }
  std::string Number(uint32_t below) { return std::to_string(choose_(below)); }
  // An argument: a number, or X where X may stand (the top sequence of a definition that
  // takes X: elsewhere X is refused).
  std::string Argument(uint32_t below) { return xHere_ && Chance(30) ? "X" : Number(below); }
  std::string CallOf(const TDefinition& def) {
    return def.Name + (def.TakesX && !def.Defining ? "(" + Argument(4) + ")" : "");
  }

  void Definition(int nesting) {
    const bool condition = choose_(3) == 0;
    TDefinition def{(condition ? "Frei" : "Tu") + std::to_string(names_++), choose_(2) == 0};
    Line(std::string(condition ? "Bedingung " : "Anweisung ") + def.Name + (def.TakesX ? "(X)" : ""));
    // Known inside its own body, so that it may call itself.
    (condition ? conditions_ : instructions_).push_back(def);
    const size_t known = instructions_.size(), knownConditions = conditions_.size();
    const bool outer = takesX_;
    takesX_ = def.TakesX;
    ++indent_;
    if (nesting < 1 && Chance(20)) Definition(nesting + 1);
    // A definition takes X when its top sequence uses X.
    if (def.TakesX) Line(std::string(choose_(2) ? "Schritt" : "Warten") + "(X)");
    Sequence(1, 1 + choose_(4), condition);
    --indent_;
    takesX_ = outer;
    for (TDefinition& d : condition ? conditions_ : instructions_)
      if (d.Name == def.Name) d.Defining = false;
    Line(condition ? "*Bedingung" : "*Anweisung");
    // A nested definition is visible only inside its enclosing one.
    instructions_.resize(std::min(instructions_.size(), known));
    conditions_.resize(std::min(conditions_.size(), knownConditions));
  }

  void Sequence(int nesting, uint32_t statements, bool condition) {
    for (uint32_t i = 0; i < statements; ++i) Statement(nesting, condition);
  }

  std::string Condition() {
    static const char* const kPlain[] = {"IstWand",  "NichtIstWand", "IstMarke",   "NichtIstMarke",
                                         "IstNorden", "IstOsten",    ("IstS\xFC" "den"), "IstWesten",
                                         "IstVoll",  "NichtIstVoll", "IstLeer",    "NichtIstLeer"};
    static const char* const kWithCount[] = {"IstZiegel", "NichtIstZiegel", "HatZiegel"};
    std::string c = Chance(20) ? "nicht " : "";
    const uint32_t kind = choose_(10);
    if (kind < 2 && !conditions_.empty()) {
      const TDefinition& def = conditions_[choose_(uint32_t(conditions_.size()))];
      return c + CallOf(def);
    }
    if (kind < 4) {
      const char* word = kWithCount[choose_(3)];
      return c + word + (Chance(70) ? "(" + Argument(4) + ")" : "");
    }
    return c + kPlain[choose_(12)];
  }

  void Block(int nesting, bool condition) {
    ++indent_;
    Sequence(nesting + 1, 1 + choose_(3), condition);
    --indent_;
    xHere_ = nesting == 1 && takesX_;
  }

  void Statement(int nesting, bool condition) {
    xHere_ = nesting == 1 && takesX_;
    uint32_t kind = choose_(nesting >= 3 ? 12 : 20);
    // Words run on across lines: "wiederhole" followed by "solange" or "wiederhole" would
    // read as one head, so the body of "wiederhole ... *wiederhole bis" starts otherwise.
    if (kind >= 14 && afterBareWiederhole_) kind = 12;
    afterBareWiederhole_ = false;
    switch (kind) {
      case 0: case 1: Line(Chance(30) ? "Schritt(" + Argument(4) + ")" : "Schritt"); break;
      case 2: Line("LinksDrehen"); break;
      case 3: Line("RechtsDrehen"); break;
      case 4: Line(Chance(50) ? "Hinlegen(" + Argument(3) + ")" : "Hinlegen"); break;
      case 5: Line(Chance(50) ? "Aufheben(" + Argument(3) + ")" : "Aufheben"); break;
      case 6: Line(Chance(50) ? "MarkeSetzen" : "MarkeL\xF6schen"); break;
      case 7: {
        static const char* const kRare[] = {"Warten", "Warten(0)", "Warten(3)", "Ton",
                                            "Langsam", "Schnell", "Beenden"};
        const uint32_t r = choose_(Chance(20) ? 7 : 6);
        Line(r == 2 && xHere_ && Chance(30) ? "Warten(X)" : kRare[r]);
        break;
      }
      case 8: Line(Chance(condition ? 90 : 5) ? (Chance(50) ? "wahr" : "falsch") : "LinksDrehen"); break;
      case 9: case 10: case 11:
        if (!instructions_.empty()) {
          const TDefinition& def = instructions_[choose_(uint32_t(instructions_.size()))];
          Line(CallOf(def));
        } else {
          Line("Schritt");
        }
        break;
      case 12: case 13:
        Line("wenn " + Condition() + " dann");
        Block(nesting, condition);
        if (Chance(50)) {
          Line("sonst");
          Block(nesting, condition);
        }
        Line("*wenn");
        break;
      case 14:
        Line(Chance(5) ? "wiederhole immer" : "wiederhole " + Argument(4) + " mal");
        Block(nesting, condition);
        Line("*wiederhole");
        break;
      case 15:
        Line("solange " + Condition() + " tue");
        Block(nesting, condition);
        Line("*solange");
        break;
      case 16:
        Line("wiederhole solange " + Condition());
        Block(nesting, condition);
        Line("*wiederhole");
        break;
      case 19:
        RobotLoop();
        break;
      default:
        Line("wiederhole");
        afterBareWiederhole_ = true;
        Block(nesting, condition);
        Line(std::string(kind == 17 ? "*wiederhole bis " : "*wiederhole solange ") + Condition());
        break;
    }
  }

  // A repetition of many passes that only moves, turns and asks plain questions, as the wall
  // follower does; one in five has something else in its body.
  void RobotLoop() {
    static const char* const kActions[] = {"Schritt", "LinksDrehen", "RechtsDrehen"};
    static const char* const kQuestions[] = {"IstWand",   "NichtIstWand", "IstMarke",
                                             "NichtIstMarke", "IstNorden", "IstOsten",
                                             ("IstS\xFC" "den"), "IstWesten"};
    const auto actions = [&](uint32_t most) {
      ++indent_;
      for (uint32_t n = choose_(most + 1); n > 0; --n) Line(kActions[choose_(3)]);
      if (Chance(20)) Line(Chance(50) ? "Hinlegen" : "Schritt(2)");
      --indent_;
    };
    Line("wiederhole " + (Chance(10) ? Argument(4) : Number(80)) + " mal");
    ++indent_;
    for (uint32_t items = 1 + choose_(3); items > 0; --items) {
      if (Chance(30)) {  // the wall follower, which steps only where it can
        Line("wenn IstWand dann " + std::string(kActions[1 + choose_(2)]) + " sonst Schritt *wenn");
        continue;
      }
      if (Chance(30)) {
        Line(kActions[choose_(3)]);
        continue;
      }
      Line("wenn " + std::string(Chance(20) ? "nicht " : "") + kQuestions[choose_(8)] + " dann");
      actions(2);
      if (Chance(60)) {
        Line("sonst");
        actions(2);
      }
      Line("*wenn");
    }
    --indent_;
    Line("*wiederhole");
  }

  const TChoices& choose_;
  std::string text_;
  int32_t lines_ = 0;
  int indent_ = 0;
  int names_ = 0;
  bool takesX_ = false;  // the definition being written takes X
  bool xHere_ = false;
  bool afterBareWiederhole_ = false;
  std::vector<TDefinition> instructions_, conditions_;
};

}  // namespace

TRandomCase MakeRandomCase(const TChoices& choose) {
  TRandomCase c;
  c.Program = TProgramWriter(choose).Write(c.Lines);
  c.Width = 1 + int32_t(choose(6));
  c.Length = 1 + int32_t(choose(6));
  c.Height = int32_t(choose(7));
  c.WorldSeed = choose(1u << 30);
  c.MaxJump = int32_t(choose(3));
  c.CheckBrick = choose(2) == 0;
  c.BrickStart = int32_t(choose(5));
  c.MaxBrick = int32_t(choose(5));
  const uint32_t errors = choose(4);
  c.Hint = errors & 1;
  c.StopOnError = (errors & 2) != 0;
  c.Events = choose(3) != 0;
  c.Mode = uint8_t(1 + choose(c.Events ? 3 : 2));  // single steps need events to go on
  c.Delay = choose(3) == 0 ? int32_t(choose(6)) : 0;
  c.MaxDepth = choose(3) == 0 ? 2 + int(choose(30)) : 10000;
  c.StatementLimit = choose(4) == 0 ? 1 + int64_t(choose(300)) : 3000;
  c.Trace = choose(2) == 0;
  c.PlainHost = choose(4) == 0;
  c.EventSeed = choose(1u << 30);
  c.Record = choose(2) == 0;
  return c;
}

void BuildWorld(const TRandomCase& c, TWelt& world) {
  world.NewWorld(c.Width, c.Length, c.Height);
  std::mt19937 rng(c.WorldSeed);
  TRaum& room = world.Room;
  for (int32_t x = 0; x < room.Width(); ++x) {
    for (int32_t y = 0; y < room.Length(); ++y) {
      const uint32_t r = rng() % 10;
      if (r == 0) room.AddItem(x, y, kQuader);
      for (uint32_t b = r >= 6 ? r - 5 : 0; b > 0; --b) room.AddItem(x, y, kZiegel);
      if (rng() % 5 == 0) room.SetMark(x, y);
    }
  }
  TTumbo& robot = world.Robot;
  robot.PlaceAt(int32_t(rng() % uint32_t(room.Width())), int32_t(rng() % uint32_t(room.Length())));
  robot.Heading = uint8_t(rng() % 4);
  robot.MaxJump = c.MaxJump;
  robot.CheckBrick = c.CheckBrick;
  robot.BrickStart = c.BrickStart;
  robot.MaxBrick = c.MaxBrick;
  room.ClearDirty();
}
