#pragma once

// How large a structure chart is printed on one page.
//
// The chart is enlarged by a whole factor, at most 10, chosen from the estimated chart size.
// A chart that is larger than the page would get the factor 0; it is then printed at factor 1
// and scaled down to fit the page instead of being cut off.
struct TPrintScale
{
    int Factor = 1;     // whole enlargement, 1 to 10
    double Scale = 1.0; // chart unit -> device pixel; equals Factor unless the chart had to shrink
};

TPrintScale ComputePrintScale(int pageWidth, int pageHeight, int chartWidth, int chartHeight);
