#include "Chorus.h"
#include "ChorusTestSupport.h"
#include "FastDecibel.h"
#include "RingBuffer.h"
#include "WavetableLfo.h"
#include <gtest/gtest.h>
#include <cmath>
#include <cstring>
#include <memory>
#include <tuple>

namespace {

// A chorus at 44100 Hz with the default settings, running the given parameter values.
std::unique_ptr<CChorus> MakeChorus(const ChorusSettings& settings, double sampleRate = 44100.0)
{
    auto chorus = std::make_unique<CChorus>();
    chorus->Initialize(sampleRate, nullptr);
    const CValueArray values = Values(settings);
    chorus->SetParameters(&values);
    return chorus;
}

// Dry 0 %, Wet 100 %, Gain 0 dB: the output is the delay line read back, times the 0 dB level.
ChorusSettings WetOnly(float delayMs, float depth, float rate, float phase, float type = 0.0f)
{
    return {0.0f, 0.0f, 100.0f, delayMs, depth, rate, phase, type};
}

void ExpectImpulseAt(const std::vector<float>& output, double delay, double gain)
{
    const int k = static_cast<int>(delay);
    const double fraction = delay - k;
    for (int n = 0; n < static_cast<int>(output.size()); ++n) {
        const double expected = n == k ? (1.0 - fraction) * gain : n == k + 1 ? fraction * gain : 0.0;
        EXPECT_NEAR(output[static_cast<size_t>(n)], expected, 5e-5) << "frame " << n;
    }
}

} // namespace

TEST(Chorus, DescribesItselfAsAMonoChorusWithOneInputAndOneOutput)
{
    const CChorus chorus;
    EXPECT_STREQ(chorus.GetInfo()->GetName(), "Chorus");
    EXPECT_STREQ(chorus.GetInfo()->GetVersion(), "1");
    EXPECT_STREQ(chorus.GetInfo()->GetDescription(), "Classic Chorus Effect");
    EXPECT_NE(chorus.GetInfo()->GetCopyright(), nullptr);

    const CIOInfo* pins = chorus.GetIOInfo();
    ASSERT_EQ(pins->GetInputCount(), 1);
    ASSERT_EQ(pins->GetOutputCount(), 1);
    EXPECT_STREQ(pins->GetInput(0)->GetName(), "In");
    EXPECT_EQ(pins->GetInput(0)->GetAttribute(), 1);
    EXPECT_STREQ(pins->GetOutput(0)->GetName(), "Out");
    EXPECT_EQ(chorus.GetLatency(), 0);
}

TEST(Chorus, OffersOneMaxDelaySettingOf0To60MsDefault40)
{
    const CParameterInfoList* settings = CChorus().GetSettingsInfo();
    ASSERT_EQ(settings->GetCount(), 1);
    const CParameterInfo* maxDelay = settings->GetItem(0);
    EXPECT_STREQ(maxDelay->GetName(), "max delay");
    EXPECT_EQ(maxDelay->GetKind(), 2);
    EXPECT_EQ(maxDelay->GetMin(), 0.0f);
    EXPECT_EQ(maxDelay->GetMax(), 60.0f);
    EXPECT_EQ(maxDelay->GetDefault(), 40.0f);
    EXPECT_STREQ(maxDelay->GetUnit(), "ms");
    EXPECT_STREQ(maxDelay->GetDescription(), "this caracterizes the maximun available Chorus delay");
}

TEST(Chorus, HasEightParametersInTheDocumentedOrder)
{
    struct Row { const char* name; int kind; float min, max, def; const char* unit; const char* description; };
    const Row rows[] = {
        {"Gain", 2, -20, 20, 0, "dB", nullptr},
        {"Dry", 2, 0, 100, 100, "%", nullptr},
        {"Wet", 2, 0, 100, 70, "%", "%"},
        {"Delay", 2, 0, 30, 20, "ms", nullptr},
        {"Depth", 2, 0, 100, 70, "%", nullptr},
        {"LFO Frequency", 2, 0, 20, 0.4f, "Hz", nullptr},
        {"Phase", 2, 0, 100, 0, "%", nullptr},
        {"LFO Type", 1, 0, 2, 0, nullptr, "0: Sine, 1:Triangle, 2:Custom"},
    };
    const CChorus chorus;
    const CParameterInfoList* list = chorus.GetParameterInfo();
    ASSERT_EQ(list->GetCount(), 8);
    EXPECT_EQ(list, CChorus().GetParameterInfo()); // built once, shared
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(rows[i].name);
        const CParameterInfo* item = list->GetItem(i);
        ASSERT_NE(item, nullptr);
        EXPECT_STREQ(item->GetName(), rows[i].name);
        EXPECT_EQ(item->GetKind(), rows[i].kind);
        EXPECT_EQ(item->GetMin(), rows[i].min);
        EXPECT_EQ(item->GetMax(), rows[i].max);
        EXPECT_EQ(item->GetDefault(), rows[i].def);
        if (rows[i].unit)
            EXPECT_STREQ(item->GetUnit(), rows[i].unit);
        else
            EXPECT_TRUE(IsEmptyText(item->GetUnit()));
        if (rows[i].description)
            EXPECT_STREQ(item->GetDescription(), rows[i].description);
        else
            EXPECT_TRUE(IsEmptyText(item->GetDescription()));
    }
}

TEST(FastDecibel, FactorAndLevelsMatchTheExponentBitApproximation)
{
    EXPECT_EQ(kFastDecibelFactor, 174164.70370123055);
    EXPECT_NEAR(FastDecibelToLevel(0.0), 0.9710078, 5e-8);
    EXPECT_NEAR(FastDecibelToLevel(20.0), 10.11155, 5e-6);
    EXPECT_NEAR(FastDecibelToLevel(-20.0), 0.1012554, 5e-8);
    EXPECT_NEAR(FastDecibelToLevel(-6.0), 0.4863591, 5e-8);
    for (double db = -20.0; db <= 20.0; db += 0.5)
        EXPECT_NEAR(FastDecibelToLevel(db) / std::pow(10.0, db / 20.0), 1.0, 0.04) << db << " dB";
}

