#include "ChorusTestSupport.h"
#include "StereoChorus.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

std::unique_ptr<CStereoChorus> MakeStereoChorus(const ChorusSettings& settings, double sampleRate = 44100.0)
{
    auto chorus = std::make_unique<CStereoChorus>();
    chorus->Initialize(sampleRate, nullptr);
    const CValueArray values = Values(settings);
    chorus->SetParameters(&values);
    return chorus;
}

// Dry 0 %, Wet 100 %, Gain 0 dB, Delay 20 ms, Depth 70 %, sine: only the swept copies are heard.
ChorusSettings WetSweep(float rate, float stereo)
{
    return {0.0f, 0.0f, 100.0f, 20.0f, 70.0f, rate, stereo, 0.0f};
}

} // namespace

TEST(StereoChorus, DescribesItselfAsAStereoChorusWithTwoPinsEachWay)
{
    const CStereoChorus chorus;
    EXPECT_STREQ(chorus.GetInfo()->GetName(), "Stereo Chorus");
    EXPECT_STREQ(chorus.GetInfo()->GetVersion(), "1");
    EXPECT_STREQ(chorus.GetInfo()->GetDescription(), "Classic Stereo Chorus Effect");
    const CIOInfo* pins = chorus.GetIOInfo();
    ASSERT_EQ(pins->GetInputCount(), 2);
    ASSERT_EQ(pins->GetOutputCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_STREQ(pins->GetInput(i)->GetName(), "In");
        EXPECT_EQ(pins->GetInput(i)->GetAttribute(), 1);
        EXPECT_STREQ(pins->GetOutput(i)->GetName(), "Out");
    }
    EXPECT_EQ(chorus.GetOutputParameterInfo()->GetCount(), 0);
    EXPECT_EQ(chorus.GetOutputValues()->GetCount(), 0);
    EXPECT_EQ(chorus.GetLatency(), 0);
}

TEST(StereoChorus, ReplacesPhaseWithStereoAndKeepsTheOtherSevenParameters)
{
    const CStereoChorus chorus;
    const CParameterInfoList* list = chorus.GetParameterInfo();
    ASSERT_EQ(list->GetCount(), 8);
    const char* names[] = {"Gain", "Dry", "Wet", "Delay", "Depth", "LFO Frequency", "Stereo", "LFO Type"};
    for (int i = 0; i < 8; ++i)
        EXPECT_STREQ(list->GetItem(i)->GetName(), names[i]);
    const CParameterInfo* stereo = list->GetItem(6);
    EXPECT_EQ(stereo->GetKind(), 2);
    EXPECT_EQ(stereo->GetMin(), 0.0f);
    EXPECT_EQ(stereo->GetMax(), 100.0f);
    EXPECT_EQ(stereo->GetDefault(), 100.0f);
    EXPECT_STREQ(stereo->GetUnit(), "%");
    EXPECT_STREQ(stereo->GetDescription(), "Stereo effect proportion");

    const CParameterInfoList* mono = CChorus().GetParameterInfo();
    EXPECT_STREQ(mono->GetItem(6)->GetName(), "Phase"); // the mono list is not changed
    for (int i : {0, 1, 2, 3, 4, 5, 7}) {
        EXPECT_EQ(list->GetItem(i)->GetKind(), mono->GetItem(i)->GetKind());
        EXPECT_EQ(list->GetItem(i)->GetMin(), mono->GetItem(i)->GetMin());
        EXPECT_EQ(list->GetItem(i)->GetMax(), mono->GetItem(i)->GetMax());
        EXPECT_EQ(list->GetItem(i)->GetDefault(), mono->GetItem(i)->GetDefault());
    }
    EXPECT_EQ(list->GetItem(7)->GetKind(), 1);
    EXPECT_EQ(list->GetItem(5)->GetDefault(), 0.4f);
}

