#include "language/program_tree.h"

#include <utility>

TTumbo_Program::TTumbo_Program(int32_t kind, int32_t condition, int32_t param, bool negated,
                               std::string name, int32_t line)
    : Kind(kind), Condition(condition), Line(line), Param(param), Negated(negated),
      Name(std::move(name)) {}

TTumbo_Program::~TTumbo_Program() {
  // Children are detached first, so the nested deletes below never recurse: a chain of any
  // length and a nesting of any depth are destroyed with one work list.
  std::vector<TTumbo_Program*> pending;
  DetachChildren(pending);
  while (!pending.empty()) {
    TTumbo_Program* node = pending.back();
    pending.pop_back();
    node->DetachChildren(pending);
    delete node;
  }
}

void TTumbo_Program::DetachChildren(std::vector<TTumbo_Program*>& pending) {
  if (Next) pending.push_back(std::exchange(Next, nullptr));
  if (Body) pending.push_back(std::exchange(Body, nullptr));
}

void TTumbo_Program_If::DetachChildren(std::vector<TTumbo_Program*>& pending) {
  TTumbo_Program::DetachChildren(pending);
  if (ElseBody) pending.push_back(std::exchange(ElseBody, nullptr));
}

TTumbo_Program_If::~TTumbo_Program_If() {
  // Only reached with an else branch still attached when an if node is deleted directly;
  // inside a tree's destruction the branch was detached beforehand.
  delete ElseBody;
}

TTumbo_Program_Top* TTumbo_Program_Top::FindHere(const std::string& name, int32_t kind) {
  if (Definitions.empty()) return nullptr;
  if (!index_) index_ = std::make_unique<TIndex>();
  for (; indexed_ < Definitions.size(); ++indexed_) {
    TTumbo_Program_Top* def = Definitions[indexed_];
    if (def->Kind == kindInstructionDef || def->Kind == kindConditionDef)
      index_->FirstByName[def->Kind - kindInstructionDef].emplace(def->Name, def);  // keeps the first
  }
  if (kind != kindInstructionDef && kind != kindConditionDef) return nullptr;
  const auto& index = index_->FirstByName[kind - kindInstructionDef];
  const auto it = index.find(name);
  return it == index.end() ? nullptr : it->second;
}

TTumbo_Program_Top* TTumbo_Program_Top::FindDefinition(const std::string& name, int32_t kind) {
  for (TTumbo_Program_Top* scope = this; scope; scope = scope->Enclosing)
    if (TTumbo_Program_Top* def = scope->FindHere(name, kind)) return def;
  return nullptr;
}
