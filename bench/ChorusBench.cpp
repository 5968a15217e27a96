// Cost of the stereo chorus per frame and channel, at the defaults and with a ramp in every
// block (of every continuous parameter, or of the Delay alone). The "time/frame/channel" counter is in seconds (n = ns).
#include "ChorusKernels.h"
#include "StereoChorus.h"
#include "StereoNoiseBlocks.h"
#include <benchmark/benchmark.h>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {


using bench::CPairList;
using bench::CPlainBuffer;
using bench::Noise;

// Per-frame steps: every continuous parameter moving, as a host automating them all would, or
// only the Delay, as when one knob is turned.
const float kAllSteps[] = {1e-4f, -1e-3f, 1e-3f, 1e-4f, -1e-3f, 1e-5f, -1e-3f, 0.0f};
const float kDelaySteps[] = {0.0f, 0.0f, 0.0f, 1e-4f, 0.0f, 0.0f, 0.0f, 0.0f};

void Run(benchmark::State& state, const float* steps)
{
    const int frames = static_cast<int>(state.range(0));
    CStereoChorus chorus;
    chorus.Initialize(44100.0, nullptr);

    std::vector<float> inL = Noise(frames, 1), inR = Noise(frames, 2), outL(inL.size()), outR(inR.size());
    CPlainBuffer bInL(inL.data(), frames), bInR(inR.data(), frames), bOutL(outL.data(), frames), bOutR(outR.data(), frames);
    const CPairList inputs(&bInL, &bInR), outputs(&bOutL, &bOutR);

    const float defaults[] = {0.0f, 100.0f, 70.0f, 20.0f, 70.0f, 0.4f, 100.0f, 0.0f};
    CValueArrayList ramp(2, 8);
    const CValueArray start(defaults, 8), step(steps ? steps : kAllSteps, 8);
    ramp.Assign(0, &start);
    ramp.Assign(1, &step);

    for (auto _ : state) {
        chorus.ProcessReplacing(&inputs, &outputs, frames, steps ? &ramp : nullptr);
        benchmark::DoNotOptimize(outL.data());
        benchmark::DoNotOptimize(outR.data());
        benchmark::ClobberMemory();
    }
    state.counters["time/frame/channel"] = benchmark::Counter(
        static_cast<double>(frames) * bench::kStereoChannels, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void StereoChorusAtDefaults(benchmark::State& state) { Run(state, nullptr); }
void StereoChorusWithARampInEveryBlock(benchmark::State& state) { Run(state, kAllSteps); }
void StereoChorusWithADelayRampInEveryBlock(benchmark::State& state) { Run(state, kDelaySteps); }

} // namespace

// The block sizes of the peer bench's sweep: low-latency hosts use 16 to 128 frames, where what
// each block costs before its frames shows.
void BlockSizes(benchmark::internal::Benchmark* bench)
{
    for (int frames : {16, 32, 64, 128, 256, 512, 1024, 4096})
        bench->Arg(frames);
}

BENCHMARK(StereoChorusAtDefaults)->Apply(BlockSizes);
BENCHMARK(StereoChorusWithARampInEveryBlock)->Apply(BlockSizes);
BENCHMARK(StereoChorusWithADelayRampInEveryBlock)->Apply(BlockSizes);
// --kernels=sse2 or --kernels=avx2 runs those kernels instead of the ones picked for this CPU.
int main(int argc, char** argv)
{
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--kernels=", 0) != 0) {
            argv[kept++] = argv[i];
            continue;
        }
        const std::string name = argument.substr(10);
        const EChorusKernels kernels = name == "sse2" ? EChorusKernels::kSse2
                                     : name == "avx2" ? EChorusKernels::kAvx2
                                     : EChorusKernels::kAuto;
        if (name != "sse2" && name != "avx2" && name != "auto") {
            std::fprintf(stderr, "chorus_bench: --kernels takes sse2, avx2 or auto, not \"%s\"\n", name.c_str());
            return 2;
        }
        if (!SelectChorusKernels(kernels)) {
            std::fprintf(stderr, "chorus_bench: this CPU cannot run the %s kernels\n", name.c_str());
            return 2;
        }
    }
    argc = kept;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 2;
    std::printf("Kernels: %s\n", ChorusKernelsName());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