TEST(StereoChorus, DefaultsSetOppositeQuarterPeriodOffsetsAndTheMonoDefaultsElsewhere)
{
    CStereoChorus chorus;
    chorus.Initialize(44100.0, nullptr);
    EXPECT_EQ(chorus.Left().GetLfo().offset, -1024.0f);
    EXPECT_EQ(chorus.Right().GetLfo().offset, 1024.0f);
    EXPECT_EQ(chorus.Left().GetBaseDelay(), 882.0f);
    EXPECT_EQ(chorus.Right().GetBaseDelay(), 882.0f);
    EXPECT_EQ(chorus.GetTailLength(), 4096);
    EXPECT_EQ(chorus.Left().GetDelayLine().GetSize(), 8192); // "De-pitch" reaches 171 ms
    EXPECT_EQ(chorus.Right().GetDelayLine().GetSize(), 8192);

    chorus.Initialize(96000.0, nullptr);
    EXPECT_EQ(chorus.GetTailLength(), 8192);
    EXPECT_EQ(chorus.Right().GetDelayLine().GetSize(), 32768);
}

TEST(StereoChorus, EightValuesSetEverythingButStereoIdenticallyInBothChannels)
{
    auto chorus = MakeStereoChorus({-3.0f, 80.0f, 60.0f, 12.0f, 40.0f, 1.5f, 50.0f, 1.0f});
    const float* left = chorus->Left().GetRampSet(0);
    const float* right = chorus->Right().GetRampSet(0);
    for (int i : {0, 1, 2, 3, 4, 5, 7})
        EXPECT_EQ(left[i], right[i]) << i;
    EXPECT_FLOAT_EQ(left[6], -0.125f);
    EXPECT_FLOAT_EQ(right[6], 0.125f);
    EXPECT_TRUE(chorus->Left().IsTriangle());
    EXPECT_TRUE(chorus->Right().IsTriangle());
    EXPECT_EQ(chorus->Left().GetDryGain(), chorus->Right().GetDryGain());
    EXPECT_EQ(chorus->Left().GetLfo().increment, chorus->Right().GetLfo().increment);
}

TEST(StereoChorus, Stereo50GivesOffsetsOfMinusAndPlus512)
{
    auto chorus = MakeStereoChorus(WetSweep(0.0f, 50.0f));
    EXPECT_EQ(chorus->Left().GetLfo().offset, -512.0f);
    EXPECT_EQ(chorus->Right().GetLfo().offset, 512.0f);

    // With the oscillators standing still, the delays sit an eighth of a period either side.
    const StereoSignal output = RunStereo(*chorus, LinearRamp(3000), LinearRamp(3000));
    const double swing = std::sin(6.283185307179586 / 8.0) * 0.7 * 882.0;
    EXPECT_NEAR(DelayAt(output.first, 2500), 882.0 - swing, 0.01);
    EXPECT_NEAR(DelayAt(output.second, 2500), 882.0 + swing, 0.01);
}

TEST(StereoChorus, Stereo0GivesIdenticalChannelsForIdenticalInputs)
{
    auto chorus = MakeStereoChorus({0.0f, 100.0f, 70.0f, 20.0f, 70.0f, 0.4f, 0.0f, 0.0f});
    EXPECT_EQ(chorus->Left().GetLfo().offset, 0.0f);
    EXPECT_EQ(chorus->Right().GetLfo().offset, 0.0f);
    const std::vector<float> input = CNoise(5).Block(20000);
    const StereoSignal output = RunStereo(*chorus, input, input);
    EXPECT_EQ(output.first, output.second);
}

TEST(StereoChorus, Stereo100SweepsTheChannelsMirroredAboutTheBaseDelay)
{
    auto chorus = MakeStereoChorus(WetSweep(0.4f, 100.0f));
    const int frames = 60000; // more than half a period of the 0.4 Hz sweep
    const StereoSignal output = RunStereo(*chorus, LinearRamp(frames), LinearRamp(frames));
    double lowest = 1e9, highest = 0.0;
    for (int n = 1600; n < frames; n += 13) {
        const double left = DelayAt(output.first, n);
        const double right = DelayAt(output.second, n);
        ASSERT_NEAR(left - 882.0, 882.0 - right, 0.05) << "frame " << n;
        lowest = std::min({lowest, left, right});
        highest = std::max({highest, left, right});
    }
    // Half a period after the start each channel stands where the other began: the sweeps
    // cover the whole range, so they are not merely standing at the base.
    EXPECT_NEAR(lowest, 264.6, 0.5);
    EXPECT_NEAR(highest, 1499.4, 0.5);
}

