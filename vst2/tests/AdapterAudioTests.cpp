#include "AdapterFixture.h"
#include <atomic>
#include <cfloat>
#include <cmath>
#include <thread>

namespace {
struct Block
{
    explicit Block(int frames) : l(frames, 0.25f), r(frames, 0.5f), ol(frames, 9.0f), orr(frames, 9.0f) {}
    std::vector<float> l, r, ol, orr;
    float* in[2] = {l.data(), r.data()};
    float* out[2] = {ol.data(), orr.data()};
};
} // namespace

TEST_F(AdapterTest, ParameterChangeReachesTheEffectAsARampThenAsExactValues)
{
    Create();
    Dispatch(effMainsChanged, 0, 1);
    Block block(512);
    record->processReplacing(record, block.in, block.out, 512);
    EXPECT_EQ(log.rampUsed, 0);
    const size_t calls = log.setParameters.size();

    record->setParameter(record, 1, 1.0f); // Level 0 dB -> 20 dB
    record->processReplacing(record, block.in, block.out, 512);
    EXPECT_EQ(log.rampUsed, 2);
    EXPECT_EQ(log.rampValues, (std::vector<float>{0.0f, 50.0f, 5.0f}));
    EXPECT_EQ(log.rampSteps, (std::vector<float>{20.0f / 512, 0.0f, 0.0f}));
    EXPECT_EQ(log.setParameters.size(), calls);

    record->processReplacing(record, block.in, block.out, 512);
    EXPECT_EQ(log.rampUsed, 0);
    ASSERT_EQ(log.setParameters.size(), calls + 1);
    EXPECT_EQ(log.setParameters.back(), (std::vector<float>{20.0f, 50.0f, 5.0f}));

    record->processReplacing(record, block.in, block.out, 512);
    EXPECT_EQ(log.rampUsed, 0);
    EXPECT_EQ(log.setParameters.size(), calls + 1);
}

TEST_F(AdapterTest, ValuesWrittenFromAnotherThreadWhileBlocksRunAllReachTheEffectOnceTheWritesStop)
{
    // Blocks skip the comparison while no write has come since they last took the values, so a
    // write the audio thread misses would never arrive. Two blocks after the last write, the
    // effect must stand exactly on the last values.
    Create();
    Dispatch(effMainsChanged, 0, 1);
    Block block(64);
    std::atomic<bool> done{false};
    std::thread writer([&] {
        for (int i = 1; i <= 3000; ++i) {
            record->setParameter(record, 1, static_cast<float>(i % 101) / 100.0f);
            record->setParameter(record, 2, static_cast<float>(i % 77) / 76.0f);
        }
        record->setParameter(record, 1, 0.75f); // Level 10 dB
        record->setParameter(record, 2, 0.25f); // Mix 25 %
        done.store(true);
    });
    while (!done.load())
        record->processReplacing(record, block.in, block.out, 64);
    writer.join();
    record->processReplacing(record, block.in, block.out, 64);
    record->processReplacing(record, block.in, block.out, 64);
    ASSERT_FALSE(log.setParameters.empty());
    EXPECT_EQ(log.setParameters.back(), (std::vector<float>{10.0f, 25.0f, 5.0f}));
    EXPECT_EQ(log.rampUsed, 0);
}

TEST_F(AdapterTest, ZeroFrameBlockRunsTheEffectWithZeroStepsAndTheChangeRampsAcrossTheNextBlock)
{
    Create();
    Dispatch(effMainsChanged, 0, 1);
    record->setParameter(record, 2, 1.0f);
    Block block(512);
    record->processReplacing(record, block.in, block.out, 0);
    EXPECT_EQ(log.lastFrames, 0);
    EXPECT_EQ(log.rampUsed, 2);
    EXPECT_EQ(log.rampSteps, (std::vector<float>{0.0f, 0.0f, 0.0f}));
    // Consumed by the empty block, the change would jump at the next one's start: a click.
    const size_t calls = log.setParameters.size();
    record->processReplacing(record, block.in, block.out, 512);
    EXPECT_EQ(log.rampUsed, 2);
    EXPECT_EQ(log.rampValues, (std::vector<float>{0.0f, 50.0f, 5.0f}));
    EXPECT_EQ(log.rampSteps, (std::vector<float>{0.0f, 50.0f / 512, 0.0f}));
    EXPECT_EQ(log.setParameters.size(), calls);
}

TEST_F(AdapterTest, BypassCopiesOrAddsTheInputAndLetsTheEffectSkip)
{
    Create();
    Dispatch(effMainsChanged, 0, 1);
    record->setParameter(record, 0, 1.0f);
    Block block(64);
    record->processReplacing(record, block.in, block.out, 64);
    EXPECT_EQ(block.ol[63], 0.25f);
    EXPECT_EQ(block.orr[0], 0.5f);
    EXPECT_EQ(log.processCalls, 0);
    EXPECT_EQ(log.skips, (std::vector<int>{64}));

    record->process(record, block.in, block.out, 64);
    EXPECT_EQ(block.ol[10], 0.5f);
    EXPECT_EQ(block.orr[10], 1.0f);
    EXPECT_EQ(log.skips, (std::vector<int>{64, 64}));
}

