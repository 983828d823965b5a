#include <gtest/gtest.h>

#include "chart/print_scale.h"

TEST(PrintScale, WholeFactorFromTheEstimateAtMostTen)
{
    struct Case
    {
        int PageW, PageH, ChartW, ChartH, Factor;
    };
    const Case cases[] = {
        {4800, 6600, 200, 110, 10}, // min(60, 24, 10)
        {4800, 6600, 1000, 800, 4}, // min(8, 4, 10)
        {4800, 6600, 4800, 6600, 1},
        {4800, 6600, 2401, 200, 1}, // 1.99 is truncated
        {4800, 6600, 600, 1000, 6},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.ChartW << " x " << c.ChartH);
        const TPrintScale s = ComputePrintScale(c.PageW, c.PageH, c.ChartW, c.ChartH);
        EXPECT_EQ(s.Factor, c.Factor);
        EXPECT_DOUBLE_EQ(s.Scale, c.Factor);
    }
}

TEST(PrintScale, ChartLargerThanThePageIsShrunkToFit)
{
    // The factor would be 0: the chart is printed at factor 1, scaled down to the page.
    const TPrintScale tall = ComputePrintScale(4800, 6600, 1000, 13200);
    EXPECT_EQ(tall.Factor, 1);
    EXPECT_DOUBLE_EQ(tall.Scale, 0.5);
    const TPrintScale wide = ComputePrintScale(4800, 6600, 9600, 100);
    EXPECT_EQ(wide.Factor, 1);
    EXPECT_DOUBLE_EQ(wide.Scale, 0.5);
}

TEST(PrintScale, ChartNeverPreparedDoesNotDivideByZero)
{
    EXPECT_EQ(ComputePrintScale(4800, 6600, 0, 0).Factor, 10);
}
