// The program overview: a reference card of the language's forms and an outline of the
// program, as a plain tree of texts and picture indices that a tree view shows as it is.
#pragma once

#include <string>
#include <vector>

class TTumbo_Parser;
class TTumbo_Program_Top;

namespace tumbo::editor {

// Picture indices into the overview's image list.
enum TOverviewImage : int {
    oiPlain = 0,          // fixed lists, control structures of the program, "sonst"
    oiProgram = 1,        // "Dieses Programm"
    oiTopEntry = 2,       // the three fixed top entries
    oiOwnWords = 3,       // "Eigene Anweisungen/Bedingungen"
    oiInstruction = 5,    // built-in instruction in the program
    oiCall = 6,           // call of an own instruction
    oiDefinition = 7,     // definition of an own instruction or condition
    oiEndCondition = 8,   // end condition of a repetition that tests after each pass
};
constexpr int kOverviewImageCount = 9;  // index 4 is not used

struct TOverviewNode {
    std::string text;  // Windows-1252
    int image = oiPlain;
    std::vector<TOverviewNode> children;
};

// The five top entries with the program parts left empty (at start, after new and open).
std::vector<TOverviewNode> EmptyOverview();

// The five top entries with the definitions and the statement outline of `program`.
std::vector<TOverviewNode> ProgramOverview(const TTumbo_Program_Top &program);

// UpdateOverview(empty): nothing happens while a run is in progress (returns false and
// leaves `nodes` alone). Otherwise `nodes` is rebuilt: the empty form, or, after a silent
// Compile of `text` (Windows-1252, the editor's whole text) with libraries from `folder`
// (the program file's folder as TTumbo_Parser::Compile takes it), the overview of whatever
// tree the engine holds then, errors or not. No message reaches OnError. The structure chart
// draws the new tree from then on.
bool UpdateOverview(TTumbo_Parser &parser, bool empty, const std::string &text,
                    const std::string &folder, std::vector<TOverviewNode> &nodes);

}  // namespace tumbo::editor