TEST(FastDecibel, StaysFiniteForAbsurdGains)
{
    EXPECT_TRUE(std::isfinite(FastDecibelToLevel(1e6)));
    EXPECT_GE(FastDecibelToLevel(-1e6), 0.0);
    EXPECT_TRUE(std::isfinite(FastDecibelToLevel(std::nan(""))));
}

TEST(RingBuffer, AllocateRoundsUpToAPowerOfTwoOfAtLeastTwo)
{
    EXPECT_EQ(CRingBuffer::RoundUpToPowerOfTwo(1), 2);
    EXPECT_EQ(CRingBuffer::RoundUpToPowerOfTwo(2), 2);
    EXPECT_EQ(CRingBuffer::RoundUpToPowerOfTwo(3), 4);
    EXPECT_EQ(CRingBuffer::RoundUpToPowerOfTwo(3529), 4096);
    EXPECT_EQ(CRingBuffer::RoundUpToPowerOfTwo(4096), 4096);
    EXPECT_EQ(CRingBuffer::RoundUpToPowerOfTwo(4097), 8192);

    CRingBuffer line;
    EXPECT_EQ(line.GetSize(), 0);
    EXPECT_FALSE(line.Allocate(0));
    EXPECT_EQ(line.GetSize(), 0);
    EXPECT_TRUE(line.Allocate(7681));
    EXPECT_EQ(line.GetSize(), 8192);
    EXPECT_EQ(line.GetMask(), 8191);
}

TEST(RingBuffer, WriteZerosAdvancesThePositionOrClearsAndRewindsWhenLongerThanTheLine)
{
    CRingBuffer line(8);
    for (int i = 0; i < 8; ++i)
        line.Data()[i] = 1.0f + static_cast<float>(i);
    line.SetPosition(6);
    line.WriteZeros(3);
    EXPECT_EQ(line.GetPosition(), 1);
    EXPECT_EQ(line.Data()[6], 0.0f);
    EXPECT_EQ(line.Data()[7], 0.0f);
    EXPECT_EQ(line.Data()[0], 0.0f);
    EXPECT_EQ(line.Data()[1], 2.0f);

    line.WriteZeros(8); // exactly the size: written in turn, the position comes round
    EXPECT_EQ(line.GetPosition(), 1);

    line.Data()[3] = 5.0f;
    line.WriteZeros(9);
    EXPECT_EQ(line.GetPosition(), 0);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(line.Data()[i], 0.0f);
}

TEST(WavetableLfo, SineTableHolds4096PointsOfOnePeriod)
{
    const CWavetableLfo sine = CWavetableLfo::MakeSine();
    ASSERT_EQ(sine.table.GetSize(), 4096);
    for (int i = 0; i < 4096; ++i)
        ASSERT_NEAR(sine.table.Data()[i], std::sin(6.283185307179586 * i / 4096.0), 1e-7) << i;
    EXPECT_EQ(sine.table.Data()[0], 0.0f);
    EXPECT_EQ(sine.table.Data()[1024], 1.0f);
    EXPECT_EQ(sine.table.Data()[2048], 0.0f);
    EXPECT_EQ(sine.table.Data()[3072], -1.0f);
    EXPECT_EQ(sine.phase, 0.0);
    EXPECT_EQ(sine.increment, 0.0);
    EXPECT_EQ(sine.offset, 0.0f);
}

TEST(WavetableLfo, TriangleTableRisesFromZeroInPhaseWithTheSine)
{
    const CWavetableLfo triangle = CWavetableLfo::MakeTriangle();
    ASSERT_EQ(triangle.table.GetSize(), 4096);
    const float* t = triangle.table.Data();
    for (int i = 0; i < 1024; ++i)
        ASSERT_EQ(t[i], static_cast<float>(i / 1024.0)) << i;
    for (int j = 0; j < 2048; ++j)
        ASSERT_EQ(t[1024 + j], static_cast<float>(1.0 - j / 1024.0)) << j;
    for (int j = 0; j < 1024; ++j)
        ASSERT_EQ(t[3072 + j], static_cast<float>(j / 1024.0 - 1.0)) << j;
    EXPECT_EQ(t[1024], 1.0f);
    EXPECT_EQ(t[3072], -1.0f);
}

TEST(WavetableLfo, WrapPhaseGivesPhaseLessNTimesTruncOfPhaseOverNBitForBitAndZeroForNoFinitePhase)
{
    // Within one period it takes no division; every phase must still get exactly these bits.
    const double n = 4096.0;
    const double phases[] = {0.0, -0.0, 1.5, -1.5, 1e-310, -1e-310, std::nextafter(n, 0.0), -std::nextafter(n, 0.0),
                             n, -n, 8191.5, -8191.5, 1e12 + 0.25, -1e12, HUGE_VAL, -HUGE_VAL, std::nan("")};
    for (const double phase : phases) {
        CWavetableLfo lfo = CWavetableLfo::MakeSine();
        lfo.phase = phase;
        lfo.WrapPhase();
        const double expected = std::isfinite(phase) ? phase - n * std::trunc(phase / n) : 0.0;
        EXPECT_EQ(std::memcmp(&lfo.phase, &expected, sizeof expected), 0) << phase << " gave " << lfo.phase;
    }
}

