// chorus_block_cost: one of our binaries driven as the peer bench drives it, for valgrind's
// callgrind to count the instructions of its blocks alone (the host's side of each call
// included): 200 blocks to settle, then 2000 counted ones, then the counts are dumped.
//
//   valgrind --tool=callgrind --instr-atstart=no build/linux/bench/chorus_block_cost
//       vst2|vst3|clap|lv2|sse2 [defaults|delay-ramp|depth-ramp] [block frames, 16]
//   callgrind_annotate callgrind.out.<pid>.1     (instructions / 2000 = per block)
//
// Without valgrind it runs as well, and counts nothing.
#include "BenchError.h"
#include "ClapSubject.h"
#include "Lv2Subject.h"
#include "NoiseSignal.h"
#include "StereoChorusLv2.h"
#include "Vst3Subject.h"
#include "VstSubject.h"

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

namespace {

// Host indexes of our parameters, as chorus_render_hashes has them.
enum { kDelay = 4, kDepth = 5 };

constexpr int kSettleBlocks = 200;
constexpr int kCountedBlocks = 2000;

} // namespace

int main(int argc, char* argv[])
{
    try {
        const std::string format = argc > 1 ? argv[1] : "vst2";
        const std::string automation = argc > 2 ? argv[2] : "defaults";
        const int block = argc > 3 ? std::atoi(argv[3]) : 16;
        if (block < 1 || block > kBenchMaxBlockFrames)
            throw BenchError("the block size is 1 to " + std::to_string(kBenchMaxBlockFrames) + " frames");
        std::unique_ptr<VstLibrary> library;
        std::unique_ptr<BenchSubject> subject;
        if (format == "vst2" || format == "sse2") {
            library = std::make_unique<VstLibrary>(format == "vst2" ? DEFAULT_PLUGIN_PATH : SSE2_PLUGIN_PATH);
            auto vst = std::make_unique<VstSubject>(*library, "VST 2");
            vst->start();
            subject = std::move(vst);
        } else if (format == "vst3") {
            subject = std::make_unique<Vst3Subject>(VST3_PLUGIN_PATH, "VST 3");
        } else if (format == "clap") {
            subject = std::make_unique<ClapSubject>(CLAP_PLUGIN_PATH, "CLAP");
        } else if (format == "lv2") {
            subject = std::make_unique<Lv2Subject>(LV2_BUNDLE_PATH, kStereoChorusLv2Uri, "LV2");
        } else {
            throw BenchError("unknown format " + format + " (vst2, vst3, clap, lv2 or sse2)");
        }
        const int ramp = automation == "delay-ramp" ? kDelay : automation == "depth-ramp" ? kDepth : -1;
        if (ramp < 0 && automation != "defaults")
            throw BenchError("unknown automation " + automation + " (defaults, delay-ramp or depth-ramp)");

        const StereoSignal signal = makeStereoNoise(block * (kSettleBlocks + kCountedBlocks));
        static float left[kBenchMaxBlockFrames], right[kBenchMaxBlockFrames];
        float* const outputs[kBenchChannels] = {left, right};
        auto run = [&](int k) {
            // The peer bench's ramps: Delay 20.00 / 20.03 ms, Depth 70.0 / 70.1 % in turn.
            if (ramp == kDelay)
                subject->automate(kDelay, k % 2 ? 0.66767 : 0.66667);
            else if (ramp == kDepth)
                subject->automate(kDepth, k % 2 ? 0.701 : 0.700);
            const float* const inputs[kBenchChannels] = {signal.left.data() + k * block,
                                                         signal.right.data() + k * block};
            subject->process(inputs, outputs, block);
        };
        for (int k = 0; k < kSettleBlocks; ++k)
            run(k);
        CALLGRIND_ZERO_STATS;
        CALLGRIND_START_INSTRUMENTATION;
        for (int k = kSettleBlocks; k < kSettleBlocks + kCountedBlocks; ++k)
            run(k);
        CALLGRIND_STOP_INSTRUMENTATION;
        CALLGRIND_DUMP_STATS_AT("blocks");
        std::printf("%d blocks of %d frames counted\n", kCountedBlocks, block);
        return 0;
    } catch (const BenchError& error) {
        std::cerr << "chorus_block_cost: " << error.what() << "\n";
        return 1;
    }
}
