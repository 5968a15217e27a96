#include "AdapterFixture.h"

TEST_F(AdapterTest, HostAnsweringVersionZeroGetsNoPluginAndNothingLeaks)
{
    TheHost().version = 0;
    EXPECT_EQ(Create(), nullptr);
    EXPECT_TRUE(log.destroyed);
    EXPECT_EQ(CreateVstPlugin(RecordingHost, nullptr, {1, 1000}, nullptr, 20.0, nullptr), nullptr);
}

TEST_F(AdapterTest, RecordAfterCreationDescribesTheEffect)
{
    FakeEffect::Config config;
    config.outputParameters = 2;
    config.latency = 77;
    Create(config);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->magic, 0x56737450);
    EXPECT_EQ(record->uniqueID, 0x12345678);
    EXPECT_EQ(record->version, 1203);
    EXPECT_EQ(Dispatch(effGetVendorVersion), 1203);
    EXPECT_EQ(record->flags, 16);
    EXPECT_EQ(record->numParams, 1 + 3 + 2);
    EXPECT_EQ(record->numPrograms, 16);
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 2);
    EXPECT_EQ(record->initialDelay, 77);
    EXPECT_EQ(record->ioRatio, 1.0f);
    EXPECT_EQ(record->resvd1, 0);
    EXPECT_EQ(record->realQualities, 0);
    EXPECT_EQ(record->user, nullptr);
    // The adapter initialises the effect twice at 44100 Hz: once when created, once itself.
    EXPECT_EQ(log.initializeRates, (std::vector<double>{44100.0, 44100.0}));
}

TEST_F(AdapterTest, ProgramCountIsSixteenOrOneMoreThanThePresets)
{
    FakeEffect::Config config;
    config.presets = 20;
    Create(config);
    EXPECT_EQ(record->numPrograms, 21);
}

TEST_F(AdapterTest, EffectWithoutInputsPublishesItsOutputCountForBoth)
{
    FakeEffect::Config config;
    config.inputs = 0;
    Create(config);
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 2);
}

TEST_F(AdapterTest, EffectWithoutOutputsPublishesItsInputCountAndPassesAudioThrough)
{
    FakeEffect::Config config;
    config.outputs = 0;
    Create(config);
    EXPECT_EQ(record->numInputs, 2);
    EXPECT_EQ(record->numOutputs, 2);
    float left[4] = {1, 2, 3, 4}, right[4] = {5, 6, 7, 8}, outL[4] = {}, outR[4] = {};
    float* in[] = {left, right};
    float* out[] = {outL, outR};
    record->processReplacing(record, in, out, 4);
    EXPECT_EQ(outL[3], 4.0f);
    EXPECT_EQ(outR[0], 5.0f);
}

TEST_F(AdapterTest, OutputRefreshIntervalStaysAtCreationRateWhateverTheHostSetsLater)
{
    Create();
    EXPECT_EQ(Plugin().GetOutputRefreshInterval(), 2205);
    Dispatch(effSetSampleRate, 0, 0, nullptr, 96000.0f);
    Dispatch(effMainsChanged, 0, 1);
    EXPECT_EQ(Plugin().GetOutputRefreshInterval(), 2205);
    EXPECT_EQ(log.initializeRates.back(), 96000.0);
}

TEST_F(AdapterTest, CloseDeletesTheAdapterAndTheEffect)
{
    Create();
    EXPECT_EQ(Dispatch(effClose), 1);
    record = nullptr;
    EXPECT_TRUE(log.destroyed);
}