TEST(Chorus, DelayLineHoldsTheLongestPresetSweepWhileTheTailFollowsTheMaxDelaySetting)
{
    // "De-pitch" sweeps to 171 ms: 7541 samples at 44100 Hz, 16416 at 96000 Hz. The tail is what the
    // 40 ms setting asks for (1 + trunc(2 * 40 * 0.001 * rate), a power of two).
    CChorus chorus;
    chorus.Initialize(44100.0, nullptr);
    EXPECT_EQ(chorus.GetDelayLine().GetSize(), 8192);
    EXPECT_EQ(chorus.GetTailLength(), 4096);

    chorus.Initialize(96000.0, nullptr);
    EXPECT_EQ(chorus.GetDelayLine().GetSize(), 32768);
    EXPECT_EQ(chorus.GetTailLength(), 8192);

    chorus.Initialize(44100.0, nullptr); // neither ever shrinks
    EXPECT_EQ(chorus.GetDelayLine().GetSize(), 32768);
    EXPECT_EQ(chorus.GetTailLength(), 8192);

    const float sixtyMs = 60.0f; // 1 + trunc(2 * 60 * 0.001 * 48000), about 5760
    const CValueArray settings(&sixtyMs, 1);
    CChorus other;
    other.Initialize(48000.0, &settings);
    EXPECT_EQ(other.GetDelayLine().GetSize(), 16384);
    EXPECT_EQ(other.GetTailLength(), 8192);
    const float oneMs = 1.0f; // 97 -> 128
    const CValueArray small(&oneMs, 1);
    CChorus tiny;
    tiny.Initialize(48000.0, &small);
    EXPECT_EQ(tiny.GetDelayLine().GetSize(), 16384);
    EXPECT_EQ(tiny.GetTailLength(), 128);
}

TEST(Chorus, EveryPresetSweepFitsTheLineAtEveryCommonRate)
{
    for (double rate : {22050.0, 44100.0, 48000.0, 88200.0, 96000.0, 192000.0}) {
        CChorus chorus;
        chorus.Initialize(rate, nullptr);
        const CPresetList* presets = chorus.GetPresets();
        for (int p = 0; p < presets->GetCount(); ++p) {
            const CPreset* preset = presets->GetItem(p);
            if (preset->GetKind() != CPreset::kValues)
                continue;
            const CValueArray& v = preset->GetValues();
            // The farthest a read reaches: one table step past the sweep's peak, and one sample on.
            const double farthest = v.GetValue(3) * rate * 0.001 * (1.0 + v.GetValue(4) * 0.01 * (1.0 + 1.0 / 1024)) + 1;
            EXPECT_LT(farthest, chorus.GetDelayLine().GetSize() - 1) << preset->GetName() << " at " << rate << " Hz";
        }
    }
}

TEST(Chorus, DefaultsAt44100GiveBaseDelay882AndTheDocumentedOscillatorIncrement)
{
    CChorus chorus;
    chorus.Initialize(44100.0, nullptr);
    EXPECT_EQ(chorus.GetBaseDelay(), 882.0f);
    EXPECT_FLOAT_EQ(chorus.GetDepth(), 0.7f);
    EXPECT_FALSE(chorus.IsTriangle());
    EXPECT_DOUBLE_EQ(chorus.GetLfo().increment, 4096.0 / 44100.0 * 0.4f);
    EXPECT_NEAR(chorus.GetLfo().increment, 0.03715, 1e-5);
    EXPECT_NEAR(chorus.GetLfo().increment * 110250.0, 4096.0, 1e-4); // one period in 2.5 s
    EXPECT_EQ(chorus.GetLfo().offset, 0.0f);
    EXPECT_NEAR(chorus.GetDryGain(), kLevelAt0dB, 1e-7);
    EXPECT_NEAR(chorus.GetWetGain(), kLevelAt0dB * 0.7, 1e-7);
}

TEST(Chorus, DefaultSweepRunsBetween264Point6And1499Point4Samples)
{
    // With the oscillator standing at its peak (Phase 25 %) and its trough (Phase 75 %), an
    // impulse comes back at the two ends of the sweep, split between the neighbouring samples.
    auto peak = MakeChorus(WetOnly(20.0f, 70.0f, 0.0f, 25.0f));
    ExpectImpulseAt(RunMono(*peak, Impulse(2048)), 1499.4, kLevelAt0dB);
    auto trough = MakeChorus(WetOnly(20.0f, 70.0f, 0.0f, 75.0f));
    ExpectImpulseAt(RunMono(*trough, Impulse(2048)), 264.6, kLevelAt0dB);
    auto middle = MakeChorus(WetOnly(20.0f, 70.0f, 0.0f, 50.0f)); // table midpoint: the base delay
    ExpectImpulseAt(RunMono(*middle, Impulse(2048)), 882.0, kLevelAt0dB);
}

TEST(Chorus, DefaultSweepFollowsTheSineAroundTheBaseDelay)
{
    auto chorus = MakeChorus(WetOnly(20.0f, 70.0f, 0.4f, 0.0f));
    const std::vector<float> output = RunMono(*chorus, LinearRamp(4096));
    const double increment = 4096.0 / 44100.0 * 0.4f;
    for (int n = 1600; n < 4096; n += 37) {
        const double expected = (std::sin(6.283185307179586 * n * increment / 4096.0) * 0.7 + 1.0) * 882.0;
        ASSERT_NEAR(DelayAt(output, n), expected, 0.01) << "frame " << n;
    }
}

TEST(Chorus, Gain0DbDry100Wet0ScalesTheInputBy0Point9710078)
{
    auto chorus = MakeChorus({0.0f, 100.0f, 0.0f, 20.0f, 70.0f, 0.4f, 0.0f, 0.0f});
    const std::vector<float> input = CNoise(7).Block(1000);
    const std::vector<float> output = RunMono(*chorus, input);
    for (size_t n = 0; n < input.size(); ++n)
        ASSERT_EQ(output[n], static_cast<float>(input[n] * kLevelAt0dB)) << n;
}

