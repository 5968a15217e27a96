// chorus_peer_bench: our stereo chorus, loaded as a host loads it, against the chorus plug-ins
// Debian ships (LADSPA and LV2) and against a plain delay line, all in one process and one run,
// at every block size from 16 to 4096 frames (or at one, --block), and 64 instances at once.
#include "BenchError.h"
#include "BenchStatistics.h"
#include "BenchOptions.h"
#include "BenchRunner.h"
#include "ClapSubject.h"
#include "CrowdSubject.h"
#include "FloorSubject.h"
#include "LadspaSubject.h"
#include "Lv2Subject.h"
#include "MachineInfo.h"
#include "NoiseSignal.h"
#include "PeerCatalogue.h"
#include "PeerReport.h"
#include "StereoChorusLv2.h"
#include "SweepReport.h"
#include "Vst3Subject.h"
#include "VstSubject.h"

#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

constexpr float kRampStep = 0.001f; // of the Delay range: 0.03 ms; of the Depth range: 0.1 %

// The plug-in picks its kernels for the CPU; the SSE2 ones are measured in a build of it that has
// them fixed, and the AVX2 ones are what it picks where the CPU has AVX2.
std::string pluginForKernels(const BenchOptions& options)
{
    if (options.kernels == "sse2")
        return SSE2_PLUGIN_PATH;
    if (options.kernels == "avx2" && !__builtin_cpu_supports("avx2"))
        throw BenchError("--kernels avx2: this CPU has no AVX2, so the plug-in runs its SSE2 kernels");
    return options.pluginPath;
}

std::string millisecondsText(float normalised, float rangeMs)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f ms", static_cast<double>(normalised * rangeMs));
    return text;
}

// Every subject of the bench, built once; the sweep runs them at each block size in turn.
struct Lineup
{
    std::unique_ptr<VstLibrary> ours;
    std::vector<std::unique_ptr<BenchSubject>> owned;
    std::vector<BenchSubject*> subjects;
    std::vector<BenchSubject*> formats;
    ReportReferences references{};
};

VstSubject& addOurs(Lineup& lineup, const std::string& name)
{
    auto subject = std::make_unique<VstSubject>(*lineup.ours, name);
    VstSubject& ours = *subject;
    lineup.subjects.push_back(subject.get());
    lineup.owned.push_back(std::move(subject));
    return ours;
}

void addOursAsVst2(Lineup& lineup)
{
    addOurs(lineup, "Ours, defaults").start();

    VstSubject& crazyVoice = addOurs(lineup, "Ours, \"Crazy Voice\"");
    crazyVoice.selectProgram("Crazy Voice");
    crazyVoice.start();

    // The Delay range is 0 .. 30 ms: two values 0.03 ms apart make the adapter ramp every block.
    VstSubject& withRamp = addOurs(lineup, "Ours, ramp every block");
    const int delay = withRamp.parameterIndex("Delay");
    const float delayFrom = withRamp.parameter(delay);
    const float delayTo = delayFrom + kRampStep;
    withRamp.alternateParameterEveryBlock(delay, delayFrom, delayTo);
    withRamp.start("Delay set to " + millisecondsText(delayFrom, 30.0f) + " and " + millisecondsText(delayTo, 30.0f) +
                   " in turn before every block");

    VstSubject& withDepthRamp = addOurs(lineup, "Ours, Depth ramp every block");
    const int depth = withDepthRamp.parameterIndex("Depth");
    const float depthFrom = withDepthRamp.parameter(depth);
    withDepthRamp.alternateParameterEveryBlock(depth, depthFrom, depthFrom + kRampStep);
    char depthNote[96];
    std::snprintf(depthNote, sizeof depthNote, "Depth set to %.1f %% and %.1f %% in turn before every block",
                  static_cast<double>(depthFrom * 100.0f), static_cast<double>((depthFrom + kRampStep) * 100.0f));
    withDepthRamp.start(depthNote);
}

