#pragma once

#include <string>

#include "chart/chart_items.h"

class TTumbo_Program;

// The texts a structure chart writes into its boxes, all Windows-1252, keywords in the
// language's lower-case spelling.

// The three pieces of a loop's text row: k1 (bold), v (normal), k2 (bold).
struct TLoopTexts
{
    std::string K1, V, K2;
    bool operator==(const TLoopTexts &) const = default;
};

// Loop row of kinds 2, 4, 17, 18 and 19; empty pieces for any other kind.
// A counted loop whose count is the formal parameter reads "wiederhole X mal".
TLoopTexts LoopTexts(const TTumbo_Program &loop);

// "nicht " when negated, then the condition's name; a count in parentheses follows for
// "IstZiegel" and "NichtIstZiegel" when it is above 0, and for "HatZiegel" only in a loop that
// tests at its foot (footRow).
std::string ConditionText(const TTumbo_Program &node, bool footRow);

// Text of a statement box and whether it is drawn in bold ("wahr", "falsch").
struct TStatementText
{
    std::string Text;
    bool Bold = false;
};
TStatementText StatementText(const TTumbo_Program &statement);

// "Hauptprogramm", "Anw.: NAME" or "Bed.: NAME"; empty for any other kind.
std::string SubChartTitle(const TTumbo_Program &top);
