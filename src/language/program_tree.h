#pragma once
// The program tree that Compile builds and the interpreter, the structure chart and the
// program overview read. A node owns its Next, Body and (for an if node) ElseBody.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Statement kinds (TTumbo_Program::Kind).
enum TTumbo_Kind : int32_t {
  kindTop = 1,                 // root of every tree
  kindRepeat = 2,              // WIEDERHOLE n MAL, WIEDERHOLE IMMER
  kindWhile = 4,               // SOLANGE BED TUE
  kindIf = 6,                  // WENN BED DANN ... [SONST ...] *WENN
  kindInstructionDef = 9,      // ANWEISUNG name
  kindConditionDef = 10,       // BEDINGUNG name
  kindTrue = 11,               // WAHR
  kindFalse = 12,              // FALSCH
  kindRepeatWhile = 17,        // WIEDERHOLE SOLANGE BED (test before each pass)
  kindRepeatUntil = 18,        // WIEDERHOLE ... *WIEDERHOLE BIS BED
  kindRepeatWhileAfter = 19,   // WIEDERHOLE ... *WIEDERHOLE SOLANGE BED
  kindProgramm = 20,           // PROGRAMM
  kindSchritt = 101,           // built-in instructions: 100 + index of the instruction table
  kindLinksDrehen = 102,
  kindRechtsDrehen = 103,
  kindHinlegen = 104,
  kindAufheben = 105,
  kindMarkeSetzen = 106,
  kindMarkeLoeschen = 107,
  kindWarten = 108,
  kindTon = 109,
  kindLangsam = 110,
  kindSchnell = 111,
  kindBeenden = 112,
  kindCall = 301,              // call of an own instruction
  kindEnd = 999,               // end word of a block; Condition = kind of the closed block
};

// Condition codes (TTumbo_Program::Condition): 200 + index of the condition table, or 302.
enum TTumbo_ConditionCode : int32_t {
  condIstWand = 201,
  condNichtIstWand = 202,
  condIstZiegel = 203,
  condNichtIstZiegel = 204,
  condIstMarke = 205,
  condNichtIstMarke = 206,
  condIstNorden = 207,
  condIstOsten = 208,
  condIstSueden = 209,
  condIstWesten = 210,
  condIstVoll = 211,
  condNichtIstVoll = 212,
  condIstLeer = 213,
  condNichtIstLeer = 214,
  condHatZiegel = 215,
  condOwn = 302,
};

inline constexpr int32_t kParamX = -1;               // the formal parameter X
inline constexpr int32_t kParamForever = 2147483647;  // WIEDERHOLE IMMER

class TTumbo_Program {
 public:
  TTumbo_Program(int32_t kind, int32_t condition, int32_t param, bool negated, std::string name,
                 int32_t line);
  // Destroys Next, Body and ElseBody without recursing along the chains.
  virtual ~TTumbo_Program();
  TTumbo_Program(const TTumbo_Program&) = delete;
  TTumbo_Program& operator=(const TTumbo_Program&) = delete;

  int32_t Kind;
  int32_t Condition;
  int32_t Line;
  int32_t Param;
  bool Negated;
  std::string Name;             // upper case, Windows-1252
  TTumbo_Program* Next = nullptr;  // owned
  TTumbo_Program* Body = nullptr;  // owned

  bool IsDefinition() const { return Kind == kindInstructionDef || Kind == kindConditionDef; }

 protected:
  // Hands the owned children to `pending`; virtual, as a dynamic_cast per node would cost more.
  virtual void DetachChildren(std::vector<TTumbo_Program*>& pending);
};

class TTumbo_Program_If : public TTumbo_Program {
 public:
  using TTumbo_Program::TTumbo_Program;
  ~TTumbo_Program_If() override;
  TTumbo_Program* ElseBody = nullptr;  // owned

 protected:
  void DetachChildren(std::vector<TTumbo_Program*>& pending) override;
};

// The root (kind 1) and the definitions (kinds 9 and 10): the scopes of own words.
// Every node of kind 6 is a TTumbo_Program_If, and every node of kind 10 a TTumbo_Program_Bool.
class TTumbo_Program_Top : public TTumbo_Program {
 public:
  using TTumbo_Program::TTumbo_Program;
  std::vector<TTumbo_Program_Top*> Definitions;  // not owned, in the order of their headers
  TTumbo_Program_Top* Enclosing = nullptr;       // not owned; empty for the root

  // The first definition named `name` of the given kind (9 or 10), searched in Definitions
  // and then outward through Enclosing.
  TTumbo_Program_Top* FindDefinition(const std::string& name, int32_t kind);

 private:
  // The first definition of each name and kind among Definitions[0 .. indexed_), so that a
  // look-up costs the same with thousands of definitions. Definitions appended later are
  // taken in on the next look-up. Made on the first look-up in a scope with definitions, as
  // most definitions hold none; the names are those of the definitions, which it outlives.
  struct TIndex {
    std::unordered_map<std::string_view, TTumbo_Program_Top*> FirstByName[2];
  };
  std::unique_ptr<TIndex> index_;
  size_t indexed_ = 0;
  TTumbo_Program_Top* FindHere(const std::string& name, int32_t kind);
};

// An own condition's definition (kind 10); WAHR and FALSCH set Result while it runs.
class TTumbo_Program_Bool : public TTumbo_Program_Top {
 public:
  using TTumbo_Program_Top::TTumbo_Program_Top;
  bool Result = false;
};
