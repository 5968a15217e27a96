#include "FloorSubject.h"

#include <cstdio>
#include <string>

namespace {

std::string floorSettings(int delayFrames, float dry, float wet)
{
    char text[96];
    std::snprintf(text, sizeof text, "fixed %d-frame delay, dry %.2f, wet %.2f", delayFrames, dry, wet);
    return text;
}

} // namespace

FloorSubject::FloorSubject(int delayFrames, float dry, float wet)
    : BenchSubject("Floor: plain 20 ms delay", floorSettings(delayFrames, dry, wet)),
      delay_(static_cast<unsigned>(delayFrames > 0 ? delayFrames : 0)), dry_(dry), wet_(wet)
{
    // Each sample is written before the delayed one is read, so a ring longer than the delay will do.
    unsigned size = 1;
    while (size <= delay_)
        size *= 2;
    mask_ = size - 1;
    for (std::vector<float>& line : lines_)
        line.assign(size, 0.0f);
}

void FloorSubject::process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels], int frames)
{
    for (int c = 0; c < kBenchChannels; ++c) {
        float* line = lines_[c].data();
        const float* in = inputs[c];
        float* out = outputs[c];
        unsigned write = write_;
        for (int n = 0; n < frames; ++n, ++write) {
            line[write & mask_] = in[n];
            out[n] = dry_ * in[n] + wet_ * line[(write - delay_) & mask_];
        }
    }
    write_ += static_cast<unsigned>(frames);
}