TEST(Chorus, GainDryAndWetScaleAsDecibelsAndPercent)
{
    const std::vector<float> input = CNoise(3).Block(256);
    struct Case { float gain, dry; double level; };
    for (const Case c : {Case{20.0f, 100.0f, 10.11155}, Case{-20.0f, 100.0f, 0.1012554},
                         Case{-6.0f, 50.0f, 0.4863591 * 0.5}, Case{0.0f, 25.0f, 0.9710078 * 0.25}}) {
        auto chorus = MakeChorus({c.gain, c.dry, 0.0f, 20.0f, 70.0f, 0.4f, 0.0f, 0.0f});
        const std::vector<float> output = RunMono(*chorus, input);
        for (size_t n = 0; n < input.size(); ++n)
            ASSERT_NEAR(output[n], input[n] * c.level, 1e-6 * c.level) << c.gain << " dB, dry " << c.dry;
    }

    // Wet 40 % over a zero delay: the wet copy is the input itself, at 0.4 of the level.
    auto wet = MakeChorus({0.0f, 0.0f, 40.0f, 0.0f, 0.0f, 0.4f, 0.0f, 0.0f});
    const std::vector<float> output = RunMono(*wet, input);
    for (size_t n = 0; n < input.size(); ++n)
        ASSERT_NEAR(output[n], input[n] * 0.9710078 * 0.4, 1e-6) << n;
}

TEST(Chorus, DelayZeroDepthZeroReadsTheSampleJustWritten)
{
    const std::vector<float> input = CNoise(11).Block(512);
    auto wetOnly = MakeChorus(WetOnly(0.0f, 0.0f, 0.4f, 0.0f));
    const std::vector<float> output = RunMono(*wetOnly, input);
    for (size_t n = 0; n < input.size(); ++n)
        ASSERT_EQ(output[n], static_cast<float>(input[n] * kLevelAt0dB)) << n;

    auto both = MakeChorus({0.0f, 100.0f, 100.0f, 0.0f, 0.0f, 0.4f, 0.0f, 0.0f});
    const std::vector<float> doubled = RunMono(*both, input);
    for (size_t n = 0; n < input.size(); ++n)
        ASSERT_NEAR(doubled[n], input[n] * 2.0 * kLevelAt0dB, 1e-6) << n;
}

TEST(Chorus, DepthZeroDelaysAnImpulseByTheWholeSamplesOfDelayWithInterpolationWeights)
{
    for (const float ms : {7.3f, 10.0f, 0.05f, 29.99f}) {
        SCOPED_TRACE(ms);
        auto chorus = MakeChorus(WetOnly(ms, 0.0f, 0.4f, 0.0f));
        const double delay = static_cast<float>(ms * 44100.0 * 0.001);
        ASSERT_EQ(static_cast<int>(delay), static_cast<int>(std::floor(ms * 44100.0 / 1000.0)));
        ExpectImpulseAt(RunMono(*chorus, Impulse(1400)), delay, kLevelAt0dB);
    }
    auto fast = MakeChorus(WetOnly(20.0f, 0.0f, 0.4f, 0.0f), 96000.0);
    ExpectImpulseAt(RunMono(*fast, Impulse(2000)), 1920.0, kLevelAt0dB);
}

TEST(Chorus, DelayBeyondTheLineIsHeldAtItsEndInsteadOfWrapping)
{
    // 100 ms is 4410 samples: within the 8192-sample line, read where it belongs.
    auto chorus = MakeChorus(WetOnly(100.0f, 0.0f, 0.4f, 0.0f));
    ExpectImpulseAt(RunMono(*chorus, Impulse(5000)), 4410.0, kLevelAt0dB);

    // Delays no line holds, as a host may set any normalised value: the far one is held just short
    // of the line's end, so the impulse comes out of its oldest sample, never round the wrap.
    for (float delayMs : {1000.0f, 3e4f, 1e30f}) {
        auto held = MakeChorus(WetOnly(delayMs, 0.0f, 0.4f, 0.0f));
        const std::vector<float> output = RunMono(*held, Impulse(8192));
        ExpectImpulseAt(output, std::nextafter(8191.0, 0.0), kLevelAt0dB);
    }
    // The near one is held where the reads are the two newest samples: nothing after them.
    auto negative = MakeChorus(WetOnly(-50.0f, 0.0f, 0.4f, 0.0f));
    const std::vector<float> output = RunMono(*negative, Impulse(8192));
    for (size_t n = 2; n < output.size(); ++n)
        ASSERT_EQ(output[n], 0.0f) << "frame " << n;
}

TEST(Chorus, ProcessingInPlaceGivesTheSameResultAsSeparateBuffers)
{
    const std::vector<float> input = CNoise(2).Block(3000);
    auto separate = MakeChorus(kDefaults);
    const std::vector<float> expected = RunMono(*separate, input);

    auto inPlace = MakeChorus(kDefaults);
    std::vector<float> samples = input;
    CVectorBuffer buffer(samples.data(), 3000);
    const CVectorBufferList list({&buffer});
    inPlace->ProcessReplacing(&list, &list, 3000, nullptr);
    EXPECT_EQ(samples, expected);
}

TEST(Chorus, AccumulatingAddsTheResultToWhatTheOutputHolds)
{
    const std::vector<float> input = CNoise(4).Block(2000);
    const std::vector<float> existing = CNoise(99).Block(2000);
    auto replacing = MakeChorus(kDefaults);
    const std::vector<float> result = RunMono(*replacing, input);
    auto accumulating = MakeChorus(kDefaults);
    const std::vector<float> sum = RunMono(*accumulating, input, nullptr, true, existing);
    for (size_t n = 0; n < input.size(); ++n)
        ASSERT_EQ(sum[n], existing[n] + result[n]) << n;
}

