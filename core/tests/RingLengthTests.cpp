#include "FakeEffect.h"
#include "PluginCore.h"
#include <gtest/gtest.h>
#include <vector>

TEST(PluginCoreRing, TheRingLengthIsAskedOnlyWhereTheValuesMayHaveMovedAndFollowsThem)
{
    EffectLog log;
    FakeEffect::Config config;
    config.tail = 100;
    CPluginCore core(std::make_unique<FakeEffect>(log, config), nullptr, 20.0);
    core.Resume();
    std::vector<float> left(16, 0.5f), right(16, 0.5f);
    float* channels[] = {left.data(), right.data()};
    auto block = [&] {
        core.Process(channels, channels, 16, false);
        return core.UpdateRingLength();
    };
    block(); // the values the resume set land
    const int asks = log.ringAsks;
    for (int k = 0; k < 3; ++k)
        EXPECT_FALSE(block()) << "steady block " << k;
    EXPECT_EQ(log.ringAsks, asks);

    core.SetParameter(1, 1.0f); // Level to +20 dB: this effect rings 20 frames longer once it lands
    EXPECT_FALSE(block());      // the ramp's block asks
    EXPECT_TRUE(block());       // and so does the block that lands on the target
    EXPECT_EQ(core.GetRingLength(), 120);
    EXPECT_EQ(log.ringAsks, asks + 2);
    EXPECT_FALSE(block());
    EXPECT_EQ(log.ringAsks, asks + 2);

    core.SetParameter(1, 0.5f);
    core.Reset(); // settles the values at once
    EXPECT_EQ(core.GetRingLength(), 100);
}