TEST_F(AdapterTest, BypassWithOneInputDuplicatesItIntoBothOutputs)
{
    FakeEffect::Config config;
    config.inputs = 1;
    Create(config);
    EXPECT_EQ(record->numInputs, 1);
    record->setParameter(record, 0, 1.0f);
    Block block(8);
    float* in[] = {block.l.data()};
    record->processReplacing(record, in, block.out, 8);
    EXPECT_EQ(block.ol[7], 0.25f);
    EXPECT_EQ(block.orr[7], 0.25f);
}

TEST_F(AdapterTest, BypassInPlaceLeavesTheAudioUntouched)
{
    Create();
    record->setParameter(record, 0, 1.0f);
    Block block(16);
    record->processReplacing(record, block.in, block.in, 16);
    EXPECT_EQ(block.l[15], 0.25f);
    EXPECT_EQ(block.r[15], 0.5f);
}

TEST_F(AdapterTest, MissingChannelArraysProcessNothing)
{
    Create();
    Block block(16);
    record->processReplacing(record, nullptr, block.out, 16);
    record->processReplacing(record, block.in, nullptr, 16);
    record->process(record, nullptr, nullptr, 16);
    float* holes[2] = {nullptr, nullptr};
    record->processReplacing(record, holes, block.out, 16);
    record->setParameter(record, 0, 1.0f);
    record->processReplacing(record, nullptr, nullptr, 16);
    record->process(record, holes, holes, 16);
    EXPECT_EQ(log.processCalls, 0);
    EXPECT_EQ(block.ol[0], 9.0f);
}

TEST_F(AdapterTest, OutputParametersReachTheHostEveryRefreshInterval)
{
    FakeEffect::Config config;
    config.outputParameters = 2;
    Create(config);
    Dispatch(effMainsChanged, 0, 1);
    const int updatesBefore = log.outputUpdates;
    Block block(512);
    for (int b = 0; b < 10; ++b)
        record->processReplacing(record, block.in, block.out, 512);
    // The first block after resume refreshes; then every fifth block (5 x 512 >= 2205).
    EXPECT_EQ(log.outputUpdates - updatesBefore, 2);
    ASSERT_EQ(TheHost().automations.size(), 4u);
    EXPECT_EQ(TheHost().automations[0].index, 4);
    EXPECT_EQ(TheHost().automations[1].index, 5);
    EXPECT_FLOAT_EQ(TheHost().automations[0].value, 0.5f); // -30 dB on -60..0
    EXPECT_FLOAT_EQ(record->getParameter(record, 5), 0.5f);
}

TEST_F(AdapterTest, WithoutOutputParametersTheRefreshOnlyAsksTheEffect)
{
    Create();
    Dispatch(effMainsChanged, 0, 1);
    Block block(2205);
    record->processReplacing(record, block.in, block.out, 2205);
    EXPECT_GE(log.outputUpdates, 1);
    EXPECT_TRUE(TheHost().automations.empty());
}

TEST_F(AdapterTest, SampleRateReachesTheEffectOnResume)
{
    Create();
    Dispatch(effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(log.initializeRates.back(), 44100.0);
    Dispatch(effMainsChanged, 0, 0);
    Dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(log.initializeRates.back(), 48000.0);
    Dispatch(effSetSampleRate, 0, 0, nullptr, 0.0f); // nonsense rates are not taken
    EXPECT_EQ(Plugin().getSampleRate(), 48000.0f);
    EXPECT_EQ(Dispatch(effSetBlockSizeAndSampleRate, 0, 256, nullptr, 96000.0f), 1);
    EXPECT_EQ(Plugin().GetBlockSize(), 256);
    EXPECT_EQ(Plugin().getSampleRate(), 96000.0f);
}

TEST_F(AdapterTest, SampleRatesNoAudioInterfaceRunsAtAreNotTaken)
{
    // The effect sizes its delay lines by the rate: FLT_MAX Hz once asked for gigabytes.
    Create();
    for (float nonsense : {3072001.0f, 1e9f, FLT_MAX, INFINITY, -INFINITY, NAN, FLT_TRUE_MIN, 0.5f, -48000.0f}) {
        Dispatch(effSetSampleRate, 0, 0, nullptr, nonsense);
        Dispatch(effSetBlockSizeAndSampleRate, 0, 512, nullptr, nonsense);
        EXPECT_EQ(Plugin().getSampleRate(), 44100.0f) << nonsense;
    }
    Dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(log.initializeRates.back(), 44100.0);
    for (float rate : {768000.0f, 3072000.0f, 8000.0f}) {
        Dispatch(effSetSampleRate, 0, 0, nullptr, rate);
        EXPECT_EQ(Plugin().getSampleRate(), rate);
    }
}