TEST(StereoChorus, RoutesEachInputChannelThroughItsOwnChorusToTheSameOutputChannel)
{
    auto chorus = MakeStereoChorus(WetSweep(0.0f, 0.0f));
    const StereoSignal output = RunStereo(*chorus, std::vector<float>(2000, 0.0f), Impulse(2000));
    for (size_t n = 0; n < 2000; ++n)
        ASSERT_EQ(output.first[n], 0.0f);
    EXPECT_NEAR(output.second[882], kLevelAt0dB, 1e-6);
}

TEST(StereoChorus, AMonoInputListLeavesTheRightOutputUntouched)
{
    auto chorus = MakeStereoChorus(kDefaults);
    std::vector<float> input = CNoise(3).Block(256), left(256, 5.0f), right(256, 5.0f);
    CVectorBuffer in(input.data(), 256), outL(left.data(), 256), outR(right.data(), 256);
    const CVectorBufferList inputs({&in}), outputs({&outL, &outR});
    chorus->ProcessReplacing(&inputs, &outputs, 256, nullptr);
    EXPECT_EQ(right, std::vector<float>(256, 5.0f));
    EXPECT_NE(left, std::vector<float>(256, 5.0f));
    EXPECT_EQ(chorus->Right().GetDelayLine().GetPosition(), 0);
    EXPECT_EQ(chorus->Left().GetDelayLine().GetPosition(), 256);
}

TEST(StereoChorus, ARampOfStereoMovesTheOffsetsApartWithoutTouchingTheCallersRamp)
{
    auto chorus = MakeStereoChorus(WetSweep(0.4f, 0.0f));
    ChorusSettings from = WetSweep(0.4f, 0.0f);
    ChorusSettings step = {0, 0, 0, 0, 0, 0, 100.0f / 256.0f, 0};
    const CValueArrayList ramp = RampList({from, step});
    const std::vector<float> input = CNoise(17).Block(256);
    RunStereo(*chorus, input, input, &ramp);
    EXPECT_FLOAT_EQ(chorus->Left().GetRampSet(0)[6], -0.25f);
    EXPECT_FLOAT_EQ(chorus->Right().GetRampSet(0)[6], 0.25f);
    EXPECT_FLOAT_EQ(chorus->Left().GetLfo().offset, -1024.0f);
    EXPECT_FLOAT_EQ(chorus->Right().GetLfo().offset, 1024.0f);
    EXPECT_EQ(ramp.GetItem(0)->GetValue(6), 0.0f);
    EXPECT_EQ(ramp.GetItem(1)->GetValue(6), 100.0f / 256.0f);
    EXPECT_EQ(ramp.GetItem(1)->GetValue(3), 0.0f);

    // The landed values equal what SetParameters with the targets gives.
    auto target = MakeStereoChorus(WetSweep(0.4f, 100.0f));
    EXPECT_FLOAT_EQ(target->Left().GetLfo().offset, chorus->Left().GetLfo().offset);
}

TEST(StereoChorus, ARampOfOtherParametersReachesBothChannels)
{
    auto chorus = MakeStereoChorus(WetSweep(0.4f, 100.0f));
    ChorusSettings from = WetSweep(0.4f, 100.0f);
    from[3] = 10.0f;
    ChorusSettings step = {0, 0, 0, 10.0f / 512.0f, 0, 0, 0, 0};
    const CValueArrayList ramp = RampList({from, step});
    const std::vector<float> input = CNoise(18).Block(512);
    RunStereo(*chorus, input, input, &ramp);
    EXPECT_EQ(chorus->Left().GetBaseDelay(), 882.0f);
    EXPECT_EQ(chorus->Right().GetBaseDelay(), 882.0f);
    EXPECT_FLOAT_EQ(chorus->Left().GetLfo().offset, -1024.0f);
    EXPECT_FLOAT_EQ(chorus->Right().GetLfo().offset, 1024.0f);
}