// The same product through its other formats, loaded from the bundles this build made. Their
// kernels are the ones the product picks for the CPU, so they are left out when the VST 2
// subject runs the SSE2 build.
void addOurFormats(Lineup& lineup, const BenchOptions& options)
{
    if (options.kernels == "sse2") {
        std::cout << "Formats:  VST 3, LV2 and CLAP left out: their bundles pick their kernels for the CPU\n";
        return;
    }
    lineup.owned.push_back(std::make_unique<Vst3Subject>(VST3_PLUGIN_PATH, "Ours as VST 3, defaults"));
    std::cout << "VST 3:    " << VST3_PLUGIN_PATH << "\n";
    auto lv2 = std::make_unique<Lv2Subject>(LV2_BUNDLE_PATH, kStereoChorusLv2Uri, "Ours as LV2, defaults");
    std::cout << "LV2:      " << lv2->binaryPath() << " <" << kStereoChorusLv2Uri << ">\n";
    lineup.owned.push_back(std::move(lv2));
    lineup.owned.push_back(std::make_unique<ClapSubject>(CLAP_PLUGIN_PATH, "Ours as CLAP, defaults"));
    std::cout << "CLAP:     " << CLAP_PLUGIN_PATH << "\n";
    for (size_t f = lineup.owned.size() - 3; f < lineup.owned.size(); ++f) {
        lineup.references.formats.push_back(lineup.subjects.size());
        lineup.subjects.push_back(lineup.owned[f].get());
        lineup.formats.push_back(lineup.owned[f].get());
    }
}

void addPeers(Lineup& lineup)
{
    lineup.references.tap = lineup.subjects.size(); // the first peer
    for (const LadspaPeer& peer : chorusPeers()) {
        auto subject = std::make_unique<LadspaSubject>(peer);
        std::cout << "Peer:     " << peer.name << ": " << subject->libraryPath() << "\n";
        lineup.subjects.push_back(subject.get());
        lineup.owned.push_back(std::move(subject));
    }
    for (const Lv2Peer& peer : lv2ChorusPeers()) {
        const std::string bundle = findLv2Bundle(peer);
        auto subject = std::make_unique<Lv2Subject>(bundle, peer.uri, peer.name, peer.controls);
        std::cout << "Peer:     " << peer.name << ": " << subject->binaryPath() << " <" << peer.uri << ">\n";
        lineup.subjects.push_back(subject.get());
        lineup.owned.push_back(std::move(subject));
    }
    lineup.owned.push_back(std::make_unique<FloorSubject>(static_cast<int>(std::lround(0.020 * kBenchSampleRate)), 1.0f, 0.5f));
    lineup.subjects.push_back(lineup.owned.back().get());
}

Lineup makeLineup(const BenchOptions& options)
{
    Lineup lineup;
    lineup.ours = std::make_unique<VstLibrary>(pluginForKernels(options));
    addOursAsVst2(lineup);
    // Ours at defaults, with the Delay ramp, with the Depth ramp.
    lineup.references.oursDefaults = 0;
    lineup.references.oursRamp = 2;
    lineup.references.oursDepthRamp = 3;
    addOurFormats(lineup, options);
    addPeers(lineup);
    return lineup;
}

// Progress only for a person watching a terminal, not in logs.
RepetitionReport progress(const std::string& what)
{
    if (!isatty(STDERR_FILENO))
        return {};
    return [what](int repetition, int count) {
        std::cerr << "\r" << what << "repetition " << repetition << " of " << count << "   " << std::flush;
    };
}

void clearProgress()
{
    if (isatty(STDERR_FILENO))
        std::cerr << "\r" << std::string(48, ' ') << "\r" << std::flush;
}

// Warm-up, the formats' samples against the VST 2 subject's, then the timed passes.
PassTimes runAt(const Lineup& lineup, const StereoSignal& signal, int block, int repetitions)
{
    warmUp(lineup.subjects, signal, block);
    checkSameSamples(*lineup.subjects[lineup.references.oursDefaults], lineup.formats, signal, block);
    const PassTimes times = runInterleaved(lineup.subjects, signal, block, repetitions,
                                           progress(std::to_string(block) + "-frame blocks: "));
    clearProgress();
    return times;
}

