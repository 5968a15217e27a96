#include "Effect.h"
#include "VectorBuffer.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Records what the base class asks of it, in order.
class CRecordingEffect : public CEffectBase
{
public:
    explicit CRecordingEffect(int inputs = 1, bool withSettings = true)
        : m_pins(1, inputs), m_withSettings(withSettings) {}

    CEffect* Clone() const override { return nullptr; }
    const CEffectInfo* GetInfo() const override { return nullptr; }
    const CIOInfo* GetIOInfo() const override { return &m_pins; }
    const CParameterInfoList* GetSettingsInfo() const override
    {
        static const CParameterInfo settings[] = {
            {"size", CParameterInfo::kContinuous, 0.0f, 10.0f, 4.0f, "", ""},
            {"mode", CParameterInfo::kInteger, 0.0f, 3.0f, 2.0f, "", ""},
        };
        static const CParameterInfoList list(2, settings);
        return m_withSettings ? &list : CEffectBase::GetSettingsInfo();
    }
    const CParameterInfoList* GetParameterInfo() const override
    {
        static const CParameterInfo parameters[] = {
            {"a", CParameterInfo::kContinuous, 0.0f, 1.0f, 0.25f, "", ""},
            {"b", CParameterInfo::kContinuous, -5.0f, 5.0f, -3.0f, "", ""},
            {"c", CParameterInfo::kChoice, 0.0f, 2.0f, 1.0f, "", ""},
        };
        static const CParameterInfoList list(3, parameters);
        return &list;
    }
    void ApplySettings(const CValueArray* settings) override
    {
        log.push_back("ApplySettings");
        appliedSettings.clear();
        for (int i = 0; settings && i < settings->GetCount(); ++i)
            appliedSettings.push_back(settings->GetValue(i));
        settingsSeenRate = m_sampleRate;
        m_tailLength = tailLength;
    }
    void SetParameters(const CValueArray* values) override
    {
        log.push_back("SetParameters");
        appliedParameters.clear();
        for (int i = 0; values && i < values->GetCount(); ++i)
            appliedParameters.push_back(values->GetValue(i));
    }
    void ResetTail() override
    {
        log.push_back("ResetTail");
        CEffectBase::ResetTail();
    }
    void Reset() override { log.push_back("Reset"); }

    void ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                          const CValueArrayList* changes) override
    {
        Process(inputs, outputs, frames, changes, false);
    }
    void ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                             const CValueArrayList* changes) override
    {
        Process(inputs, outputs, frames, changes, true);
    }

    // Writes 1 + the input sample (so silence shows as 1.0) into output channel 0.
    void Process(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                 const CValueArrayList* changes, bool accumulate)
    {
        log.push_back(accumulate ? "ProcessAccumulating" : "ProcessReplacing");
        lastChanges = changes;
        lastInputCount = inputs ? inputs->GetCount() : -1;
        inputsWereSilent = true;
        for (int c = 0; inputs && c < inputs->GetCount(); ++c) {
            const CAudioBuffer* buffer = inputs->GetConstBuffer(c);
            if (!buffer || buffer->GetLength() != frames) {
                inputsWereSilent = false;
                continue;
            }
            for (int f = 0; f < frames; ++f)
                if (buffer->GetReadPointer()[f * buffer->GetStride()] != 0.0f)
                    inputsWereSilent = false;
        }
        if (!outputs || outputs->GetCount() == 0)
            return;
        CAudioBuffer* out = outputs->GetBuffer(0);
        for (int f = 0; f < frames; ++f) {
            float& y = out->GetWritePointer()[f * out->GetStride()];
            y = accumulate ? y + 1.0f : 1.0f;
        }
    }

    int tailLength = 0;
    std::vector<std::string> log;
    std::vector<float> appliedSettings;
    std::vector<float> appliedParameters;
    double settingsSeenRate = 0.0;
    const CValueArrayList* lastChanges = nullptr;
    int lastInputCount = 0;
    bool inputsWereSilent = false;

private:
    CIOInfo m_pins;
    bool m_withSettings;
};

// Counts how many tail blocks come out before the tail reports its end.
int CountTailBlocks(CEffect& effect, int frames)
{
    std::vector<float> samples(static_cast<size_t>(frames));
    CVectorBuffer buffer(samples.data(), frames);
    CSingleBufferList outputs(&buffer);
    int blocks = 0;
    while (effect.ProcessTailReplacing(&outputs, frames, nullptr) && blocks < 1000)
        ++blocks;
    return blocks;
}

} // namespace

TEST(EffectBase, StartsWithZeroSampleRateTailAndLatency)
{
    CRecordingEffect effect;
    EXPECT_EQ(effect.GetTailLength(), 0);
    EXPECT_EQ(effect.GetLatency(), 0);
    EXPECT_TRUE(effect.log.empty());
}

