// plain_chorus_bench: the stereo chorus engine alone, timed with nothing but the standard library,
// so it builds wherever the chorus builds: natively, and for the 32-bit Windows DLL's target
// (i686, SSE2; bench/build-i686.sh, run under Wine). Prints ns per frame and channel at the
// defaults and with a Delay or a Depth ramp in every block, on each kernel set the CPU has.
#include "ChorusKernels.h"
#include "StereoChorus.h"
#include "StereoNoiseBlocks.h"
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kBlock = 512;
constexpr double kRate = 44100.0;

using bench::CPairList;
using bench::CPlainBuffer;
using bench::Noise;

// One pass of `seconds` of noise through a fresh chorus in 512-frame blocks. With `moved` >= 0 that
// parameter goes from its default to default + step and back in turn, ramped across every block
// as the host adapter ramps it. Returns the wall time in seconds.
double Pass(const std::vector<float>& left, const std::vector<float>& right, int moved, float step)
{
    CStereoChorus chorus;
    chorus.Initialize(kRate, nullptr);
    std::vector<float> outL(left.size()), outR(right.size());
    CPlainBuffer inL(nullptr, kBlock), inR(nullptr, kBlock), bOutL(nullptr, kBlock), bOutR(nullptr, kBlock);
    const CPairList inputs(&inL, &inR), outputs(&bOutL, &bOutR);

    const float defaults[8] = {0.0f, 100.0f, 70.0f, 20.0f, 70.0f, 0.4f, 100.0f, 0.0f};
    float values[2][8];
    std::memcpy(values[0], defaults, sizeof defaults);
    std::memcpy(values[1], defaults, sizeof defaults);
    if (moved >= 0)
        values[1][moved] += step;
    float steps[2][8] = {};
    for (int turn = 0; turn < 2; ++turn)
        for (int p = 0; p < 8; ++p)
            steps[turn][p] = (values[1 - turn][p] - values[turn][p]) / kBlock;
    const CValueArray from[2] = {CValueArray(values[0], 8), CValueArray(values[1], 8)};
    const CValueArray perFrame[2] = {CValueArray(steps[0], 8), CValueArray(steps[1], 8)};
    CValueArrayList ramp(2, 8);

    const int frames = static_cast<int>(left.size());
    const auto start = std::chrono::steady_clock::now();
    int turn = 0;
    for (int done = 0; done + kBlock <= frames; done += kBlock) {
        inL.Point(const_cast<float*>(left.data()) + done);
        inR.Point(const_cast<float*>(right.data()) + done);
        bOutL.Point(outL.data() + done);
        bOutR.Point(outR.data() + done);
        if (moved < 0) {
            chorus.ProcessReplacing(&inputs, &outputs, kBlock, nullptr);
            continue;
        }
        ramp.Assign(0, &from[turn]);
        ramp.Assign(1, &perFrame[turn]);
        chorus.ProcessReplacing(&inputs, &outputs, kBlock, &ramp);
        chorus.SetParameters(&from[1 - turn]); // lands exactly on the target
        turn ^= 1;
    }
    const auto end = std::chrono::steady_clock::now();
    volatile float sink = outL[static_cast<size_t>(frames / 2)] + outR[static_cast<size_t>(frames / 3)];
    (void)sink;
    return std::chrono::duration<double>(end - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    int repetitions = 21;
    double seconds = 2.0;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--repetitions") == 0 && i + 1 < argc)
            repetitions = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc)
            seconds = std::atof(argv[++i]);
        else {
            std::fprintf(stderr, "usage: plain_chorus_bench [--repetitions N] [--seconds S]\n");
            return 2;
        }
    }
    if (repetitions < 1 || repetitions > 1000 || !(seconds >= 0.1 && seconds <= 600.0)) {
        std::fprintf(stderr, "plain_chorus_bench: --repetitions 1..1000 and --seconds 0.1..600, please\n");
        return 2;
    }
    const int frames = static_cast<int>(seconds * kRate) / kBlock * kBlock;
    const std::vector<float> left = Noise(frames, 1), right = Noise(frames, 2);

    struct Subject
    {
        const char* name;
        int moved;
        float step;
    };
    const Subject subjects[] = {{"defaults", -1, 0.0f}, {"Delay ramp every block", 3, 0.03f}, {"Depth ramp every block", 4, 0.1f}};
    std::printf("plain_chorus_bench: %d-bit build, %g s of stereo noise per pass, %d passes, wall time (min and median)\n",
                static_cast<int>(sizeof(void*) * 8), seconds, repetitions);
    for (EChorusKernels kernels : {EChorusKernels::kSse2, EChorusKernels::kAvx2}) {
        const char* name = kernels == EChorusKernels::kAvx2 ? "AVX2" : "SSE2";
        if (!SelectChorusKernels(kernels)) {
            std::printf("%s kernels: not on this CPU\n", name);
            continue;
        }
        for (const Subject& subject : subjects) {
            std::vector<double> times;
            for (int r = 0; r < repetitions; ++r)
                times.push_back(Pass(left, right, subject.moved, subject.step));
            std::sort(times.begin(), times.end());
            const double perFrame = 1e9 / (static_cast<double>(frames) * bench::kStereoChannels);
            std::printf("%s  %-24s %6.2f ns/frame/ch (median %.2f)\n", name, subject.name, times.front() * perFrame,
                        times[times.size() / 2] * perFrame);
        }
    }
    SelectChorusKernels(EChorusKernels::kAuto);
    return 0;
}