TEST(Chorus, WalksEachBufferWithItsOwnStride)
{
    const std::vector<float> input = CNoise(6).Block(500);
    auto plain = MakeChorus(kDefaults);
    const std::vector<float> expected = RunMono(*plain, input);

    std::vector<float> interleavedIn(1000, 9.0f), interleavedOut(1500, 7.0f);
    for (size_t n = 0; n < input.size(); ++n)
        interleavedIn[2 * n] = input[n];
    CVectorBuffer in(interleavedIn.data(), 500, 2), out(interleavedOut.data(), 500, 3);
    const CVectorBufferList inputs({&in}), outputs({&out});
    auto strided = MakeChorus(kDefaults);
    strided->ProcessReplacing(&inputs, &outputs, 500, nullptr);
    for (size_t n = 0; n < input.size(); ++n) {
        ASSERT_EQ(interleavedOut[3 * n], expected[n]) << n;
        ASSERT_EQ(interleavedOut[3 * n + 1], 7.0f);
    }
}

TEST(Chorus, MissingOrEmptyBufferListsChangeNothing)
{
    auto chorus = MakeChorus(kDefaults);
    auto twin = MakeChorus(kDefaults);
    std::vector<float> samples(64, 0.5f);
    CVectorBuffer buffer(samples.data(), 64);
    const CVectorBufferList one({&buffer}), none({});
    const CValueArrayList ramp = RampList({{6.0f, 0, 100, 1, 0, 9, 0, 1}, {1, 1, 1, 1, 1, 1, 1, 1}});
    chorus->ProcessReplacing(&one, &none, 64, &ramp);
    chorus->ProcessReplacing(&none, &one, 64, &ramp);
    chorus->ProcessAccumulating(nullptr, &one, 64, &ramp);
    chorus->ProcessAccumulating(&one, nullptr, 64, &ramp);
    EXPECT_EQ(samples, std::vector<float>(64, 0.5f));
    EXPECT_EQ(chorus->GetDelayLine().GetPosition(), 0);
    EXPECT_EQ(chorus->GetBaseDelay(), 882.0f);

    const std::vector<float> input = CNoise(8).Block(1000);
    EXPECT_EQ(RunMono(*chorus, input), RunMono(*twin, input));
}

TEST(Chorus, SetParametersNeedsASampleRateAndExactlyEightValues)
{
    CChorus uninitialised;
    const CValueArray values = Values({0.0f, 100.0f, 70.0f, 10.0f, 70.0f, 0.4f, 0.0f, 0.0f});
    uninitialised.SetParameters(&values);
    EXPECT_EQ(uninitialised.GetBaseDelay(), 0.0f);
    EXPECT_EQ(uninitialised.GetRampSet(0)[3], 0.0f);

    CChorus chorus;
    chorus.Initialize(44100.0, nullptr);
    const float seven[] = {0, 0, 0, 5, 0, 0, 0};
    const CValueArray shortArray(seven, 7);
    chorus.SetParameters(&shortArray);
    chorus.SetParameters(nullptr);
    EXPECT_EQ(chorus.GetBaseDelay(), 882.0f);
    EXPECT_EQ(chorus.GetRampSet(0)[1], 1.0f);

    chorus.SetParameters(&values);
    EXPECT_EQ(chorus.GetBaseDelay(), 441.0f);
}

TEST(Chorus, ARampFrom10To20MsOver512FramesRaisesTheDelay0Point8613SamplesPerFrame)
{
    ChorusSettings from = WetOnly(10.0f, 0.0f, 0.4f, 0.0f);
    ChorusSettings step = {0, 0, 0, 10.0f / 512.0f, 0, 0, 0, 0};
    const CValueArrayList ramp = RampList({from, step});
    auto chorus = MakeChorus(WetOnly(10.0f, 0.0f, 0.4f, 0.0f));
    RunMono(*chorus, LinearRamp(1024)); // fills the line with the ramp's history
    std::vector<float> input(512);
    for (int n = 0; n < 512; ++n)
        input[static_cast<size_t>(n)] = static_cast<float>(1024 + n);
    const std::vector<float> output = RunMono(*chorus, input, &ramp);

    EXPECT_NEAR(chorus->GetRampSet(1)[3], 0.8613, 1e-4);
    for (int n = 0; n < 512; n += 17)
        ASSERT_NEAR(1024 + n - output[static_cast<size_t>(n)] / kLevelAt0dB, 441.0 + n * 0.861328125, 2e-3) << n;
    // 512 steps land exactly on 20 ms worth of samples.
    EXPECT_EQ(chorus->GetRampSet(0)[3], 882.0f);
    EXPECT_EQ(chorus->GetBaseDelay(), 882.0f);

    // The next block without a ramp keeps the landed values.
    RunMono(*chorus, CNoise().Block(64));
    EXPECT_EQ(chorus->GetBaseDelay(), 882.0f);
}

TEST(Chorus, AThreeEntryRampAdvancesTheFirstDifferenceBeforeTheValues)
{
    auto chorus = MakeChorus(kDefaults);
    ChorusSettings values = kDefaults;
    ChorusSettings first = {0.25f, 0, 0, 0, 0, 0, 0, 0};
    ChorusSettings second = {0.125f, 0, 0, 0, 0, 0, 0, 0};
    CValueArrayList ramp = RampList({values, first, second});
    ramp.used = 5; // entries past the third are not honoured
    RunMono(*chorus, CNoise().Block(4), &ramp);
    // after n frames: value = v + n * d1 + d2 * n (n + 1) / 2, first difference = d1 + n * d2
    EXPECT_EQ(chorus->GetRampSet(0)[0], 2.25f);
    EXPECT_EQ(chorus->GetRampSet(1)[0], 0.75f);
    EXPECT_NEAR(chorus->GetDryGain(), FastDecibelToLevel(2.25), 1e-6);
}

