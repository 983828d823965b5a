#include "chart/print_scale.h"

#include <algorithm>

TPrintScale ComputePrintScale(int pageWidth, int pageHeight, int chartWidth, int chartHeight)
{
    TPrintScale result;
    // Prepare never leaves the estimate below 200 x 60; guard anyway against a chart never prepared.
    chartWidth = std::max(chartWidth, 1);
    chartHeight = std::max(chartHeight, 1);
    pageWidth = std::max(pageWidth, 0);
    pageHeight = std::max(pageHeight, 0);

    const int fy = pageHeight / chartHeight;
    const int fx = pageWidth / chartWidth;
    const int f = std::min({fy, fx, 10});
    if (f >= 1) {
        result.Factor = f;
        result.Scale = f;
        return result;
    }
    result.Factor = 1;
    result.Scale = std::min(static_cast<double>(pageWidth) / chartWidth,
                            static_cast<double>(pageHeight) / chartHeight);
    return result;
}
