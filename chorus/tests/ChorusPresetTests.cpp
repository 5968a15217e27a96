#include "Chorus.h"
#include "FastDecibel.h"
#include "ChorusTestSupport.h"
#include "StereoChorus.h"
#include <gtest/gtest.h>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

struct ExpectedPreset
{
    int kind;
    const char* name;
    std::vector<float> values;
};

const std::vector<ExpectedPreset> kStereoList = {
    {2, "Factory Presets", {}},
    {0, "Clean Chorus", {0, 100, 100, 20, 30, 0.4f, 100, 0}},
    {0, "Drive Chorus", {0, 100, 100, 10, 10, 1.2f, 50, 0}},
    {0, "Crazy Voice", {0, 100, 100, 20, 100, 2.8f, 10, 0}},
    {0, "Normalized", {-6, 100, 100, 15, 50, 0.6f, 100, 0}},
    {0, "De-pitch", {0, 0, 100, 100, 71, 2, 30, 0}},
    {0, "Short Delay", {-3, 100, 100, 30, 30, 0, 100, 0}},
    {0, "Oscillator", {-3, 100, 100, 20, 75, 3, 60, 1}},
    {0, "Vibrato", {0, 0, 100, 6, 42, 4.5f, 80, 0}},
    {0, "Gargle", {0, 100, 100, 14, 75, 10, 70, 0}},
    {0, "Mono Chorus", {0, 100, 80, 20, 30, 0.4f, 0, 0}},
    {2, "Extra", {}},
    {1, "Random", {0, 1, 1, 1, 1, 1, 1, 1}},
};

const std::vector<ExpectedPreset> kMonoList = {
    {2, "Factory Presets", {}},
    {0, "Clean Chorus", {0, 100, 100, 20, 30, 0.4f, 0, 0}},
    {0, "Drive Chorus", {0, 100, 100, 10, 10, 1.2f, 0, 0}},
    {0, "Crazy Voice", {0, 100, 100, 20, 100, 2.8f, 0, 0}},
    {0, "Normalized", {-6, 100, 100, 15, 50, 0.6f, 0, 0}},
    {0, "De-pitch", {0, 0, 100, 100, 71, 2, 0, 0}},
    {0, "Short Delay", {-3, 100, 100, 30, 30, 0, 0, 0}},
    {0, "Oscillator", {-3, 100, 100, 20, 75, 3, 0, 1}},
    {0, "Vibrato", {0, 0, 100, 6, 42, 4.5f, 0, 0}},
    {0, "Gargle", {0, 100, 100, 14, 75, 10, 0, 0}},
    {2, "Extra", {}},
    {1, "Random", {0, 1, 1, 1, 1, 1, 0, 1}},
};

void ExpectList(const CPresetList* list, const std::vector<ExpectedPreset>& expected, int presetCount)
{
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->GetCount(), static_cast<int>(expected.size()));
    EXPECT_EQ(list->GetPresetCount(), presetCount);
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        const CPreset* preset = list->GetItem(static_cast<int>(i));
        ASSERT_NE(preset, nullptr);
        EXPECT_EQ(preset->GetKind(), expected[i].kind);
        EXPECT_STREQ(preset->GetName(), expected[i].name);
        ASSERT_NE(preset->GetComment(), nullptr);
        EXPECT_STREQ(preset->GetComment(), "");
        const CValueArray& values = preset->GetValues();
        ASSERT_EQ(values.GetCount(), static_cast<int>(expected[i].values.size()));
        for (size_t v = 0; v < expected[i].values.size(); ++v)
            EXPECT_EQ(values.GetValue(static_cast<int>(v)), expected[i].values[v]) << "value " << v;
    }
    EXPECT_EQ(list->GetItem(list->GetCount()), nullptr);
}

} // namespace

TEST(ChorusPresets, StereoListHas13EntriesOfWhich10ArePresetsWithTheFactoryValues)
{
    ExpectList(CStereoChorus().GetPresets(), kStereoList, 10);
}

TEST(ChorusPresets, MonoListHas12EntriesOfWhich9ArePresetsWithPhaseZero)
{
    ExpectList(CChorus().GetPresets(), kMonoList, 9);
}

TEST(ChorusPresets, ListsAreBuiltOnceAndSharedByEveryInstance)
{
    EXPECT_EQ(CStereoChorus().GetPresets(), CStereoChorus().GetPresets());
    EXPECT_EQ(CChorus().GetPresets(), CChorus().GetPresets());
    EXPECT_NE(CChorus().GetPresets(), CStereoChorus().GetPresets());
}

TEST(ChorusPresets, RandomDrawsEverythingButGainInStereoAndAlsoKeepsPhaseInMono)
{
    const CPreset* stereo = CStereoChorus().GetPresets()->GetItem(12);
    ASSERT_STREQ(stereo->GetName(), "Random");
    EXPECT_EQ(stereo->GetValues().GetValue(0), 0.0f);
    for (int i = 1; i < 8; ++i)
        EXPECT_NE(stereo->GetValues().GetValue(i), 0.0f) << i;

    const CPreset* mono = CChorus().GetPresets()->GetItem(11);
    ASSERT_STREQ(mono->GetName(), "Random");
    EXPECT_EQ(mono->GetValues().GetValue(0), 0.0f);
    EXPECT_EQ(mono->GetValues().GetValue(6), 0.0f);
}