TEST(Chorus, AOneEntryRampSetsTheValuesForTheWholeBlockAndTheyStay)
{
    auto chorus = MakeChorus(kDefaults);
    const CValueArrayList jump = RampList({{0.0f, 50.0f, 0.0f, 20.0f, 70.0f, 0.4f, 0.0f, 0.0f}});
    const std::vector<float> input = CNoise(12).Block(300);
    const std::vector<float> first = RunMono(*chorus, input, &jump);
    CValueArrayList unused = RampList({kDefaults});
    unused.used = 0;
    const std::vector<float> second = RunMono(*chorus, input, &unused);
    const std::vector<float> third = RunMono(*chorus, input);
    for (size_t n = 0; n < input.size(); ++n) {
        ASSERT_NEAR(first[n], input[n] * kLevelAt0dB * 0.5, 1e-6);
        ASSERT_NEAR(second[n], input[n] * kLevelAt0dB * 0.5, 1e-6);
        ASSERT_NEAR(third[n], input[n] * kLevelAt0dB * 0.5, 1e-6);
    }
}

TEST(Chorus, SwitchingTheWaveformInsideARampCarriesThePhaseOver)
{
    const ChorusSettings sine = WetOnly(20.0f, 70.0f, 5.0f, 0.0f, 0.0f);
    const ChorusSettings triangle = WetOnly(20.0f, 70.0f, 5.0f, 0.0f, 1.0f);
    const std::vector<float> warmUp = CNoise(21).Block(3000);
    const std::vector<float> input = CNoise(22).Block(2000);

    // Sine for 3000 frames, then a block that starts on the triangle and goes back to the sine
    // after its first frame (type 1, then 1 + (-1) = 0).
    auto switching = MakeChorus(sine);
    RunMono(*switching, warmUp);
    ChorusSettings back = {0, 0, 0, 0, 0, 0, 0, -1.0f};
    const CValueArrayList toTriangleAndBack = RampList({triangle, back});
    const std::vector<float> output = RunMono(*switching, input, &toTriangleAndBack);
    EXPECT_FALSE(switching->IsTriangle());

    auto allSine = MakeChorus(sine);
    RunMono(*allSine, warmUp);
    const std::vector<float> sineOutput = RunMono(*allSine, input);
    auto allTriangle = MakeChorus(triangle);
    RunMono(*allTriangle, warmUp);
    const std::vector<float> triangleOutput = RunMono(*allTriangle, input);

    EXPECT_EQ(output[0], triangleOutput[0]); // the triangle took the sine's phase
    EXPECT_NE(output[0], sineOutput[0]);
    for (size_t n = 1; n < input.size(); ++n)
        ASSERT_EQ(output[n], sineOutput[n]) << n; // and handed it back, one frame further on
}

TEST(Chorus, SwitchingTheWaveformBetweenBlocksContinuesTheSweep)
{
    const ChorusSettings sine = WetOnly(20.0f, 70.0f, 3.0f, 10.0f, 0.0f);
    const ChorusSettings triangle = WetOnly(20.0f, 70.0f, 3.0f, 10.0f, 1.0f);
    const std::vector<float> warmUp = CNoise(31).Block(1500);
    const std::vector<float> input = CNoise(32).Block(1500);

    auto switching = MakeChorus(sine);
    RunMono(*switching, warmUp);
    const CValueArray toTriangle = Values(triangle);
    switching->SetParameters(&toTriangle);
    EXPECT_TRUE(switching->IsTriangle());
    const std::vector<float> output = RunMono(*switching, input);

    auto allTriangle = MakeChorus(triangle);
    RunMono(*allTriangle, warmUp);
    EXPECT_EQ(output, RunMono(*allTriangle, input));
}

TEST(Chorus, CustomWaveformWithoutATableKeepsTheWaveformInUse)
{
    auto chorus = MakeChorus(WetOnly(20.0f, 70.0f, 3.0f, 0.0f, 1.0f));
    const CValueArray custom = Values(WetOnly(20.0f, 70.0f, 3.0f, 0.0f, 2.0f));
    chorus->SetParameters(&custom);
    EXPECT_TRUE(chorus->IsTriangle());
    EXPECT_DOUBLE_EQ(chorus->GetLfo().increment, 4096.0 / 44100.0 * 3.0);
    const std::vector<float> input = CNoise(41).Block(3000);
    auto triangle = MakeChorus(WetOnly(20.0f, 70.0f, 3.0f, 0.0f, 1.0f));
    EXPECT_EQ(RunMono(*chorus, input), RunMono(*triangle, input));
}

TEST(Chorus, PhaseOffsetsTheOscillatorByThatFractionOfTheTable)
{
    auto chorus = MakeChorus(WetOnly(20.0f, 70.0f, 0.4f, 50.0f));
    EXPECT_EQ(chorus->GetLfo().offset, 2048.0f);
    // Phase 50 % starts the sine at its midpoint, falling: the delay starts at the base and drops.
    const std::vector<float> output = RunMono(*chorus, LinearRamp(4000));
    EXPECT_NEAR(DelayAt(output, 1600), (std::sin(3.141592653589793 + 6.283185307179586 * 1600 / 110250.0) * 0.7 + 1.0) * 882.0, 0.01);
    EXPECT_LT(DelayAt(output, 3000), DelayAt(output, 2000));
}

