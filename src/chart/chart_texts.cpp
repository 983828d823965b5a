#include "chart/chart_texts.h"

#include "language/program_tree.h"
#include "language/vocabulary.h"

namespace {

std::string Counted(std::string name, int count)
{
    return name + "(" + std::to_string(count) + ")";
}

const char *BuiltInConditionName(int code)
{
    const int index = code - 200;
    return index >= 1 && index <= kConditionCount ? Conditions[index] : "";
}

const char *BuiltInInstructionName(int kind)
{
    const int index = kind - 100;
    return index >= 1 && index <= kInstructionCount ? Instructions[index] : "";
}

} // namespace

std::string ConditionText(const TTumbo_Program &node, bool footRow)
{
    std::string text = node.Negated ? std::string(ControlWords[cwNicht]) + " " : std::string();
    if (node.Condition == condOwn)
        return text + node.Name;
    text += BuiltInConditionName(node.Condition);
    const bool showsCount = node.Condition == condIstZiegel || node.Condition == condNichtIstZiegel
                            || (footRow && node.Condition == condHatZiegel);
    if (showsCount && node.Param > 0)
        text = Counted(std::move(text), node.Param);
    return text;
}

TLoopTexts LoopTexts(const TTumbo_Program &loop)
{
    const std::string wiederhole = ControlWords[cwWiederhole];
    const std::string solange = ControlWords[cwSolange];
    const std::string wdh = "wdh. ";
    switch (loop.Kind) {
    case kindRepeat:
        if (loop.Param == kParamForever)
            return {wiederhole + " " + ControlWords[cwImmer], "", ""};
        if (loop.Param == kParamX)
            return {wiederhole, "X", ControlWords[cwMal]};
        return {wiederhole, std::to_string(loop.Param), ControlWords[cwMal]};
    case kindWhile:
        return {solange, ConditionText(loop, false), ""};
    case kindRepeatWhile:
        return {wdh + solange, ConditionText(loop, false), ""};
    case kindRepeatUntil:
        return {wdh + ControlWords[cwBis], ConditionText(loop, true), ""};
    case kindRepeatWhileAfter:
        return {wdh + solange, ConditionText(loop, true), ""};
    default:
        return {};
    }
}

TStatementText StatementText(const TTumbo_Program &statement)
{
    switch (statement.Kind) {
    case kindTrue:
        return {ControlWords[cwWahr], true};
    case kindFalse:
        return {ControlWords[cwFalsch], true};
    case kindCall:
        return {statement.Name, false};
    default:
        break;
    }
    std::string text = BuiltInInstructionName(statement.Kind);
    const bool takesCount = statement.Kind == kindSchritt || statement.Kind == kindHinlegen
                            || statement.Kind == kindAufheben || statement.Kind == kindWarten;
    if (takesCount && statement.Param > 1)
        text = Counted(std::move(text), statement.Param);
    return {std::move(text), false};
}

std::string SubChartTitle(const TTumbo_Program &top)
{
    switch (top.Kind) {
    case kindTop:
        return "Hauptprogramm";
    case kindInstructionDef:
        return "Anw.: " + top.Name;
    case kindConditionDef:
        return "Bed.: " + top.Name;
    default:
        return {};
    }
}
