#include "editor/short_input.h"

#include "language/vocabulary.h"

namespace tumbo::editor {
namespace {

// The texts of one row: the first is inserted; a second follows after two line breaks and
// gets one of its own; a third follows after one line break and gets one of its own.
struct TRow {
    std::vector<std::string> texts;
    bool breakAfterWord = false;  // wahr, falsch and the instructions end their line
    int lineOffset = 0;
    int columnOffset = 0;
};

std::string Words(int a, int b) { return std::string(ControlWords[a]) + " " + ControlWords[b]; }
std::string TwoBlanks(int a, int b) { return std::string(ControlWords[a]) + "  " + ControlWords[b]; }
std::string End(const std::string &word) { return "*" + word; }

std::optional<TRow> RowFor(int tag, int tabWidth)
{
    const std::string wiederhole = ControlWords[cwWiederhole];
    switch (tag) {
    case 1:
        return TRow{{Words(cwWiederhole, cwImmer), End(wiederhole)}, false, 1, tabWidth};
    case 2:
        return TRow{{TwoBlanks(cwWiederhole, cwMal)}, false, 0, 11};
    case 4:
        return TRow{{TwoBlanks(cwSolange, cwTue), End(ControlWords[cwSolange])}, false, 0, 8};
    case 6:
        return TRow{{TwoBlanks(cwWenn, cwDann), End(ControlWords[cwWenn])}, false, 0, 5};
    case 8:
        return TRow{{TwoBlanks(cwWenn, cwDann), ControlWords[cwSonst], End(ControlWords[cwWenn])},
                    false, 0, 5};
    case 9:
    case 10:
    case 14:
        return TRow{{ControlWords[tag], End(ControlWords[tag])}, false, 1, tabWidth};
    case 11:
    case 12:
        return TRow{{ControlWords[tag]}, true, 1, 0};
    case 13:
        return TRow{{std::string(ControlWords[cwNicht]) + " "}, false, 0, 0};
    case 17:
        return TRow{{Words(cwWiederhole, cwSolange), End(wiederhole)}, false, 0, 19};
    case 19:
        return TRow{{wiederhole, End(Words(cwWiederhole, cwSolange))}, false, 2, 20};
    default:
        break;
    }
    if (tag >= 101 && tag <= 100 + kInstructionCount)
        return TRow{{Instructions[tag - 100]}, true, 1, 0};
    if (tag >= 201 && tag <= 200 + kConditionCount)
        return TRow{{Conditions[tag - 200]}, false, 0, 0};
    return std::nullopt;
}

}  // namespace

std::optional<TShortInputPlan> ShortInputFor(int tag, int tabWidth)
{
    const std::optional<TRow> row = RowFor(tag, tabWidth);
    if (!row)
        return std::nullopt;
    const TShortInputStep lineBreak{true, {}};
    TShortInputPlan plan;
    plan.lineOffset = row->lineOffset;
    plan.columnOffset = row->columnOffset;
    const auto &texts = row->texts;
    plan.steps.push_back({false, texts[0]});
    if (texts.size() > 1)
        plan.steps.insert(plan.steps.end(), {lineBreak, lineBreak, {false, texts[1]}, lineBreak});
    if (texts.size() > 2)
        plan.steps.insert(plan.steps.end(), {lineBreak, {false, texts[2]}, lineBreak});
    if (row->breakAfterWord)
        plan.steps.push_back(lineBreak);
    return plan;
}

}  // namespace tumbo::editor