// 64 instances of ours at the defaults and 64 of TAP, 64-frame blocks, on an eighth of the signal.
void runCrowds(const BenchOptions& options, const Lineup& lineup, const std::vector<BlockRun>& runs, int frames)
{
    constexpr int kInstances = 64;
    constexpr int kBlock = 64;
    std::vector<std::unique_ptr<BenchSubject>> ours, taps;
    for (int i = 0; i < kInstances; ++i) {
        auto subject = std::make_unique<VstSubject>(*lineup.ours, "Ours, defaults");
        subject->start();
        ours.push_back(std::move(subject));
        taps.push_back(std::make_unique<LadspaSubject>(chorusPeers().front()));
    }
    CrowdSubject oursCrowd("64 x ours, defaults", std::move(ours));
    CrowdSubject tapCrowd("64 x " + chorusPeers().front().name, std::move(taps));
    const std::vector<BenchSubject*> crowds = {&oursCrowd, &tapCrowd};
    const StereoSignal signal = makeStereoNoise(frames / 8);
    warmUp(crowds, signal, kBlock);
    const PassTimes times =
        runInterleaved(crowds, signal, kBlock, options.repetitions, progress("64 instances: "));
    clearProgress();
    double singleRatio = 0.0;
    for (const BlockRun& run : runs)
        if (run.block == kBlock)
            singleRatio = medianPairedRatio(run.times[lineup.references.oursDefaults], run.times[lineup.references.tap]);
    std::cout << "\n(" << options.seconds / 8 << " s of the noise per pass, for each instance)";
    printCrowdReport(std::cout, crowds, times, signal.frames(), kInstances, kBlock, singleRatio);
}

int run(const BenchOptions& options)
{
    const int frames = static_cast<int>(std::lround(options.seconds * kBenchSampleRate));
    const std::string blocks = options.block ? std::to_string(options.block) + "-frame" : "16- to 4096-frame";
    std::cout << "Stereo chorus peer bench\n"
              << "Machine:  " << cpuModel() << ", " << onlineCpuCount() << " logical CPUs\n"
              << "Date:     " << utcDateTime() << "\n"
              << "Signal:   " << options.seconds << " s of stereo white noise, " << kBenchSampleRate << " Hz, "
              << blocks << " non-interleaved blocks\n"
              << "Timing:   thread CPU time of each subject's whole pass; " << options.repetitions
              << " repetitions, order rotated in each"
              << (options.repetitions < 11 ? " (fewer than 11: a quick look, not a result)" : "") << "\n"
              << "Ours:     " << pluginForKernels(options) << "\n"
              << "Kernels:  "
              << (options.kernels.empty() ? std::string("picked by the plug-in for this CPU")
                                          : options.kernels + " forced")
              << "\n";

    const Lineup lineup = makeLineup(options);
    const StereoSignal signal = makeStereoNoise(frames);
    const Goals& goals = options.kernels == "sse2" ? kGoalsOnSse2 : kGoals;
    if (options.block) {
        const PassTimes times = runAt(lineup, signal, options.block, options.repetitions);
        std::cout << "\n";
        printPeerReport(std::cout, lineup.subjects, times, frames, lineup.references, goals);
        return 0;
    }
    std::vector<BlockRun> runs;
    for (int block : sweepBlockSizes())
        runs.push_back({block, runAt(lineup, signal, block, options.repetitions)});
    std::cout << "\n";
    printSweepReport(std::cout, lineup.subjects, runs, frames, lineup.references, goals);
    runCrowds(options, lineup, runs, frames);
    printSettings(std::cout, lineup.subjects);
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        const BenchOptions options = parseBenchOptions(argc, argv, DEFAULT_PLUGIN_PATH);
        if (options.help) {
            std::cout << benchUsage();
            return 0;
        }
        return run(options);
    } catch (const BenchError& error) {
        std::cerr << "chorus_peer_bench: " << error.what() << "\n";
        return 1;
    }
}