TEST(Chorus, SkipLongerThanTheLineClearsItAndRewinds)
{
    auto chorus = MakeChorus(kDefaults);
    RunMono(*chorus, CNoise(51).Block(1000));
    chorus->Skip(9000);
    EXPECT_EQ(chorus->GetDelayLine().GetPosition(), 0);
    for (int i = 0; i < chorus->GetDelayLine().GetSize(); ++i)
        ASSERT_EQ(chorus->GetDelayLine().Data()[i], 0.0f) << i;
    for (const float y : RunMono(*chorus, std::vector<float>(2000, 0.0f)))
        ASSERT_EQ(y, 0.0f);
}

TEST(Chorus, SkipActsLikeProcessingSilenceWithoutOutput)
{
    auto skipping = MakeChorus(kDefaults);
    auto processing = MakeChorus(kDefaults);
    const std::vector<float> before = CNoise(61).Block(2500);
    RunMono(*skipping, before);
    RunMono(*processing, before);
    skipping->Skip(700);
    RunMono(*processing, std::vector<float>(700, 0.0f));
    EXPECT_EQ(skipping->GetDelayLine().GetPosition(), (2500 + 700) % 4096);
    EXPECT_NEAR(skipping->GetLfo().phase, processing->GetLfo().phase, 1e-9);

    const std::vector<float> after = CNoise(62).Block(2000);
    const std::vector<float> a = RunMono(*skipping, after);
    const std::vector<float> b = RunMono(*processing, after);
    for (size_t n = 0; n < after.size(); ++n)
        ASSERT_NEAR(a[n], b[n], 1e-5) << n;
}

TEST(Chorus, SkipWrapsThePhaseIntoOnePeriod)
{
    auto chorus = MakeChorus(kDefaults);
    chorus->Skip(110250 * 3 + 1000); // three whole periods and a bit
    EXPECT_GE(chorus->GetLfo().phase, 0.0);
    EXPECT_LT(chorus->GetLfo().phase, 4096.0);
    EXPECT_NEAR(chorus->GetLfo().phase, 1000 * chorus->GetLfo().increment, 1e-3);
}

TEST(Chorus, AnInfiniteRateLeavesNoLastingNanPhaseAndTheSweepReturnsWithASaneRate)
{
    // The adapter passes host values unclamped: 1e38 normalised is an infinite LFO frequency.
    ChorusSettings absurd = kDefaults;
    absurd[CChorus::kRate] = INFINITY;
    auto chorus = MakeChorus(absurd);
    const std::vector<float> output = RunMono(*chorus, CNoise(73).Block(512));
    for (float sample : output)
        ASSERT_TRUE(std::isfinite(sample));
    EXPECT_TRUE(std::isfinite(chorus->GetLfo().phase));

    const CValueArray sane = Values(kDefaults);
    chorus->SetParameters(&sane);
    auto fresh = MakeChorus(kDefaults);
    const std::vector<float> input = CNoise(74).Block(3000);
    RunMono(*chorus, input);
    RunMono(*fresh, input);
    EXPECT_EQ(chorus->GetLfo().phase, fresh->GetLfo().phase); // sweeping again, from phase 0
}

TEST(Chorus, ResetClearsTheLineAndThePhase)
{
    auto chorus = MakeChorus(kDefaults);
    RunMono(*chorus, CNoise(71).Block(3333));
    ASSERT_NE(chorus->GetLfo().phase, 0.0);
    chorus->Reset();
    EXPECT_EQ(chorus->GetLfo().phase, 0.0);
    EXPECT_EQ(chorus->GetDelayLine().GetPosition(), 3333); // the write index stays

    auto fresh = MakeChorus(kDefaults);
    const std::vector<float> input = CNoise(72).Block(3000);
    EXPECT_EQ(RunMono(*chorus, input), RunMono(*fresh, input));
}

TEST(Chorus, CloneIsAnIndependentIdenticalCopy)
{
    auto original = MakeChorus({-3.0f, 80.0f, 90.0f, 12.0f, 60.0f, 2.5f, 30.0f, 1.0f});
    RunMono(*original, CNoise(81).Block(2500));
    std::unique_ptr<CEffect> clone(original->Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->GetTailLength(), original->GetTailLength());

    const std::vector<float> input = CNoise(82).Block(3000);
    const std::vector<float> fromOriginal = RunMono(*original, input);
    EXPECT_EQ(RunMono(*clone, input), fromOriginal);

    // Changing the original leaves the copy alone.
    const CValueArray other = Values(kDefaults);
    original->SetParameters(&other);
    RunMono(*original, CNoise(83).Block(3000));
    auto reference = MakeChorus({-3.0f, 80.0f, 90.0f, 12.0f, 60.0f, 2.5f, 30.0f, 1.0f});
    RunMono(*reference, CNoise(81).Block(2500));
    RunMono(*reference, input);
    const std::vector<float> tail = CNoise(84).Block(2000);
    EXPECT_EQ(RunMono(*clone, tail), RunMono(*reference, tail));
}

TEST(Chorus, TailRingsOutTheDelayLineOnSilence)
{
    auto chorus = MakeChorus(kDefaults);
    RunMono(*chorus, CNoise(91).Block(512));
    std::vector<float> samples(512);
    CVectorBuffer buffer(samples.data(), 512);
    const CVectorBufferList outputs({&buffer});
    int blocks = 0;
    bool heard = false;
    while (chorus->ProcessTailReplacing(&outputs, 512, nullptr) && blocks < 100) {
        ++blocks;
        for (const float y : samples)
            heard = heard || y != 0.0f;
    }
    EXPECT_EQ(blocks, 8); // 4096 frames
    EXPECT_TRUE(heard);
}

