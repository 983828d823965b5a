#include "tree_builder.h"

namespace chart_test {

Node Chain(std::initializer_list<Node> nodes)
{
    Node first = nullptr, last = nullptr;
    for (Node node : nodes) {
        if (last)
            last->Next = node;
        else
            first = node;
        last = node;
    }
    return first;
}

Node Statement(int kind, int param)
{
    return new TTumbo_Program(kind, 0, param, false, "", 1);
}

Node Call(const std::string &name)
{
    return new TTumbo_Program(kindCall, 0, 0, false, name, 1);
}

Node Loop(int kind, int param, std::initializer_list<Node> body)
{
    Node loop = new TTumbo_Program(kind, 0, param, false, "", 1);
    loop->Body = Chain(body);
    return loop;
}

Node CondLoop(int kind, int condition, int param, bool negated, std::initializer_list<Node> body,
              const std::string &name)
{
    Node loop = new TTumbo_Program(kind, condition, param, negated, name, 1);
    loop->Body = Chain(body);
    return loop;
}

Node If(int condition, std::initializer_list<Node> thenBranch, std::initializer_list<Node> elseBranch)
{
    auto *node = new TTumbo_Program_If(kindIf, condition, 0, false, "", 1);
    node->Body = Chain(thenBranch);
    node->ElseBody = Chain(elseBranch);
    return node;
}

TTumbo_Program_Top *Definition(int kind, const std::string &name, std::initializer_list<Node> body)
{
    TTumbo_Program_Top *def = kind == kindConditionDef ? new TTumbo_Program_Bool(kind, 0, 0, false, name, 1)
                                                       : new TTumbo_Program_Top(kind, 0, 0, false, name, 1);
    def->Body = Chain(body);
    return def;
}

std::unique_ptr<TTumbo_Program_Top> Root(std::initializer_list<Node> body)
{
    auto root = std::make_unique<TTumbo_Program_Top>(kindTop, 0, 0, false, "", 1);
    root->Body = Chain(body);
    return root;
}

} // namespace chart_test