TEST(EffectBase, InitializeAppliesSettingsThenParameterDefaultsThenResetsTailThenState)
{
    CRecordingEffect effect;
    effect.Initialize(48000.0, nullptr);
    const std::vector<std::string> expected = {"ApplySettings", "SetParameters", "ResetTail", "Reset"};
    EXPECT_EQ(effect.log, expected);
    EXPECT_EQ(effect.settingsSeenRate, 48000.0); // the rate is stored before the settings see it
    EXPECT_EQ(effect.appliedSettings, (std::vector<float>{4.0f, 2.0f}));
    EXPECT_EQ(effect.appliedParameters, (std::vector<float>{0.25f, -3.0f, 1.0f}));

    effect.log.clear();
    effect.Initialize(96000.0, nullptr); // every initialisation repeats all steps
    EXPECT_EQ(effect.log, expected);
    EXPECT_EQ(effect.settingsSeenRate, 96000.0);
}

TEST(EffectBase, InitializeUsesGivenSettingsUnchangedWhateverTheirCount)
{
    CRecordingEffect effect;
    const float given[] = {7.0f, 8.0f, 9.0f};
    const CValueArray settings(given, 3);
    effect.Initialize(44100.0, &settings);
    EXPECT_EQ(effect.appliedSettings, (std::vector<float>{7.0f, 8.0f, 9.0f}));
}

TEST(EffectBase, InitializeWithoutSettingsOnAnEffectWithNoneAppliesAnEmptyArray)
{
    CRecordingEffect effect(1, false);
    effect.appliedSettings = {1.0f};
    effect.Initialize(44100.0, nullptr);
    ASSERT_FALSE(effect.log.empty());
    EXPECT_EQ(effect.log.front(), "ApplySettings");
    EXPECT_TRUE(effect.appliedSettings.empty());
}

TEST(EffectBase, TailOfLengthZeroReturnsFalseAtOnceWithoutProcessing)
{
    CRecordingEffect effect;
    effect.Initialize(44100.0, nullptr);
    effect.log.clear();
    EXPECT_EQ(CountTailBlocks(effect, 64), 0);
    EXPECT_TRUE(effect.log.empty());
}

TEST(EffectBase, TailOf100InBlocksOf64GivesTwoBlocksAndStartsAgainAfterResetTail)
{
    CRecordingEffect effect;
    effect.tailLength = 100;
    effect.Initialize(44100.0, nullptr);

    std::vector<float> samples(64, 5.0f);
    CVectorBuffer buffer(samples.data(), 64);
    CSingleBufferList outputs(&buffer);
    EXPECT_TRUE(effect.ProcessTailReplacing(&outputs, 64, nullptr));
    EXPECT_EQ(samples[0], 1.0f); // processed on silence, replacing
    EXPECT_TRUE(effect.ProcessTailAccumulating(&outputs, 64, nullptr));
    EXPECT_EQ(samples[63], 2.0f); // accumulated
    effect.log.clear();
    EXPECT_FALSE(effect.ProcessTailReplacing(&outputs, 64, nullptr));
    EXPECT_FALSE(effect.ProcessTailAccumulating(&outputs, 64, nullptr));
    EXPECT_TRUE(effect.log.empty());
    EXPECT_EQ(samples[0], 2.0f); // a finished tail touches nothing

    effect.ResetTail();
    EXPECT_EQ(CountTailBlocks(effect, 64), 2);
    effect.ResetTail();
    EXPECT_EQ(CountTailBlocks(effect, 100), 1);
    effect.ResetTail();
    EXPECT_EQ(CountTailBlocks(effect, 33), 4); // ceil(100 / 33)
}

TEST(EffectBase, TailRunsProcessingOnSilentInputsOfTheEffectsInputCountAndPassesTheRamp)
{
    CRecordingEffect effect(2);
    effect.tailLength = 10;
    effect.Initialize(44100.0, nullptr);
    std::vector<float> samples(16, 3.0f);
    CVectorBuffer buffer(samples.data(), 16);
    CSingleBufferList outputs(&buffer);
    const CValueArrayList ramp(2, 3);
    ASSERT_TRUE(effect.ProcessTailReplacing(&outputs, 16, &ramp));
    EXPECT_EQ(effect.lastInputCount, 2);
    EXPECT_TRUE(effect.inputsWereSilent);
    EXPECT_EQ(effect.lastChanges, &ramp);
}

