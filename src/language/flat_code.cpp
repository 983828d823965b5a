// Builds the flat execution form from the program tree. A sequence is laid out statement by
// statement; a statement with a body is laid out as its head, the body, the step op that
// follows each pass (not for WENN) and its tail:
//   WENN:          IfHead     then-branch  else-branch  Tail
//   WIEDERHOLE n:  RepeatHead body  RepeatStep  Tail
//   SOLANGE:       WhileHead  body  WhileStep   Tail     (also WIEDERHOLE SOLANGE)
//   *WIEDERHOLE BIS / SOLANGE:  UntilHead body UntilStep Tail
// Every instruction of a sequence leaves to the sequence's end once the run is stopped, and a
// body's end is its construct's step op (or the Tail), so that no op has to look up the tree.
#include "language/flat_code.h"

namespace {

// Fills in a sequence's end: the Exit of each of its statements (listed in `ends`) and the
// Next of its last (listed last).
void CloseSequence(std::vector<TFlatInstruction>& ins, const std::vector<size_t>& ends,
                   int32_t end) {
  for (size_t i : ends) ins[i].Exit = end;
  if (!ends.empty()) ins[ends.back()].Next = end;
}

TFlatOp SimpleOp(int32_t kind) {
  switch (kind) {
    case kindSchritt: return TFlatOp::Schritt;
    case kindLinksDrehen: return TFlatOp::LinksDrehen;
    case kindRechtsDrehen: return TFlatOp::RechtsDrehen;
    case kindHinlegen: return TFlatOp::Hinlegen;
    case kindAufheben: return TFlatOp::Aufheben;
    case kindMarkeSetzen: return TFlatOp::MarkeSetzen;
    case kindMarkeLoeschen: return TFlatOp::MarkeLoeschen;
    case kindWarten: return TFlatOp::Warten;
    case kindTon: return TFlatOp::Ton;
    case kindLangsam: return TFlatOp::Langsam;
    case kindSchnell: return TFlatOp::Schnell;
    case kindBeenden: return TFlatOp::Beenden;
    case kindInstructionDef:
    case kindConditionDef: return TFlatOp::Definition;
    case kindProgramm:
    case kindEnd: return TFlatOp::Nothing;
    default: return TFlatOp::Unknown;
  }
}

}  // namespace

void TFlatProgram::Reset(TTumbo_Program* first, TTumbo_Program_Top* scope) {
  codes_.clear();
  codeOf_.clear();
  auto code = std::make_unique<TFlatCode>();
  code->First = first;
  code->Scope = scope;
  codes_.push_back(std::move(code));
}

int32_t TFlatProgram::DefinitionCode(TTumbo_Program_Top* scope, const std::string& name,
                                     int32_t kind, TTumbo_Program_Top** found) {
  TTumbo_Program_Top* def = scope ? scope->FindDefinition(name, kind) : nullptr;
  *found = def;
  if (!def) return -1;
  const auto [it, added] = codeOf_.try_emplace(def, static_cast<int32_t>(codes_.size()));
  if (added) {
    auto code = std::make_unique<TFlatCode>();
    code->First = def->Body;
    code->Scope = def;
    codes_.push_back(std::move(code));
  }
  return it->second;
}

void TFlatProgram::Build(TFlatCode& code) {
  code.Built = true;
  std::vector<size_t> ends;
  EmitSequence(code, code.First, 0, 0, ends);
  TFlatInstruction ret;
  ret.Op = TFlatOp::Return;
  code.Ins.push_back(ret);
  CloseSequence(code.Ins, ends, static_cast<int32_t>(code.Ins.size() - 1));
  for (TFlatInstruction& in : code.Ins) {
    in.After = in.Next;
    while (code.Ins[static_cast<size_t>(in.After)].Op == TFlatOp::Tail && in.Ends < UINT8_MAX) {
      in.After = code.Ins[static_cast<size_t>(in.After)].Next;
      ++in.Ends;
    }
  }
  for (size_t i = 0; i < code.Ins.size(); ++i) {
    if (code.Ins[i].Op != TFlatOp::RepeatStep) continue;
    auto loop = std::make_shared<TRobotLoop>();
    if (!BuildRobotLoop(code.Ins, static_cast<int32_t>(i), *loop)) continue;
    code.Ins[i].Target = static_cast<int32_t>(code.RobotLoops.size());
    code.RobotLoops.push_back(std::move(loop));
  }
}

void TFlatProgram::EmitSequence(TFlatCode& code, TTumbo_Program* first, int32_t nest,
                                int32_t slot, std::vector<size_t>& ends) {
  for (TTumbo_Program* node = first; node; node = node->Next) {
    if (!ends.empty()) code.Ins[ends.back()].Next = static_cast<int32_t>(code.Ins.size());
    EmitStatement(code, node, nest, slot, ends);
  }
}