TEST(StereoChorus, ProcessingInPlaceGivesTheSameResultAsSeparateBuffers)
{
    const std::vector<float> left = CNoise(1).Block(3000), right = CNoise(2).Block(3000);
    auto separate = MakeStereoChorus(kDefaults);
    const StereoSignal expected = RunStereo(*separate, left, right);

    auto inPlace = MakeStereoChorus(kDefaults);
    std::vector<float> l = left, r = right;
    CVectorBuffer bl(l.data(), 3000), br(r.data(), 3000);
    const CVectorBufferList list({&bl, &br});
    inPlace->ProcessReplacing(&list, &list, 3000, nullptr);
    EXPECT_EQ(l, expected.first);
    EXPECT_EQ(r, expected.second);
}

TEST(StereoChorus, AccumulatingAddsToBothOutputs)
{
    const std::vector<float> left = CNoise(3).Block(1000), right = CNoise(4).Block(1000);
    const StereoSignal existing = {CNoise(5).Block(1000), CNoise(6).Block(1000)};
    auto replacing = MakeStereoChorus(kDefaults);
    const StereoSignal result = RunStereo(*replacing, left, right);
    auto accumulating = MakeStereoChorus(kDefaults);
    const StereoSignal sum = RunStereo(*accumulating, left, right, nullptr, true, existing);
    for (size_t n = 0; n < 1000; ++n) {
        ASSERT_EQ(sum.first[n], existing.first[n] + result.first[n]) << n;
        ASSERT_EQ(sum.second[n], existing.second[n] + result.second[n]) << n;
    }
}

