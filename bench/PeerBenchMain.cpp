// chorus_peer_bench: our stereo chorus, loaded as a host loads it, against the chorus plug-ins
// Debian ships as LADSPA and against a plain delay line, all in one process and one run.
#include "BenchError.h"
#include "BenchOptions.h"
#include "BenchRunner.h"
#include "ClapSubject.h"
#include "FloorSubject.h"
#include "LadspaSubject.h"
#include "Lv2Subject.h"
#include "MachineInfo.h"
#include "NoiseSignal.h"
#include "PeerCatalogue.h"
#include "PeerReport.h"
#include "StereoChorusLv2.h"
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

int run(const BenchOptions& options)
{
    const int frames = static_cast<int>(std::lround(options.seconds * kBenchSampleRate));

    std::cout << "Stereo chorus peer bench\n"
              << "Machine:  " << cpuModel() << ", " << onlineCpuCount() << " logical CPUs\n"
              << "Date:     " << utcDateTime() << "\n"
              << "Signal:   " << options.seconds << " s of stereo white noise, " << kBenchSampleRate << " Hz, "
              << kBenchBlockFrames << "-frame non-interleaved blocks\n"
              << "Timing:   thread CPU time of each subject's whole pass; " << options.repetitions
              << " repetitions, order rotated in each"
              << (options.repetitions < 11 ? " (fewer than 11: a quick look, not a result)" : "") << "\n"
              << "Ours:     " << pluginForKernels(options) << "\n"
              << "Kernels:  "
              << (options.kernels.empty() ? std::string("picked by the plug-in for this CPU")
                                          : options.kernels + " forced")
              << "\n";

    const VstLibrary ours(pluginForKernels(options));
    VstSubject oursAtDefaults(ours, "Ours, defaults");
    oursAtDefaults.start();

    VstSubject oursCrazyVoice(ours, "Ours, \"Crazy Voice\"");
    oursCrazyVoice.selectProgram("Crazy Voice");
    oursCrazyVoice.start();

    // The Delay range is 0 .. 30 ms: two values 0.03 ms apart make the adapter ramp every block.
    VstSubject oursWithRamp(ours, "Ours, ramp every block");
    const int delay = oursWithRamp.parameterIndex("Delay");
    const float delayFrom = oursWithRamp.parameter(delay);
    const float delayTo = delayFrom + kRampStep;
    oursWithRamp.alternateParameterEveryBlock(delay, delayFrom, delayTo);
    oursWithRamp.start("Delay set to " + millisecondsText(delayFrom, 30.0f) + " and " +
                       millisecondsText(delayTo, 30.0f) + " in turn before every block");

    VstSubject oursWithDepthRamp(ours, "Ours, Depth ramp every block");
    const int depth = oursWithDepthRamp.parameterIndex("Depth");
    const float depthFrom = oursWithDepthRamp.parameter(depth);
    oursWithDepthRamp.alternateParameterEveryBlock(depth, depthFrom, depthFrom + kRampStep);
    char depthNote[96];
    std::snprintf(depthNote, sizeof depthNote, "Depth set to %.1f %% and %.1f %% in turn before every block",
                  static_cast<double>(depthFrom * 100.0f), static_cast<double>((depthFrom + kRampStep) * 100.0f));
    oursWithDepthRamp.start(depthNote);

    // The same product through its other formats, loaded from the bundles this build made. Their
    // kernels are the ones the product picks for the CPU, so they are left out when the VST 2
    // subject runs the SSE2 build.
    std::vector<std::unique_ptr<BenchSubject>> formats;
    if (options.kernels == "sse2") {
        std::cout << "Formats:  VST 3, LV2 and CLAP left out: their bundles pick their kernels for the CPU\n";
    } else {
        formats.push_back(std::make_unique<Vst3Subject>(VST3_PLUGIN_PATH, "Ours as VST 3, defaults"));
        std::cout << "VST 3:    " << VST3_PLUGIN_PATH << "\n";
        auto lv2 = std::make_unique<Lv2Subject>(LV2_BUNDLE_PATH, kStereoChorusLv2Uri, "Ours as LV2, defaults");
        std::cout << "LV2:      " << lv2->binaryPath() << " <" << kStereoChorusLv2Uri << ">\n";
        formats.push_back(std::move(lv2));
        formats.push_back(std::make_unique<ClapSubject>(CLAP_PLUGIN_PATH, "Ours as CLAP, defaults"));
        std::cout << "CLAP:     " << CLAP_PLUGIN_PATH << "\n";
    }

    std::vector<std::unique_ptr<LadspaSubject>> peers;
    for (const LadspaPeer& peer : chorusPeers()) {
        peers.push_back(std::make_unique<LadspaSubject>(peer));
        std::cout << "Peer:     " << peer.name << ": " << peers.back()->libraryPath() << "\n";
    }

    FloorSubject floor(static_cast<int>(std::lround(0.020 * kBenchSampleRate)), 1.0f, 0.5f);

    std::vector<BenchSubject*> subjects = {&oursAtDefaults, &oursCrazyVoice, &oursWithRamp, &oursWithDepthRamp};
    // Ours at defaults, with the Delay ramp, with the Depth ramp; TAP (the first peer after the formats).
    ReportReferences references{0, 2, 3, 4 + formats.size(), {}};
    for (const auto& format : formats) {
        references.formats.push_back(subjects.size());
        subjects.push_back(format.get());
    }
    for (const auto& peer : peers)
        subjects.push_back(peer.get());
    subjects.push_back(&floor);

    const StereoSignal signal = makeStereoNoise(frames);
    warmUp(subjects, signal);
    std::vector<BenchSubject*> formatSubjects;
    for (const auto& format : formats)
        formatSubjects.push_back(format.get());
    checkSameSamples(oursAtDefaults, formatSubjects, signal);
    // Progress only for a person watching a terminal, not in logs.
    const bool watched = isatty(STDERR_FILENO) != 0;
    const PassTimes times = runInterleaved(subjects, signal, options.repetitions, [watched](int repetition, int count) {
        if (watched)
            std::cerr << "\rrepetition " << repetition << " of " << count << std::flush;
    });
    if (watched)
        std::cerr << "\r                          \r" << std::flush;

    std::cout << "\n";
    printPeerReport(std::cout, subjects, times, frames, references, options.kernels == "sse2" ? kGoalsOnSse2 : kGoals);
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
