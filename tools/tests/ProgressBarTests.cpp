#include "ProgressBar.h"

#include <cstdio>
#include <gtest/gtest.h>

TEST(ProgressBar, LineShowsTheFilledShareThePercentageAndTheTimeLeft)
{
    EXPECT_EQ(ProgressBar::line(0, 100, 0.0), "[..............................]   0%");
    EXPECT_EQ(ProgressBar::line(50, 100, 5.0), "[###############...............]  50%  0:05 left");
    EXPECT_EQ(ProgressBar::line(1, 4, 30.0), "[#######.......................]  25%  1:30 left");
    EXPECT_EQ(ProgressBar::line(100, 100, 9.0), "[##############################] 100%");
    EXPECT_EQ(ProgressBar::line(0, 0, 1.0), "[##############################] 100%");
}

TEST(ProgressBar, ADisabledOrShortRenderDrawsNothing)
{
    std::FILE* sink = std::tmpfile();
    {
        ProgressBar disabled(sink, false);
        disabled.update(1, 2);
        ProgressBar fresh(sink, true); // less than a second old
        fresh.update(1, 2);
        fresh.finish();
    }
    EXPECT_EQ(std::ftell(sink), 0L);
    std::fclose(sink);
}
