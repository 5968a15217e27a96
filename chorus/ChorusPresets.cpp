#include "ChorusPresets.h"
#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

namespace {

struct Entry
{
    int kind;
    const char* name;
    std::vector<float> values; // Gain, Dry, Wet, Delay, Depth, LFO Frequency, Phase or Stereo, LFO Type
};

// Entries 1-9 are shared; the mono list has Phase 0 where the stereo list has its Stereo value.
const Entry kStereoEntries[] = {
    {CPreset::kHeading, "Factory Presets", {}},
    {CPreset::kValues, "Clean Chorus", {0, 100, 100, 20, 30, 0.4f, 100, 0}},
    {CPreset::kValues, "Drive Chorus", {0, 100, 100, 10, 10, 1.2f, 50, 0}},
    {CPreset::kValues, "Crazy Voice", {0, 100, 100, 20, 100, 2.8f, 10, 0}},
    {CPreset::kValues, "Normalized", {-6, 100, 100, 15, 50, 0.6f, 100, 0}},
    {CPreset::kValues, "De-pitch", {0, 0, 100, 100, 71, 2, 30, 0}},
    {CPreset::kValues, "Short Delay", {-3, 100, 100, 30, 30, 0, 100, 0}},
    {CPreset::kValues, "Oscillator", {-3, 100, 100, 20, 75, 3, 60, 1}},
    {CPreset::kValues, "Vibrato", {0, 0, 100, 6, 42, 4.5f, 80, 0}},
    {CPreset::kValues, "Gargle", {0, 100, 100, 14, 75, 10, 70, 0}},
    {CPreset::kValues, "Mono Chorus", {0, 100, 80, 20, 30, 0.4f, 0, 0}},
    {CPreset::kHeading, "Extra", {}},
    {CPreset::kRandom, "Random", {0, 1, 1, 1, 1, 1, 1, 1}},
};

constexpr int kPhaseIndex = 6;
constexpr int kSharedPresets = 9; // "Clean Chorus" .. "Gargle"

CPreset MakePreset(const Entry& entry, const std::vector<float>& values)
{
    const CValueArray array(values.data(), static_cast<int>(values.size()));
    return CPreset(entry.kind, &array, entry.name, "");
}

CPresetList* BuildList(const std::vector<CPreset>& presets)
{
    return new CPresetList(presets.data(), static_cast<int>(presets.size()));
}

} // namespace

const CPresetList* StereoChorusPresets()
{
    static const std::unique_ptr<const CPresetList> list([] {
        std::vector<CPreset> presets;
        for (const Entry& entry : kStereoEntries)
            presets.push_back(MakePreset(entry, entry.values));
        return BuildList(presets);
    }());
    return list.get();
}

const CPresetList* MonoChorusPresets()
{
    static const std::unique_ptr<const CPresetList> list([] {
        std::vector<CPreset> presets;
        presets.push_back(MakePreset(kStereoEntries[0], {}));
        for (int i = 1; i <= kSharedPresets; ++i) {
            std::vector<float> values = kStereoEntries[i].values;
            values[kPhaseIndex] = 0.0f;
            presets.push_back(MakePreset(kStereoEntries[i], values));
        }
        presets.push_back(MakePreset(kStereoEntries[11], {}));
        presets.push_back(MakePreset(kStereoEntries[12], {0, 1, 1, 1, 1, 1, 0, 1})); // Gain and Phase stay
        return BuildList(presets);
    }());
    return list.get();
}

double LongestPresetSweepMs()
{
    static const double longest = [] {
        constexpr int kDelay = 3, kDepth = 4; // in both lists' parameter order
        // The interpolation may step one table step past a peak: at most 1/1024 of the range.
        constexpr double kPastPeak = 1.0 + 1.0 / 1024.0;
        double ms = 0.0;
        for (const CPresetList* presets : {MonoChorusPresets(), StereoChorusPresets()})
            for (int p = 0; p < presets->GetCount(); ++p) {
                const CPreset* preset = presets->GetItem(p);
                if (preset->GetKind() != CPreset::kValues)
                    continue;
                const CValueArray& values = preset->GetValues();
                const double depth = std::fabs(values.GetValue(kDepth)) * 0.01 * kPastPeak;
                ms = std::max(ms, std::fabs(values.GetValue(kDelay)) * (1.0 + depth));
            }
        return ms;
    }();
    return longest;
}
