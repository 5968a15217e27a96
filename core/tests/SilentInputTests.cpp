#include "SilentInput.h"
#include <gtest/gtest.h>
#include <cmath>

TEST(SilentChannelMask, MarksTheChannelsTheFullScanMarks)
{
    // The in-line answer covers only outputs whose first samples are all not zero; every other
    // case, and the answer itself, must be the full scan's.
    float loud[4] = {0.5f, 0.0f, 0.0f, 0.0f};
    float silent[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float minusZero[4] = {-0.0f, 0.0f, -0.0f, 0.0f};
    float late[4] = {0.0f, 0.0f, 0.0f, 1e-30f};
    float nan[4] = {std::nanf(""), 0.0f, 0.0f, 0.0f};
    const struct
    {
        const char* name;
        float* channels[2];
        int count, frames;
    } cases[] = {
        {"both loud", {loud, nan}, 2, 4},     {"one silent", {loud, silent}, 2, 4},
        {"minus zeros", {minusZero, loud}, 2, 4}, {"sound after the first", {late, loud}, 2, 4},
        {"a missing channel", {loud, nullptr}, 2, 4}, {"no frames", {loud, loud}, 2, 0},
        {"no channels", {loud, loud}, 0, 4},  {"sound past the block", {late, silent}, 2, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SilentChannelMask(c.channels, c.count, c.frames), SilentChannels(c.channels, c.count, c.frames)) << c.name;
    EXPECT_EQ(SilentChannelMask(nullptr, 2, 4), 0u);
}
