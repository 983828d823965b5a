#pragma once
// Program trees built by hand, node by node, for the chart tests.
#include <initializer_list>
#include <memory>
#include <string>

#include "language/program_tree.h"

namespace chart_test {

using Node = TTumbo_Program *;

// Links the nodes into one chain along Next and returns its first node.
Node Chain(std::initializer_list<Node> nodes);

Node Statement(int kind, int param = 1);
Node Call(const std::string &name);
Node Loop(int kind, int param, std::initializer_list<Node> body = {});
Node CondLoop(int kind, int condition, int param, bool negated, std::initializer_list<Node> body = {},
              const std::string &name = "");
Node If(int condition, std::initializer_list<Node> thenBranch, std::initializer_list<Node> elseBranch = {});
TTumbo_Program_Top *Definition(int kind, const std::string &name, std::initializer_list<Node> body = {});

// The main program; definitions must be added to Definitions by the caller as well.
std::unique_ptr<TTumbo_Program_Top> Root(std::initializer_list<Node> body);

} // namespace chart_test