void TFlatProgram::EmitStatement(TFlatCode& code, TTumbo_Program* node, int32_t nest,
                                 int32_t slot, std::vector<size_t>& ends) {
  std::vector<TFlatInstruction>& ins = code.Ins;
  TFlatInstruction in;
  in.Line = node->Line;
  in.Param = node->Param;
  in.Condition = node->Condition;
  in.Negated = node->Negated;
  in.Nest = nest;
  if (nest > code.MaxNest) code.MaxNest = nest;
  const int32_t kind = node->Kind;
  const bool loop = kind == kindRepeat || kind == kindWhile || kind == kindRepeatWhile ||
                    kind == kindRepeatUntil || kind == kindRepeatWhileAfter;
  if (kind != kindIf && !loop) {
    in.Op = SimpleOp(kind);
    TTumbo_Program_Top* def = nullptr;
    if (kind == kindCall) {
      in.Target = DefinitionCode(code.Scope, node->Name, kindInstructionDef, &def);
      in.Op = def ? TFlatOp::Call : TFlatOp::Unknown;
    } else if (kind == kindTrue || kind == kindFalse) {
      const bool inCondition = code.Scope && code.Scope->Kind == kindConditionDef;
      in.Op = inCondition ? TFlatOp::SetResult : TFlatOp::ResultOutside;
      if (inCondition) in.Result = static_cast<TTumbo_Program_Bool*>(code.Scope);
      in.Value = kind == kindTrue;
    }
    if (in.Op != TFlatOp::Definition) ++counted_;
    ends.push_back(ins.size());
    ins.push_back(in);
    return;
  }

  if (in.Condition == condOwn) {
    TTumbo_Program_Top* def = nullptr;
    in.Target = DefinitionCode(code.Scope, node->Name, kindConditionDef, &def);
    in.Result = static_cast<TTumbo_Program_Bool*>(def);
  }
  const size_t head = ins.size();
  ends.push_back(head);
  ins.push_back(in);
  ++counted_;
  auto body = [&](TTumbo_Program* first, int32_t bodySlot, std::vector<size_t>& bodyEnds) {
    const auto entry = static_cast<int32_t>(ins.size());
    EmitSequence(code, first, nest + 1, bodySlot, bodyEnds);
    return first ? entry : -1;
  };

  std::vector<size_t> bodyEnds, elseEnds;
  int32_t step;
  if (kind == kindIf) {
    ins[head].Op = TFlatOp::IfHead;
    ins[head].Body = body(node->Body, slot, bodyEnds);
    ins[head].Else = body(static_cast<TTumbo_Program_If*>(node)->ElseBody, slot, elseEnds);
    step = static_cast<int32_t>(ins.size());  // the Tail
    if (ins[head].Body < 0) ins[head].Body = step;
    if (ins[head].Else < 0) ins[head].Else = step;
  } else {
    TFlatInstruction stepOp = ins[head];
    if (kind == kindRepeat) {
      ins[head].Op = TFlatOp::RepeatHead;
      stepOp.Op = TFlatOp::RepeatStep;
      stepOp.Slot = ins[head].Slot = static_cast<uint16_t>(slot);
      if (slot + 1 > code.Slots) code.Slots = slot + 1;
    } else if (kind == kindWhile || kind == kindRepeatWhile) {
      ins[head].Op = TFlatOp::WhileHead;
      stepOp.Op = TFlatOp::WhileStep;
    } else {
      ins[head].Op = TFlatOp::UntilHead;
      stepOp.Op = TFlatOp::UntilStep;
      stepOp.Value = kind == kindRepeatUntil;  // the condition's answer that ends the loop
    }
    const int64_t countedBefore = counted_;
    const int32_t entry = body(node->Body, kind == kindRepeat ? slot + 1 : slot, bodyEnds);
    step = static_cast<int32_t>(ins.size());
    stepOp.Uncounted = ins[head].Uncounted = counted_ == countedBefore;
    stepOp.Body = ins[head].Body = entry < 0 ? step : entry;
    stepOp.Step = step;
    ins.push_back(stepOp);
  }
  CloseSequence(ins, bodyEnds, step);
  CloseSequence(ins, elseEnds, step);

  TFlatInstruction tail;
  tail.Op = TFlatOp::Tail;
  tail.Line = node->Line;
  const auto tailIndex = static_cast<int32_t>(ins.size());
  ends.push_back(ins.size());
  ins.push_back(tail);
  ins[head].Step = step;
  ins[head].Tail = tailIndex;
  if (ins[step].Op != TFlatOp::Tail) ins[step].Tail = tailIndex;
}
