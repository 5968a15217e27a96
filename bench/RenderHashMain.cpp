// chorus_render_hashes: a fingerprint of every sample our plug-in computes, per format, block size
// and automation, so that two builds can be shown to compute the same bits: run it over each and
// compare the lines (diff). Every render starts from a fresh instance.
//
//   chorus_render_hashes [--vst2 PATH] [--vst3 PATH] [--clap PATH] [--lv2 BUNDLE] [--seconds S]
#include "BenchError.h"
#include "ClapSubject.h"
#include "Lv2Subject.h"
#include "NoiseSignal.h"
#include "StereoChorusLv2.h"
#include "Vst3Subject.h"
#include "VstSubject.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <string>

namespace {

// Host indexes of our parameters (for LV2 the control inputs, "enabled" first, in the same order).
enum { kBypass, kGain, kDry, kWet, kDelay, kDepth, kRate, kStereo, kLfoType };

// What a host does before block k of a render.
using Automation = std::function<void(BenchSubject&, int block)>;

struct Scenario
{
    const char* name;
    Automation automate;
};

const Scenario kScenarios[] = {
    {"defaults", [](BenchSubject&, int) {}},
    {"delay-ramp", [](BenchSubject& s, int k) { s.automate(kDelay, k % 2 ? 0.66767 : 0.66667); }},
    {"depth-ramp", [](BenchSubject& s, int k) { s.automate(kDepth, k % 2 ? 0.701 : 0.700); }},
    // Several knobs at their own paces, the waveform switched, and a block bypassed now and then.
    {"automation",
     [](BenchSubject& s, int k) {
         if (k % 3 == 0)
             s.automate(kGain, 0.5 + 0.2 * std::sin(k * 0.1));
         if (k % 5 == 1)
             s.automate(kWet, 0.3 + 0.5 * ((k / 5) % 7) / 7.0);
         if (k % 7 == 2)
             s.automate(kRate, 0.02 + 0.1 * ((k / 7) % 5) / 5.0);
         if (k % 11 == 3)
             s.automate(kStereo, ((k / 11) % 4) / 3.0);
         if (k % 13 == 4)
             s.automate(kLfoType, (k / 13) % 2 ? 0.5 : 0.0);
         if (k % 2 == 0)
             s.automate(kDepth, 0.5 + 0.3 * std::cos(k * 0.05));
         if (k % 17 == 5)
             s.automate(kDelay, 0.2 + 0.6 * ((k / 17) % 3) / 3.0);
         if (k % 41 == 40 || k % 41 == 0)
             s.automate(kBypass, k % 41 == 40 ? 1.0 : 0.0);
     }},
};

const int kBlockSizes[] = {1, 16, 32, 64, 100, 128, 256, 512, 1024, 4096};

struct Paths
{
    std::string vst2 = DEFAULT_PLUGIN_PATH;
    std::string vst3 = VST3_PLUGIN_PATH;
    std::string clap = CLAP_PLUGIN_PATH;
    std::string lv2 = LV2_BUNDLE_PATH;
    double seconds = 3.0;
};

// FNV-1a over the bytes of every output sample, block by block, left then right.
uint64_t renderHash(BenchSubject& subject, const Scenario& scenario, const StereoSignal& signal, int block)
{
    static float left[kBenchMaxBlockFrames], right[kBenchMaxBlockFrames];
    float* const outputs[kBenchChannels] = {left, right};
    uint64_t hash = 1469598103934665603ull;
    const auto add = [&hash](const float* samples, int count) {
        const auto* bytes = reinterpret_cast<const unsigned char*>(samples);
        for (size_t i = 0; i < static_cast<size_t>(count) * sizeof(float); ++i)
            hash = (hash ^ bytes[i]) * 1099511628211ull;
    };
    for (int start = 0, k = 0; start < signal.frames(); start += block, ++k) {
        const int frames = std::min(block, signal.frames() - start);
        scenario.automate(subject, k);
        const float* const inputs[kBenchChannels] = {signal.left.data() + start, signal.right.data() + start};
        subject.process(inputs, outputs, frames);
        add(left, frames);
        add(right, frames);
    }
    return hash;
}

std::unique_ptr<BenchSubject> makeSubject(const std::string& format, const Paths& paths,
                                          std::unique_ptr<VstLibrary>& vst2)
{
    if (format == "VST2") {
        auto subject = std::make_unique<VstSubject>(*vst2, "VST 2");
        subject->start();
        return subject;
    }
    if (format == "VST3")
        return std::make_unique<Vst3Subject>(paths.vst3, "VST 3");
    if (format == "CLAP")
        return std::make_unique<ClapSubject>(paths.clap, "CLAP");
    return std::make_unique<Lv2Subject>(paths.lv2, kStereoChorusLv2Uri, "LV2");
}

Paths parse(int argc, char* argv[])
{
    Paths paths;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (i + 1 >= argc)
            throw BenchError(option + ": needs a value (--vst2, --vst3, --clap, --lv2 or --seconds)");
        const std::string value = argv[++i];
        if (option == "--vst2")
            paths.vst2 = value;
        else if (option == "--vst3")
            paths.vst3 = value;
        else if (option == "--clap")
            paths.clap = value;
        else if (option == "--lv2")
            paths.lv2 = value;
        else if (option == "--seconds" && std::atof(value.c_str()) > 0.0)
            paths.seconds = std::atof(value.c_str());
        else
            throw BenchError("unknown option or bad value: " + option + " " + value);
    }
    return paths;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        const Paths paths = parse(argc, argv);
        auto vst2 = std::make_unique<VstLibrary>(paths.vst2);
        const StereoSignal signal = makeStereoNoise(static_cast<int>(std::lround(paths.seconds * kBenchSampleRate)));
        for (const char* format : {"VST2", "VST3", "CLAP", "LV2"})
            for (const Scenario& scenario : kScenarios)
                for (int block : kBlockSizes) {
                    const auto subject = makeSubject(format, paths, vst2);
                    std::printf("%-4s %-10s %5d %016llx\n", format, scenario.name, block,
                                static_cast<unsigned long long>(renderHash(*subject, scenario, signal, block)));
                }
        return 0;
    } catch (const BenchError& error) {
        std::cerr << "chorus_render_hashes: " << error.what() << "\n";
        return 1;
    }
}
