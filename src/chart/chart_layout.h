#pragma once

#include "chart/chart_items.h"

class TTumbo_Program;

// The layout arithmetic of the structure chart. Chains are walked along Next in loops and
// nested bodies through an explicit stack, so neither long programs nor deep nesting
// touch the call stack.

// Running maximum of the right edges of the chain starting at first, laid out from x.
// descend: also walk the bodies of definitions (kinds 1, 9, 10) that stand in the chain.
void EstimateWidth(const TTumbo_Program *first, int x, int &acc, bool descend,
                   const TChartMetrics &metrics = {});

// Running maximum of the bottoms of the chain starting at first, laid out from y.
void EstimateHeight(const TTumbo_Program *first, int y, int &acc, const TChartMetrics &metrics = {});

// The estimated size of the whole chart of a tree (its root, kind 1): at least 200 x 60.
// It sizes the paint box and chooses the print factor; the drawing does not use it.
TChartSize EstimateChartSize(const TTumbo_Program *tree, const TChartMetrics &metrics = {});

// Every drawing step of the chart of a tree, in drawing order: the main program, then each
// definition depth first in the order of the Definitions lists. Bodies and branches come
// before the frame of their block. Extent is left as a finished paint leaves it.
TChartLayout LayoutChart(const TTumbo_Program *tree, const TChartMetrics &metrics = {});
