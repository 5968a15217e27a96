#include "StereoEffect.h"
#include "VectorBuffer.h"
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace {

// A single-channel effect that multiplies by its one parameter and reports what it has seen.
template <int OutputCount>
class CScaler : public CEffectBase
{
public:
    CScaler() : m_values{CValueArray(nullptr, OutputCount), CValueArray(nullptr, OutputCount)} {}
    CScaler(const CScaler& source)
        : CEffectBase(source), scale(source.scale), tail(source.tail), latency(source.latency),
          frames(source.frames), skipped(source.skipped), lastChanges(nullptr),
          m_values{CValueArray(source.m_values[0]), CValueArray(source.m_values[1])}, m_current(source.m_current) {}

    CEffect* Clone() const override { return new CScaler(*this); }
    const CEffectInfo* GetInfo() const override
    {
        static const CEffectInfo info("Scaler", "2", "nobody", "multiplies");
        return &info;
    }
    const CIOInfo* GetIOInfo() const override
    {
        static const CInputInfo input("Signal", 1);
        static const COutputInfo output("Result");
        static const CIOInfo pins(1, 1, &input, &output);
        return &pins;
    }
    const CParameterInfoList* GetParameterInfo() const override
    {
        static const CParameterInfo scaleInfo("Scale", CParameterInfo::kContinuous, 0.0f, 4.0f, 2.0f, "x", nullptr);
        static const CParameterInfoList list(1, &scaleInfo);
        return &list;
    }
    const CParameterInfoList* GetOutputParameterInfo() const override
    {
        static const CParameterInfo outputs[] = {
            {"Peak", CParameterInfo::kContinuous, -60.0f, 6.0f, -60.0f, "dB", "loudest sample"},
            {"Frames", CParameterInfo::kInteger, 0.0f, 1e6f, 0.0f, nullptr, nullptr},
        };
        static const CParameterInfoList list(OutputCount, OutputCount ? outputs : nullptr);
        return &list;
    }
    void ApplySettings(const CValueArray*) override
    {
        m_tailLength = tail;
        m_latency = latency;
    }
    void SetParameters(const CValueArray* values) override
    {
        if (values && values->GetCount() == 1)
            scale = values->GetValue(0);
    }
    void ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int n,
                          const CValueArrayList* changes) override
    {
        Process(inputs, outputs, n, changes, false);
    }
    void ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int n,
                             const CValueArrayList* changes) override
    {
        Process(inputs, outputs, n, changes, true);
    }
    void Skip(int n) override { skipped += n; }
    void UpdateOutputParameters() override
    {
        m_current ^= 1; // answer with a different array from now on, as an effect may
        m_values[m_current].SetValue(1, static_cast<float>(frames));
        m_values[m_current].SetValue(0, scale);
    }
    const CValueArray* GetOutputValues() const override { return &m_values[m_current]; }

    float scale = 0.0f;
    int tail = 0;
    int latency = 0;
    int frames = 0;
    int skipped = 0;
    const CValueArrayList* lastChanges = nullptr;

private:
    void Process(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int n,
                 const CValueArrayList* changes, bool accumulate)
    {
        if (!inputs || !outputs || inputs->GetCount() == 0 || outputs->GetCount() == 0)
            return;
        lastChanges = changes;
        const CAudioBuffer* in = inputs->GetConstBuffer(0);
        CAudioBuffer* out = outputs->GetBuffer(0);
        for (int f = 0; f < n; ++f) {
            const float y = in->GetReadPointer()[f * in->GetStride()] * scale;
            float& target = out->GetWritePointer()[f * out->GetStride()];
            target = accumulate ? target + y : y;
        }
        frames += n;
    }

    CValueArray m_values[2];
    int m_current = 0;
};

using CStereoScaler = CStereoEffect<CScaler<2>>;

struct StereoBlock
{
    explicit StereoBlock(int frames)
        : in0(static_cast<size_t>(frames)), in1(static_cast<size_t>(frames)),
          out0(static_cast<size_t>(frames), -1.0f), out1(static_cast<size_t>(frames), -1.0f),
          bIn0(in0.data(), frames), bIn1(in1.data(), frames),
          bOut0(out0.data(), frames), bOut1(out1.data(), frames),
          inputs({&bIn0, &bIn1}), outputs({&bOut0, &bOut1}), monoInputs({&bIn0})
    {
        for (int f = 0; f < frames; ++f) {
            in0[static_cast<size_t>(f)] = static_cast<float>(f + 1);
            in1[static_cast<size_t>(f)] = static_cast<float>(-(f + 1));
        }
    }
    std::vector<float> in0, in1, out0, out1;
    CVectorBuffer bIn0, bIn1, bOut0, bOut1;
    CVectorBufferList inputs, outputs, monoInputs;
};

} // namespace

