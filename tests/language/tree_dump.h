#pragma once
// A compact text of a program tree for tests: each node as kind, ":c" condition, ":p" param,
// "!" negated, "'name'", "@line", then "{body}" and "else{...}"; siblings separated by blanks.
#include <string>

#include "language/program_tree.h"

inline std::string DumpSequence(const TTumbo_Program* node) {
  std::string out;
  for (; node; node = node->Next) {
    if (!out.empty()) out += ' ';
    out += std::to_string(node->Kind);
    if (node->Condition) out += ":c" + std::to_string(node->Condition);
    out += ":p" + std::to_string(node->Param);
    if (node->Negated) out += '!';
    if (!node->Name.empty()) out += "'" + node->Name + "'";
    out += "@" + std::to_string(node->Line);
    if (node->Body) out += "{" + DumpSequence(node->Body) + "}";
    if (auto* ifNode = dynamic_cast<const TTumbo_Program_If*>(node); ifNode && ifNode->ElseBody)
      out += "else{" + DumpSequence(ifNode->ElseBody) + "}";
  }
  return out;
}