// The line is sized for the preset sweeps taking every oscillator table to lie within +-1.
TEST(Chorus, SineAndTriangleTablesLieWithinPlusMinusOne)
{
    CChorus chorus;
    chorus.Initialize(44100.0, nullptr);
    for (float type : {0.0f, 1.0f}) {
        ChorusSettings settings = kDefaults;
        settings[7] = type;
        const CValueArray values = Values(settings);
        chorus.SetParameters(&values);
        const CRingBuffer& table = chorus.GetLfo().table;
        ASSERT_EQ(table.GetSize(), CWavetableLfo::kTableSize);
        for (int i = 0; i < table.GetSize(); ++i)
            ASSERT_TRUE(table.Data()[i] >= -1.0f && table.Data()[i] <= 1.0f) << "type " << type << ", entry " << i;
    }
}

TEST(Chorus, ARampsSetsHoldEachValueInInternalUnitsAsTheOneByOneDoubleProductsGiveIt)
{
    // The sets are converted two values to a register; every lane must round as value * rate *
    // 0.001 or value * 0.01 in double does, at any rate, whatever the value.
    const float values[][CChorus::kParameterCount] = {
        {-20.0f, 100.0f, 70.0f, 20.0f, 70.0f, 0.4f, 33.3f, 0.0f},
        {7.3f, 0.1f, 99.9f, 29.97f, 0.01f, 19.99f, 100.0f, 2.0f},
        {-0.0f, 1e-7f, -1e-3f, 1e-4f, -3e-4f, 3.4e38f, -0.0f, 1.0f},
    };
    for (const double rate : {22050.0, 44100.0, 48000.0, 96000.0, 176400.0})
        for (const auto& value : values) {
            auto chorus = MakeChorus(WetOnly(20.0f, 70.0f, 0.4f, 0.0f), rate);
            std::vector<float> in(4, 0.0f), out(4, 0.0f);
            const float* ramp[] = {value, value};
            CChorus::CBlock block;
            ASSERT_TRUE(chorus->Begin(in.data(), out.data(), ramp, 2, 1.0f, block));
            const float* set = chorus->GetRampSet(1);
            const float expected[] = {value[0],
                                      static_cast<float>(value[1] * 0.01),
                                      static_cast<float>(value[2] * 0.01),
                                      static_cast<float>(value[3] * rate * 0.001),
                                      static_cast<float>(value[4] * 0.01),
                                      value[5],
                                      static_cast<float>(value[6] * 1.0f * 0.01),
                                      value[7]};
            for (int i = 0; i < CChorus::kParameterCount; ++i)
                EXPECT_EQ(std::memcmp(&set[i], &expected[i], sizeof(float)), 0)
                    << "value " << i << " = " << value[i] << " at " << rate << " Hz";
        }
}

TEST(Chorus, APairBegunInOneCallIsLeftAsBeginThenBeginTwinLeaveIt)
{
    // The pair's begin converts each set once for both channels; both must end in the state, and
    // with the blocks, that the two channels' own begins give.
    const ChorusSettings start = {1.0f, 90.0f, 70.0f, 20.0f, 70.0f, 0.4f, 100.0f, 0.0f};
    const struct
    {
        const char* name;
        ChorusSettings steps, curve;
        int sets;
    } ramps[] = {
        {"Depth", {0, 0, 0, 0, 1e-3f, 0, 0, 0}, {}, 2},
        {"Delay, curved", {0, 0, 0, 1e-4f, 0, 0, 0, 0}, {0, 0, 0, 1e-6f, 0, 0, 0, 0}, 3},
        {"Gain", {1e-3f, 0, 0, 0, 0, 0, 0, 0}, {}, 2},
        {"Stereo", {0, 0, 0, 0, 0, 0, 1e-2f, 0}, {}, 2},
        {"one set", {}, {}, 1},
    };
    for (const auto& ramp : ramps) {
        auto a1 = MakeChorus(start), b1 = MakeChorus(start), a2 = MakeChorus(start), b2 = MakeChorus(start);
        std::vector<float> in(16, 0.0f), out(16, 0.0f);
        const float* sets[] = {start.data(), ramp.steps.data(), ramp.curve.data()};
        CChorus::CBlock x1, y1, x2, y2;
        ASSERT_TRUE(a1->Begin(in.data(), out.data(), sets, ramp.sets, -0.25f, x1));
        ASSERT_TRUE(b1->BeginTwin(*a1, x1, in.data(), out.data(), sets, ramp.sets, 0.25f, y1));
        ASSERT_TRUE(CChorus::BeginPair(*a2, in.data(), out.data(), -0.25f, *b2, in.data(), out.data(), 0.25f, sets,
                                       ramp.sets, x2, y2));
        for (const auto& [mine, theirs, block, expected] :
             {std::tuple{a2.get(), a1.get(), &x2, &x1}, std::tuple{b2.get(), b1.get(), &y2, &y1}}) {
            for (int s = 0; s < ramp.sets; ++s)
                EXPECT_EQ(std::memcmp(mine->GetRampSet(s), theirs->GetRampSet(s), CChorus::kParameterCount * sizeof(float)), 0)
                    << ramp.name << ", set " << s;
            EXPECT_EQ(mine->GetDryGain(), theirs->GetDryGain()) << ramp.name;
            EXPECT_EQ(mine->GetWetGain(), theirs->GetWetGain()) << ramp.name;
            EXPECT_EQ(mine->GetLfo().offset, theirs->GetLfo().offset) << ramp.name;
            EXPECT_EQ(mine->GetLfo().increment, theirs->GetLfo().increment) << ramp.name;
            EXPECT_EQ(block->sets, expected->sets) << ramp.name;
            EXPECT_EQ(block->sweepOnly, expected->sweepOnly) << ramp.name;
        }
    }
}
