#include "FakeEffect.h"
#include "PluginCore.h"
#include <gtest/gtest.h>
#include <vector>

// Adapters that answer a host with an error for a missing channel learn of it from the block.
TEST(PluginCoreProcess, ABlockReportsAMissingChannelAndProcessesNothingBypassedOrNot)
{
    std::vector<float> left(16, 0.5f), right(16, 0.5f);
    float* both[] = {left.data(), right.data()};
    float* leftOnly[] = {left.data(), nullptr};
    float* rightOnly[] = {nullptr, right.data()};
    const struct
    {
        const char* name;
        float** inputs;
        float** outputs;
        int frames;
        bool processed;
    } cases[] = {{"every channel", both, both, 16, true},       {"no frames", both, both, 0, true},
                 {"an input missing", rightOnly, both, 16, false}, {"an output missing", both, leftOnly, 16, false},
                 {"no input array", nullptr, both, 16, false},    {"no output array", both, nullptr, 16, false},
                 {"negative frames", both, both, -1, false}};
    for (const bool bypassed : {false, true}) {
        for (const auto& c : cases) {
            EffectLog log;
            CPluginCore core(std::make_unique<FakeEffect>(log, FakeEffect::Config{}), nullptr, 20.0);
            core.Resume();
            core.SetParameter(0, bypassed ? 1.0f : 0.0f);
            ASSERT_EQ(core.IsBypassed(), bypassed);
            EXPECT_EQ(core.Process(c.inputs, c.outputs, c.frames, false), c.processed) << c.name << bypassed;
            if (!bypassed) {
                EXPECT_EQ(log.processCalls, c.processed ? 1 : 0) << c.name;
            }
        }
    }
}
