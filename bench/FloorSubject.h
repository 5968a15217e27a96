#pragma once
// The floor: the least a chorus can do. A fixed integer delay per channel mixed with the dry
// signal, no modulation, no interpolation. A chorus close to it has little left to shave off.
#include "BenchSubject.h"

#include <vector>

class FloorSubject : public BenchSubject
{
public:
    FloorSubject(int delayFrames, float dry, float wet);

    void process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels],
                 int frames) override;

private:
    std::vector<float> lines_[kBenchChannels]; // power-of-two rings, one per channel
    unsigned mask_ = 0;
    unsigned write_ = 0;
    unsigned delay_;
    float dry_;
    float wet_;
};