TEST(ChorusPresets, OscillatorIsTheOnlyTrianglePreset)
{
    const CPresetList* list = CStereoChorus().GetPresets();
    for (int i = 0; i < list->GetCount(); ++i) {
        const CPreset* preset = list->GetItem(i);
        if (preset->GetKind() == 0) {
            EXPECT_EQ(preset->GetValues().GetValue(7) == 1.0f, std::string(preset->GetName()) == "Oscillator")
                << preset->GetName();
        }
    }
}

TEST(ChorusPresets, ShortDelayStandsStillAtTheEndsOf21To39Ms)
{
    // LFO Frequency 0 with Stereo 100 %: the channels stand at (1 - Depth) x Delay and
    // (1 + Depth) x Delay. Fed x[n] = n with Dry and Wet at 100 %, the output is
    // level x (n + (n - delay)), which gives the delay away.
    const CValueArray& values = CStereoChorus().GetPresets()->GetItem(6)->GetValues();
    auto chorus = std::make_unique<CStereoChorus>();
    chorus->Initialize(44100.0, nullptr);
    chorus->SetParameters(&values);
    const StereoSignal output = RunStereo(*chorus, LinearRamp(20000), LinearRamp(20000));
    const double levelAtMinus3 = FastDecibelToLevel(-3.0);
    for (int n : {2000, 10000, 19999}) {
        const double left = 2.0 * n - output.first[static_cast<size_t>(n)] / levelAtMinus3;
        const double right = 2.0 * n - output.second[static_cast<size_t>(n)] / levelAtMinus3;
        EXPECT_NEAR(left / 44.1, 21.0, 0.01) << n;
        EXPECT_NEAR(right / 44.1, 39.0, 0.01) << n;
    }
}

TEST(ChorusPresets, DePitchAppliedUnclampedRunsAWetOnly100MsDelayWithoutLeavingTheLine)
{
    const CValueArray& values = CStereoChorus().GetPresets()->GetItem(5)->GetValues();
    auto chorus = std::make_unique<CStereoChorus>();
    chorus->Initialize(44100.0, nullptr);
    chorus->SetParameters(&values);
    EXPECT_EQ(chorus->Left().GetBaseDelay(), 4410.0f);
    EXPECT_EQ(chorus->Left().GetDryGain(), 0.0f);
    const std::vector<float> input = CNoise(1).Block(50000);
    const StereoSignal output = RunStereo(*chorus, input, input);
    for (size_t n = 0; n < input.size(); ++n)
        ASSERT_TRUE(std::isfinite(output.first[n]) && std::isfinite(output.second[n])) << n;
}

// A 440 Hz sine of amplitude 0.5 steps by at most 0.031 between samples. Clean Chorus adds a wet
// copy of it to the dry one (0.061 at most); De-pitch plays only the wet copy, swept through the
// line at up to 1.9 times its speed (0.058 at most). A read that wraps round the line jumps.
TEST(ChorusPresets, ASineThroughCleanChorusOrDePitchNeverJumps)
{
    struct Case
    {
        const char* name;
        double largestStep;
    };
    for (const Case& c : {Case{"Clean Chorus", 0.065}, Case{"De-pitch", 0.065}}) {
        const CPresetList* presets = CStereoChorus().GetPresets();
        const CPreset* preset = nullptr;
        for (int p = 0; p < presets->GetCount() && !preset; ++p)
            if (std::string(presets->GetItem(p)->GetName()) == c.name)
                preset = presets->GetItem(p);
        ASSERT_NE(preset, nullptr) << c.name;
        CStereoChorus chorus;
        chorus.Initialize(44100.0, nullptr);
        chorus.SetParameters(&preset->GetValues());

        double step = 0.0;
        float last[2] = {0.0f, 0.0f};
        for (int block = 0; block < 2 * 44100 / 512; ++block) {
            std::vector<float> sine(512);
            for (int f = 0; f < 512; ++f)
                sine[static_cast<size_t>(f)] =
                    static_cast<float>(0.5 * std::sin(6.283185307179586 * 440.0 * (block * 512 + f) / 44100.0));
            const StereoSignal output = RunStereo(chorus, sine, sine);
            for (int f = 0; f < 512; ++f) {
                const float y[2] = {output.first[static_cast<size_t>(f)], output.second[static_cast<size_t>(f)]};
                for (int ch = 0; ch < 2; ++ch) {
                    step = std::max(step, std::fabs(static_cast<double>(y[ch]) - last[ch]));
                    last[ch] = y[ch];
                }
            }
        }
        EXPECT_LT(step, c.largestStep) << c.name;
        std::printf("[ MEASURED ] %s: largest step %.4f\n", c.name, step);
    }
}