TEST(StereoEffect, ReportsOutputParametersForBothChannelsSuffixedLeftThenRight)
{
    const CStereoScaler stereo;
    const CParameterInfoList* list = stereo.GetOutputParameterInfo();
    ASSERT_EQ(list->GetCount(), 4);
    EXPECT_STREQ(list->GetItem(0)->GetName(), "Peak (L)");
    EXPECT_STREQ(list->GetItem(1)->GetName(), "Frames (L)");
    EXPECT_STREQ(list->GetItem(2)->GetName(), "Peak (R)");
    EXPECT_STREQ(list->GetItem(3)->GetName(), "Frames (R)");
    for (int i : {0, 2}) {
        const CParameterInfo* item = list->GetItem(i);
        EXPECT_EQ(item->GetKind(), 2);
        EXPECT_EQ(item->GetMin(), -60.0f);
        EXPECT_EQ(item->GetMax(), 6.0f);
        EXPECT_EQ(item->GetDefault(), -60.0f);
        EXPECT_STREQ(item->GetUnit(), "dB");
        EXPECT_STREQ(item->GetDescription(), "loudest sample");
    }
    EXPECT_EQ(list->GetItem(3)->GetKind(), 0);
    EXPECT_EQ(list->GetItem(3)->GetUnit(), nullptr);

    const CStereoEffect<CScaler<0>> silent;
    EXPECT_EQ(silent.GetOutputParameterInfo()->GetCount(), 0);
}

TEST(StereoEffect, HasTwoPinsEachCopiedFromTheInnerEffectsFirstPin)
{
    const CStereoScaler stereo;
    const CIOInfo* pins = stereo.GetIOInfo();
    ASSERT_EQ(pins->GetInputCount(), 2);
    ASSERT_EQ(pins->GetOutputCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_STREQ(pins->GetInput(i)->GetName(), "Signal");
        EXPECT_EQ(pins->GetInput(i)->GetAttribute(), 1);
        EXPECT_STREQ(pins->GetOutput(i)->GetName(), "Result");
    }
}

TEST(StereoEffect, AnswersIdentityParametersAndPresetsWithTheLeftInstances)
{
    CStereoScaler stereo;
    EXPECT_EQ(stereo.GetInfo(), stereo.Left().GetInfo());
    EXPECT_EQ(stereo.GetParameterInfo(), stereo.Left().GetParameterInfo());
    EXPECT_EQ(stereo.GetSettingsInfo(), stereo.Left().GetSettingsInfo());
    EXPECT_EQ(stereo.GetPresets(), stereo.Left().GetPresets());
}

TEST(StereoEffect, ForwardsInitializeParametersSkipAndResetTailToBothChannels)
{
    CStereoScaler stereo;
    stereo.Left().latency = 3;
    stereo.Right().latency = 7;
    stereo.Initialize(44100.0, nullptr);
    EXPECT_EQ(stereo.Left().scale, 2.0f); // parameter defaults
    EXPECT_EQ(stereo.Right().scale, 2.0f);
    EXPECT_EQ(stereo.GetLatency(), 7);

    const float half = 0.5f;
    const CValueArray values(&half, 1);
    stereo.SetParameters(&values);
    EXPECT_EQ(stereo.Left().scale, 0.5f);
    EXPECT_EQ(stereo.Right().scale, 0.5f);

    stereo.Skip(123);
    EXPECT_EQ(stereo.Left().skipped, 123);
    EXPECT_EQ(stereo.Right().skipped, 123);
}

TEST(StereoEffect, RoutesChannelZeroToTheLeftInstanceAndChannelOneToTheRight)
{
    CStereoScaler stereo;
    stereo.Initialize(44100.0, nullptr);
    stereo.Right().scale = 3.0f;
    StereoBlock block(16);
    const CValueArrayList ramp(1, 1);
    stereo.ProcessReplacing(&block.inputs, &block.outputs, 16, &ramp);
    for (int f = 0; f < 16; ++f) {
        EXPECT_EQ(block.out0[static_cast<size_t>(f)], 2.0f * static_cast<float>(f + 1));
        EXPECT_EQ(block.out1[static_cast<size_t>(f)], -3.0f * static_cast<float>(f + 1));
    }
    EXPECT_EQ(stereo.Left().lastChanges, &ramp);
    EXPECT_EQ(stereo.Right().lastChanges, &ramp);

    stereo.ProcessAccumulating(&block.inputs, &block.outputs, 16, nullptr);
    EXPECT_EQ(block.out0[4], 20.0f);
    EXPECT_EQ(block.out1[4], -30.0f);
}

