#pragma once
// The flat execution form of a program tree: for every body that runs as a whole (the main
// program, each own instruction's or condition's definition), one array of instructions with
// jump targets. The interpreter runs a body in one loop; only a call of an own instruction or
// condition nests. The tree stays as it is; the flat form is built from it for each run, a
// definition's body on its first call.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "language/program_tree.h"
#include "language/robot_loop.h"

// The quiet run's table of handlers follows this order.
enum class TFlatOp : uint8_t {
  // Statements without a body: step point, the action, then the end of the statement.
  Schritt,
  LinksDrehen,
  RechtsDrehen,
  Hinlegen,
  Aufheben,
  MarkeSetzen,
  MarkeLoeschen,
  Warten,
  Ton,
  Langsam,
  Schnell,
  Beenden,
  SetResult,      // WAHR or FALSCH inside an own condition
  ResultOutside,  // WAHR or FALSCH anywhere else: message 12
  Nothing,        // PROGRAMM and the end words
  Unknown,        // a kind outside the tables, or a call without its definition: message 10
  Call,
  Definition,     // a definition met in a sequence: no step, no pause
  // Statements with a body: the head, a step op at the end of each pass, the tail.
  IfHead,
  RepeatHead,
  RepeatStep,
  WhileHead,
  WhileStep,
  UntilHead,
  UntilStep,
  Tail,    // the end of a statement with a body
  Return,  // the end of the code
};

struct TFlatInstruction {
  TFlatOp Op = TFlatOp::Nothing;
  bool Negated = false;     // heads: the condition is negated
  bool Value = false;       // SetResult: WAHR
  // Heads and step ops of loops whose body holds no statement that is counted (it is empty or
  // holds only definitions): a pass that counts nothing else counts as one statement.
  bool Uncounted = false;
  // While the run is quiet, the end of a statement that went well is also the end of the
  // statements with a body whose Tails follow it at once: Ends statement ends in all, after
  // which the run goes on at After.
  uint8_t Ends = 1;
  uint16_t Slot = 0;        // RepeatHead, RepeatStep: the pass counter of this repetition
  int32_t Line = 0;
  int32_t Param = 0;        // the node's Param; kParamX takes the current X
  int32_t Condition = 0;    // heads: the condition code
  int32_t Nest = 0;         // depth of the statement's sequence within the code (0 at its top)
  int32_t Next = 0;         // where the run goes on after the statement
  int32_t Exit = 0;         // the end of the statement's sequence, taken once the run is stopped
  // Heads, step ops: the first instruction of the body; for an empty body where the run goes on
  // instead (the step op, or the Tail of WENN), so that Body == Step marks an empty body.
  int32_t Body = -1;
  int32_t Else = -1;        // IfHead: the first instruction of the else branch, else its Tail
  int32_t Step = 0;         // heads: the step op after each pass (IfHead: its Tail)
  int32_t Tail = 0;         // heads, step ops: the statement's Tail
  // Call, own condition: the index of the definition's code. RepeatStep: its robot loop in
  // the code's RobotLoops, -1 for none.
  int32_t Target = -1;
  int32_t After = 0;        // see Ends
  TTumbo_Program_Bool* Result = nullptr;  // SetResult, own condition: the condition's definition
};

// The count of a statement or condition: its Param, or the current X for X.
inline int32_t ParamOf(const TFlatInstruction& in, int32_t x) {
  return in.Param == kParamX ? x : in.Param;
}

// The code of one body.
struct TFlatCode {
  TTumbo_Program* First = nullptr;      // the body's first node; empty for an empty body
  TTumbo_Program_Top* Scope = nullptr;  // where its own words are looked up
  bool Built = false;
  int32_t Slots = 0;                    // pass counters of nested repetitions
  int32_t MaxNest = 0;                  // the largest Nest of its instructions
  std::vector<TFlatInstruction> Ins;
  std::vector<std::shared_ptr<const TRobotLoop>> RobotLoops;  // shared with recorded steps
};

// The codes of one run: index 0 is the body the run started with; a definition's code is
// added when a call of it is compiled and built when it is first entered.
class TFlatProgram {
 public:
  // Forgets every code and starts again with the sequence `first` in `scope` as code 0.
  void Reset(TTumbo_Program* first, TTumbo_Program_Top* scope);
  // Code `index`, built on first use. The reference stays valid while codes are added.
  const TFlatCode& Code(int32_t index) {
    TFlatCode& code = *codes_[static_cast<size_t>(index)];
    if (!code.Built) Build(code);
    return code;
  }

 private:
  void Build(TFlatCode& code);
  // Appends the statements of the sequence `first` at `nest`. `ends` receives every instruction
  // whose Exit is the sequence's end, the last statement's last (its Next is that end too);
  // the caller fills them in once the end is laid out.
  void EmitSequence(TFlatCode& code, TTumbo_Program* first, int32_t nest, int32_t slot,
                    std::vector<size_t>& ends);
  void EmitStatement(TFlatCode& code, TTumbo_Program* node, int32_t nest, int32_t slot,
                     std::vector<size_t>& ends);
  // The index of the code of the definition `name` of `kind` seen from `scope`; -1 for none.
  int32_t DefinitionCode(TTumbo_Program_Top* scope, const std::string& name, int32_t kind,
                         TTumbo_Program_Top** found);

  std::vector<std::unique_ptr<TFlatCode>> codes_;
  std::unordered_map<const TTumbo_Program_Top*, int32_t> codeOf_;
  int64_t counted_ = 0;  // statements laid out so that a run counts them (not definitions)
};
