#include "CrowdSubject.h"

#include <algorithm>

CrowdSubject::CrowdSubject(std::string name, std::vector<std::unique_ptr<BenchSubject>> members)
    : BenchSubject(std::move(name), ""), members_(std::move(members)),
      outputs_(members_.size() * kBenchChannels * kBenchMaxBlockFrames, 0.0f)
{
    describe(std::to_string(members_.size()) + " instances, each " +
             (members_.empty() ? std::string() : members_.front()->settings()));
}

void CrowdSubject::process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels], int frames)
{
    for (size_t m = 0; m < members_.size(); ++m) {
        float* own = outputs_.data() + m * kBenchChannels * kBenchMaxBlockFrames;
        float* const channels[kBenchChannels] = {own, own + kBenchMaxBlockFrames};
        members_[m]->process(inputs, channels, frames);
    }
    // The caller gets the last instance's block, so that it hears the crowd is not silent.
    if (!members_.empty())
        for (int c = 0; c < kBenchChannels; ++c)
            std::copy_n(outputs_.data() + ((members_.size() - 1) * kBenchChannels + c) * kBenchMaxBlockFrames, frames,
                        outputs[c]);
}