TEST(StereoChorus, CloneIsAnIndependentIdenticalCopy)
{
    auto original = MakeStereoChorus({-3.0f, 90.0f, 80.0f, 15.0f, 50.0f, 0.6f, 100.0f, 0.0f});
    RunStereo(*original, CNoise(7).Block(2000), CNoise(8).Block(2000));
    std::unique_ptr<CEffect> clone(original->Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_STREQ(clone->GetInfo()->GetName(), "Stereo Chorus");
    EXPECT_EQ(clone->GetParameterInfo(), original->GetParameterInfo());
    EXPECT_EQ(clone->GetPresets(), original->GetPresets());

    const std::vector<float> left = CNoise(9).Block(3000), right = CNoise(10).Block(3000);
    const StereoSignal fromClone = RunStereo(*clone, left, right);
    const StereoSignal fromOriginal = RunStereo(*original, left, right);
    EXPECT_EQ(fromClone.first, fromOriginal.first);
    EXPECT_EQ(fromClone.second, fromOriginal.second);

    // A ramp given to the original alone changes nothing in the copy.
    const CValueArrayList ramp = RampList({kDefaults, {1, 1, 1, 1, 1, 0.01f, 1, 0}});
    RunStereo(*original, left, right, &ramp);
    auto reference = MakeStereoChorus({-3.0f, 90.0f, 80.0f, 15.0f, 50.0f, 0.6f, 100.0f, 0.0f});
    RunStereo(*reference, CNoise(7).Block(2000), CNoise(8).Block(2000));
    RunStereo(*reference, left, right);
    const StereoSignal a = RunStereo(*reference, right, left);
    const StereoSignal b = RunStereo(*clone, right, left);
    EXPECT_EQ(a.first, b.first);
    EXPECT_EQ(a.second, b.second);
}

TEST(StereoChorus, TailRunsBothChannelsOnSilenceUntilTheLongerLineHasPassed)
{
    auto chorus = MakeStereoChorus(kDefaults);
    RunStereo(*chorus, CNoise(11).Block(512), CNoise(12).Block(512));
    std::vector<float> left(512), right(512);
    CVectorBuffer bl(left.data(), 512), br(right.data(), 512);
    const CVectorBufferList outputs({&bl, &br});
    int blocks = 0;
    bool heardLeft = false, heardRight = false;
    while (chorus->ProcessTailReplacing(&outputs, 512, nullptr) && blocks < 100) {
        ++blocks;
        for (size_t n = 0; n < 512; ++n) {
            heardLeft = heardLeft || left[n] != 0.0f;
            heardRight = heardRight || right[n] != 0.0f;
        }
    }
    EXPECT_EQ(blocks, 8);
    EXPECT_TRUE(heardLeft);
    EXPECT_TRUE(heardRight);
    chorus->ResetTail();
    EXPECT_TRUE(chorus->ProcessTailAccumulating(&outputs, 512, nullptr));
}

TEST(StereoChorus, SkipAdvancesBothChannels)
{
    auto chorus = MakeStereoChorus(kDefaults);
    RunStereo(*chorus, CNoise(13).Block(100), CNoise(14).Block(100));
    chorus->Skip(300);
    EXPECT_EQ(chorus->Left().GetDelayLine().GetPosition(), 400);
    EXPECT_EQ(chorus->Right().GetDelayLine().GetPosition(), 400);
    EXPECT_NEAR(chorus->Left().GetLfo().phase, 400 * chorus->Left().GetLfo().increment, 1e-9);
    EXPECT_NEAR(chorus->Right().GetLfo().phase, 400 * chorus->Right().GetLfo().increment, 1e-9);
}

TEST(StereoChorus, PlainChannelsComputeTheSamplesOfTheBufferListsBitForBit)
{
    // The core hands blocks as plain channels; they must sound exactly as the buffer lists do,
    // at every block size, steady or ramping, replacing or adding.
    const ChorusSettings wide = {0.0f, 100.0f, 70.0f, 20.0f, 70.0f, 0.4f, 100.0f, 0.0f};
    // At Stereo 0 the left channel's Phase share is -0, which a ramp may turn into +0, the right's +0.
    const ChorusSettings narrow = {0.0f, 100.0f, 70.0f, 20.0f, 70.0f, 0.4f, 0.0f, 0.0f};
    const struct
    {
        const char* name;
        ChorusSettings start, steps;
    } ramps[] = {
        {"steady", wide, {}},
        {"Delay", wide, {0.0f, 0.0f, 0.0f, 1e-4f, 0.0f, 0.0f, 0.0f, 0.0f}},
        {"Depth", wide, {0.0f, 0.0f, 0.0f, 0.0f, 1e-3f, 0.0f, 0.0f, 0.0f}},
        {"every knob", wide, {1e-3f, -1e-2f, 1e-2f, 1e-4f, -1e-3f, 1e-4f, -1e-2f, 0.0f}},
        {"waveform", wide, {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.1f}},
        {"Delay at Stereo 0", narrow, {0.0f, 0.0f, 0.0f, 1e-4f, 0.0f, 0.0f, 0.0f, 0.0f}},
    };
    for (const int frames : {1, 3, 16, 64, 100, 512})
        for (const auto& ramp : ramps)
            for (const bool accumulate : {false, true}) {
                const ChorusSettings& start = ramp.start;
                auto lists = MakeStereoChorus(start);
                auto plain = MakeStereoChorus(start);
                const bool steady = ramp.steps == ChorusSettings{};
                const CValueArrayList changes = RampList({start, ramp.steps});
                const float* entries[] = {start.data(), ramp.steps.data()};
                CNoise noise;
                for (int block = 0; block < 6; ++block) {
                    const std::vector<float> left = noise.Block(frames), right = noise.Block(frames);
                    const StereoSignal bed = {noise.Block(frames), noise.Block(frames)};
                    const StereoSignal expected =
                        RunStereo(*lists, left, right, steady ? nullptr : &changes, accumulate, bed);
                    StereoSignal actual = bed;
                    const float* inputs[] = {left.data(), right.data()};
                    float* outputs[] = {actual.first.data(), actual.second.data()};
                    plain->ProcessChannels(inputs, outputs, frames, entries, steady ? 0 : 2, 8, accumulate);
                    ASSERT_EQ(std::memcmp(expected.first.data(), actual.first.data(), frames * sizeof(float)), 0)
                        << ramp.name << ", " << frames << " frames, block " << block << (accumulate ? ", adding" : "");
                    ASSERT_EQ(std::memcmp(expected.second.data(), actual.second.data(), frames * sizeof(float)), 0)
                        << ramp.name << ", " << frames << " frames, block " << block << (accumulate ? ", adding" : "");
                }
            }
    // A ramp of one set: the values go to it at once, on the plain path as on the lists (a block
    // long enough for the delayed signal to show them).
    auto lists = MakeStereoChorus(wide);
    auto plain = MakeStereoChorus(wide);
    const CValueArrayList jump = RampList({narrow});
    const float* entries[] = {narrow.data()};
    CNoise noise;
    const std::vector<float> left = noise.Block(4096), right = noise.Block(4096);
    const StereoSignal expected = RunStereo(*lists, left, right, &jump, false, {});
    StereoSignal actual = {std::vector<float>(4096), std::vector<float>(4096)};
    const float* inputs[] = {left.data(), right.data()};
    float* outputs[] = {actual.first.data(), actual.second.data()};
    plain->ProcessChannels(inputs, outputs, 4096, entries, 1, 8, false);
    EXPECT_EQ(expected, actual);
}

TEST(StereoChorus, PlainChannelsSharingBuffersComputeWhatTheBufferListsComputeOverTheSameBuffers)
{
    // Hosts process in place, and a channel's samples may overlap the other channel's a few
    // frames apart: then the pair may not run in one pass, and the plain path must fall back
    // exactly where the lists do.
    const ChorusSettings start = {0.0f, 100.0f, 70.0f, 20.0f, 70.0f, 0.4f, 100.0f, 0.0f};
    const ChorusSettings delaySteps = {0.0f, 0.0f, 0.0f, 1e-4f, 0.0f, 0.0f, 0.0f, 0.0f};
    struct Place
    {
        int buffer, offset; // buffers 0 .. 2 of frames + 8 samples
    };
    const struct
    {
        const char* name;
        Place inL, inR, outL, outR;
    } layouts[] = {
        {"apart", {0, 0}, {1, 0}, {2, 0}, {2, 8}},
        {"in place", {0, 0}, {1, 0}, {0, 0}, {1, 0}},
        {"right input four frames after left output", {0, 0}, {1, 4}, {1, 0}, {2, 0}},
        {"right output four frames after left input", {0, 0}, {1, 0}, {2, 0}, {0, 4}},
        {"right output four frames after left output", {0, 0}, {1, 0}, {2, 0}, {2, 4}},
    };
    for (const auto& layout : layouts)
        for (const bool steady : {true, false})
            for (const int frames : {16, 100}) {
                auto lists = MakeStereoChorus(start);
                auto plain = MakeStereoChorus(start);
                const CValueArrayList changes = RampList({start, delaySteps});
                const float* entries[] = {start.data(), delaySteps.data()};
                CNoise noise;
                for (int block = 0; block < 4; ++block) {
                    std::vector<std::vector<float>> expected(3), actual;
                    for (auto& buffer : expected)
                        buffer = noise.Block(frames + 8);
                    actual = expected;
                    auto at = [](std::vector<std::vector<float>>& buffers, Place place) {
                        return buffers[static_cast<size_t>(place.buffer)].data() + place.offset;
                    };
                    CVectorBuffer inL(at(expected, layout.inL), frames), inR(at(expected, layout.inR), frames);
                    CVectorBuffer outL(at(expected, layout.outL), frames), outR(at(expected, layout.outR), frames);
                    const CVectorBufferList inputs({&inL, &inR}), outputs({&outL, &outR});
                    lists->ProcessReplacing(&inputs, &outputs, frames, steady ? nullptr : &changes);
                    const float* in[] = {at(actual, layout.inL), at(actual, layout.inR)};
                    float* out[] = {at(actual, layout.outL), at(actual, layout.outR)};
                    plain->ProcessChannels(in, out, frames, entries, steady ? 0 : 2, 8, false);
                    for (size_t b = 0; b < expected.size(); ++b)
                        ASSERT_EQ(std::memcmp(expected[b].data(), actual[b].data(), (frames + 8) * sizeof(float)), 0)
                            << layout.name << (steady ? ", steady" : ", Delay ramp") << ", " << frames
                            << " frames, block " << block << ", buffer " << b;
                }
            }
}
