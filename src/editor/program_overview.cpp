#include "editor/program_overview.h"

#include "language/parser.h"
#include "language/program_tree.h"
#include "language/vocabulary.h"

namespace tumbo::editor {
namespace {

TOverviewNode Node(std::string text, int image, std::vector<TOverviewNode> children = {})
{
    return TOverviewNode{std::move(text), image, std::move(children)};
}

std::vector<TOverviewNode> FixedEntries()
{
    std::vector<TOverviewNode> forms;
    for (const char *form : {
             "wiederhole immer ANW *wiederhole", "wiederhole n mal ANW *wiederhole",
             "solange BED tue ANW *solange", "wiederhole solange BED ANW *wiederhole",
             "wiederhole ANW *wiederhole bis BED", "wiederhole ANW *wiederhole solange BED",
             "wenn BED dann ANW *wenn", "wenn BED dann ANW sonst ANW *wenn",
             "Anweisung ANW *Anweisung", "Bedingung ANW *Bedingung",
             "Einf\xFCgen PFAD *Einf\xFCgen"})
        forms.push_back(Node(form, oiPlain));
    std::vector<TOverviewNode> instructions, conditions;
    for (int i = 1; i <= kInstructionCount; ++i)
        instructions.push_back(Node(Instructions[i], oiPlain));
    for (int i = 1; i <= kConditionCount; ++i)
        conditions.push_back(Node(Conditions[i], oiPlain));
    std::vector<TOverviewNode> top;
    top.push_back(Node("Kontrollstrukturen", oiTopEntry, std::move(forms)));
    top.push_back(Node("Vordefinierte Anweisungen", oiTopEntry, std::move(instructions)));
    top.push_back(Node("Vordefinierte Bedingungen", oiTopEntry, std::move(conditions)));
    return top;
}

const char *const kOwnWords = "Eigene Anweisungen/Bedingungen";
const char *const kThisProgram = "Dieses Programm";

std::string Word(int controlWord) { return ControlWords[controlWord]; }

// "nicht " when negated, the condition's name, one blank.
std::string ConditionText(const TTumbo_Program &node)
{
    std::string text = node.Negated ? Word(cwNicht) + " " : "";
    if (node.Condition == condOwn)
        text += node.Name;
    else if (node.Condition > 200 && node.Condition <= 200 + kConditionCount)
        text += Conditions[node.Condition - 200];
    return text + " ";
}

std::string RepeatText(const TTumbo_Program &node)
{
    if (node.Param == kParamForever)
        return Word(cwWiederhole) + " " + Word(cwImmer);
    const std::string count = node.Param == kParamX ? "X" : std::to_string(node.Param);
    return Word(cwWiederhole) + " " + count + " " + Word(cwMal);
}

// The node's line in the outline; false for nodes that are left out with all below them.
bool Describe(const TTumbo_Program &node, std::string &text, int &image)
{
    image = oiPlain;
    switch (node.Kind) {
    case kindTop:
        text = kThisProgram;
        image = oiProgram;
        return true;
    case kindRepeat:
        text = RepeatText(node);
        return true;
    case kindWhile:
        text = Word(cwSolange) + " " + ConditionText(node) + Word(cwTue);
        return true;
    case kindIf:
        text = Word(cwWenn) + " " + ConditionText(node) + Word(cwDann);
        return true;
    case kindInstructionDef:
    case kindConditionDef:
        text = Word(node.Kind) + " " + node.Name;  // "Anweisung" is control word 9, "Bedingung" 10
        image = oiDefinition;
        return true;
    case kindTrue:
    case kindFalse:
        text = Word(node.Kind);  // "wahr" is control word 11, "falsch" 12
        return true;
    case kindRepeatWhile:
        text = Word(cwWiederhole) + " " + Word(cwSolange) + " " + ConditionText(node);
        return true;
    case kindRepeatUntil:
    case kindRepeatWhileAfter:
        text = Word(cwWiederhole);
        return true;
    case kindCall:
        text = node.Name;
        image = oiCall;
        return true;
    default:
        if (node.Kind > 100 && node.Kind <= 100 + kInstructionCount) {
            text = Instructions[node.Kind - 100];
            image = oiInstruction;
            return true;
        }
        return false;  // PROGRAMM, end words and anything unknown
    }
}

// Adds the outline of the chain starting at `first` to `parent`. Walks the chain in a loop;
// only nested bodies descend.
void AddOutline(const TTumbo_Program *first, std::vector<TOverviewNode> &parent)
{
    for (const TTumbo_Program *node = first; node != nullptr; node = node->Next) {
        TOverviewNode entry;
        if (!Describe(*node, entry.text, entry.image))
            continue;
        if (node->Body != nullptr) {
            AddOutline(node->Body, entry.children);
            if (node->Kind == kindRepeatUntil)
                entry.children.push_back(Node(Word(cwBis) + " " + ConditionText(*node), oiEndCondition));
            else if (node->Kind == kindRepeatWhileAfter)
                entry.children.push_back(Node(Word(cwSolange) + " " + ConditionText(*node), oiEndCondition));
        }
        parent.push_back(std::move(entry));
        const auto *ifNode = dynamic_cast<const TTumbo_Program_If *>(node);
        if (ifNode != nullptr && ifNode->ElseBody != nullptr) {
            TOverviewNode otherwise = Node(Word(cwSonst), oiPlain);
            AddOutline(ifNode->ElseBody, otherwise.children);
            parent.push_back(std::move(otherwise));
        }
    }
}

void AddDefinitions(const TTumbo_Program_Top &scope, std::vector<TOverviewNode> &parent)
{
    for (const TTumbo_Program_Top *definition : scope.Definitions) {
        if (definition == nullptr)
            continue;
        TOverviewNode entry = Node(definition->Name, oiPlain);
        AddDefinitions(*definition, entry.children);
        parent.push_back(std::move(entry));
    }
}

}  // namespace

std::vector<TOverviewNode> EmptyOverview()
{
    std::vector<TOverviewNode> top = FixedEntries();
    top.push_back(Node(kOwnWords, oiOwnWords));
    top.push_back(Node(kThisProgram, oiPlain));
    return top;
}

std::vector<TOverviewNode> ProgramOverview(const TTumbo_Program_Top &program)
{
    std::vector<TOverviewNode> top = FixedEntries();
    TOverviewNode ownWords = Node(kOwnWords, oiOwnWords);
    AddDefinitions(program, ownWords.children);
    top.push_back(std::move(ownWords));
    AddOutline(&program, top);
    return top;
}

bool UpdateOverview(TTumbo_Parser &parser, bool empty, const std::string &text,
                    const std::string &folder, std::vector<TOverviewNode> &nodes)
{
    if (parser.RunMode != 0)
        return false;
    if (empty) {
        nodes = EmptyOverview();
        return true;
    }
    parser.Compile(text, folder, false);  // the result does not matter: errors show a partial tree
    if (parser.Program)
        nodes = ProgramOverview(*parser.Program);
    else
        nodes = EmptyOverview();
    return true;
}

}  // namespace tumbo::editor