TEST(EffectBase, DefaultsAnswerWithSharedEmptyInstances)
{
    CRecordingEffect effect(1, false);
    EXPECT_EQ(effect.GetSettingsInfo(), EmptySettingsInfo());
    EXPECT_EQ(effect.GetSettingsInfo()->GetCount(), 0);
    EXPECT_EQ(effect.GetPresets(), EmptyPresetList());
    EXPECT_EQ(effect.GetPresets()->GetCount(), 0);
    EXPECT_EQ(effect.GetPresets()->GetPresetCount(), 0);
    EXPECT_EQ(effect.GetOutputParameterInfo(), EmptyOutputParameterInfo());
    EXPECT_EQ(effect.GetOutputParameterInfo()->GetCount(), 0);
    EXPECT_EQ(effect.GetOutputValues(), EmptyOutputValues());
    EXPECT_EQ(effect.GetOutputValues()->GetCount(), 0);
    effect.UpdateOutputParameters();
    effect.Skip(100);
    EXPECT_TRUE(effect.log.empty());
}

TEST(SilentBufferList, AnswersEveryIndexWithOneZeroSampleReadWithStrideZero)
{
    const CSilentBufferList silence(2, 512);
    EXPECT_EQ(silence.GetCount(), 2);
    const CAudioBuffer* buffer = silence.GetConstBuffer(0);
    ASSERT_NE(buffer, nullptr);
    EXPECT_EQ(buffer->GetStride(), 0);
    EXPECT_EQ(buffer->GetLength(), 512);
    EXPECT_EQ(silence.GetConstBuffer(1), buffer);
    EXPECT_EQ(silence.GetConstBuffer(7), buffer);
    EXPECT_EQ(silence.GetBuffer(3), buffer);
    for (int f = 0; f < buffer->GetLength(); ++f)
        EXPECT_EQ(buffer->GetReadPointer()[f * buffer->GetStride()], 0.0f);
}

TEST(SingleBufferList, HoldsOneBufferOrNone)
{
    float sample = 0.0f;
    CVectorBuffer buffer(&sample, 1);
    const CSingleBufferList one(&buffer);
    EXPECT_EQ(one.GetCount(), 1);
    EXPECT_EQ(one.GetBuffer(0), &buffer);
    EXPECT_EQ(one.GetConstBuffer(0), &buffer);
    EXPECT_EQ(one.GetBuffer(1), nullptr);
    EXPECT_EQ(one.GetConstBuffer(1), nullptr);

    const CSingleBufferList none(nullptr);
    EXPECT_EQ(none.GetCount(), 0);
    EXPECT_EQ(none.GetBuffer(0), nullptr);
}

TEST(SingleBufferList, DestroysItsBufferOnlyWhenItOwnsIt)
{
    static int destroyed = 0;
    struct CCountedBuffer : CVectorBuffer
    {
        CCountedBuffer() : CVectorBuffer(nullptr, 0) {}
        ~CCountedBuffer() override { ++destroyed; }
    };
    CCountedBuffer kept;
    { CSingleBufferList borrowing(&kept); }
    EXPECT_EQ(destroyed, 0);
    { CSingleBufferList owning(new CCountedBuffer, true); }
    EXPECT_EQ(destroyed, 1);
}

TEST(IOInfo, BuildsDefaultPinsOrCopiesOfTemplates)
{
    const CIOInfo defaults(2, 3);
    EXPECT_EQ(defaults.GetInputCount(), 3);
    EXPECT_EQ(defaults.GetOutputCount(), 2);
    EXPECT_STREQ(defaults.GetInput(2)->GetName(), "In");
    EXPECT_EQ(defaults.GetInput(2)->GetAttribute(), 0);
    EXPECT_STREQ(defaults.GetOutput(1)->GetName(), "Out");
    EXPECT_EQ(defaults.GetInput(3), nullptr);
    EXPECT_EQ(defaults.GetOutput(2), nullptr);

    const CInputInfo input("Side", 1);
    const COutputInfo output("Main");
    const CIOInfo pins(1, 1, &input, &output);
    const CIOInfo copy(pins);
    EXPECT_STREQ(copy.GetInput(0)->GetName(), "Side");
    EXPECT_EQ(copy.GetInput(0)->GetAttribute(), 1);
    EXPECT_STREQ(copy.GetOutput(0)->GetName(), "Main");
    EXPECT_NE(copy.GetInput(0), pins.GetInput(0));
}

TEST(EffectInfo, KeepsItsOwnCopiesOfTheStrings)
{
    std::string name = "Echo";
    const CEffectInfo info(name.c_str(), "1", nullptr, "An echo");
    name = "Gone";
    EXPECT_STREQ(info.GetName(), "Echo");
    EXPECT_STREQ(info.GetVersion(), "1");
    EXPECT_EQ(info.GetCopyright(), nullptr);
    EXPECT_STREQ(info.GetDescription(), "An echo");
}
