#pragma once

#include <string>
#include <vector>

// The structure chart as a list of drawing steps, in the order they are drawn.
//
// Every box size follows from the nesting of the statements alone; no text is measured for
// the layout. So the geometry is worked out here, without any canvas, and the painter only
// measures text where a row holds more than one piece (loop rows, the if head).
// All texts are Windows-1252 strings.

struct TChartRect
{
    int Left = 5;
    int Top = 5;
    int Right = 5;
    int Bottom = 5;
    bool operator==(const TChartRect &) const = default;
};

// The three numbers of the layout: height of a row, width of a statement box in the width
// estimate, and the indent of a loop body (also the least width of an else column).
struct TChartMetrics
{
    int RowHeight = 18;
    int BoxWidth = 110;
    int Indent = 40;
};

enum class TChartItemKind {
    Title,        // sub-chart title at (X1, Y1), large font
    HeadBox,      // loop with its text row on top: frame, Texts k1 (bold), v, k2 (bold)
    FootBox,      // loop with its text row at the bottom: frame, Texts k1, v, k2
    IfHead,       // if block: frame, Split, Texts[0] the condition
    StatementBox, // one row: frame (Y2 = Y1 + RowHeight), Texts[0], Bold for "wahr" and "falsch"
};

struct TChartItem
{
    TChartItemKind Kind = TChartItemKind::StatementBox;
    int X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    int Split = 0;
    std::string Texts[3];
    bool Bold = false;
};

struct TChartLayout
{
    std::vector<TChartItem> Items;
    // Left: left edge of every sub-chart; Bottom: lowest y used plus 20; Right: largest right
    // edge drawn plus 10. Top is not used.
    TChartRect Extent;
};

// The estimated size that sizes the paint box and chooses the print factor.
struct TChartSize
{
    int Width = 0;
    int Height = 0;
};