TEST(StereoEffect, AMonoInputListLeavesTheRightChannelUntouched)
{
    CStereoScaler stereo;
    stereo.Initialize(44100.0, nullptr);
    StereoBlock block(8);
    stereo.ProcessReplacing(&block.monoInputs, &block.outputs, 8, nullptr);
    for (int f = 0; f < 8; ++f) {
        EXPECT_EQ(block.out0[static_cast<size_t>(f)], 2.0f * static_cast<float>(f + 1));
        EXPECT_EQ(block.out1[static_cast<size_t>(f)], -1.0f);
    }
    EXPECT_EQ(stereo.Left().frames, 8);
    EXPECT_EQ(stereo.Right().frames, 0);
}

TEST(StereoEffect, AMonoOutputListLeavesTheRightInstanceIdle)
{
    CStereoScaler stereo;
    stereo.Initialize(44100.0, nullptr);
    StereoBlock block(8);
    const CVectorBufferList monoOutputs({&block.bOut0});
    stereo.ProcessReplacing(&block.inputs, &monoOutputs, 8, nullptr);
    EXPECT_EQ(block.out0[0], 2.0f);
    EXPECT_EQ(block.out1[0], -1.0f);
    EXPECT_EQ(stereo.Right().frames, 0);
}

TEST(StereoEffect, TailLastsAsLongAsTheLongerChannelTail)
{
    CStereoScaler stereo;
    stereo.Left().tail = 100;
    stereo.Right().tail = 300;
    stereo.Initialize(44100.0, nullptr);
    EXPECT_EQ(stereo.GetTailLength(), 300);

    StereoBlock block(64);
    int blocks = 0;
    while (stereo.ProcessTailReplacing(&block.outputs, 64, nullptr) && blocks < 100)
        ++blocks;
    EXPECT_EQ(blocks, 5); // ceil(300 / 64)
    EXPECT_EQ(stereo.Left().frames, 128);
    EXPECT_EQ(stereo.Right().frames, 320);
    EXPECT_EQ(block.out1[0], 0.0f); // the right channel ran on silence into output 1

    stereo.ResetTail();
    EXPECT_TRUE(stereo.ProcessTailAccumulating(&block.outputs, 64, nullptr));
    EXPECT_EQ(stereo.Left().frames, 192);
    EXPECT_EQ(stereo.Right().frames, 384);
}

TEST(StereoEffect, OutputValuesJoinLeftThenRightAndFollowTheInstancesAfterAnUpdate)
{
    CStereoScaler stereo;
    stereo.Initialize(44100.0, nullptr);
    stereo.Right().scale = 3.0f;
    StereoBlock block(10);
    stereo.ProcessReplacing(&block.inputs, &block.outputs, 10, nullptr);
    stereo.ProcessReplacing(&block.inputs, &block.outputs, 5, nullptr);
    stereo.Left().frames += 1000;
    stereo.UpdateOutputParameters(); // both instances now answer with their other array
    const CValueArray* values = stereo.GetOutputValues();
    ASSERT_EQ(values->GetCount(), 4);
    EXPECT_EQ(values->GetValue(0), 2.0f);
    EXPECT_EQ(values->GetValue(1), 1015.0f);
    EXPECT_EQ(values->GetValue(2), 3.0f);
    EXPECT_EQ(values->GetValue(3), 15.0f);
}

TEST(StereoEffect, CloneIsAnIndependentCopyOfBothChannels)
{
    CStereoScaler stereo;
    stereo.Initialize(44100.0, nullptr);
    stereo.Right().scale = 3.0f;
    std::unique_ptr<CEffect> clone(stereo.Clone());
    ASSERT_NE(clone, nullptr);

    StereoBlock fromClone(4), fromOriginal(4);
    clone->ProcessReplacing(&fromClone.inputs, &fromClone.outputs, 4, nullptr);
    stereo.ProcessReplacing(&fromOriginal.inputs, &fromOriginal.outputs, 4, nullptr);
    EXPECT_EQ(fromClone.out0, fromOriginal.out0);
    EXPECT_EQ(fromClone.out1, fromOriginal.out1);

    stereo.Right().scale = 1.0f;
    clone->UpdateOutputParameters();
    EXPECT_EQ(clone->GetOutputValues()->GetValue(2), 3.0f);
    EXPECT_EQ(clone->GetOutputValues()->GetValue(3), 4.0f);
    EXPECT_NE(clone->GetOutputParameterInfo(), stereo.GetOutputParameterInfo());
    EXPECT_STREQ(clone->GetOutputParameterInfo()->GetItem(2)->GetName(), "Peak (R)");
    EXPECT_NE(clone->GetIOInfo(), stereo.GetIOInfo());
    EXPECT_EQ(clone->GetIOInfo()->GetInputCount(), 2);
}
