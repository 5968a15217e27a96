#pragma once
// Many instances of one plug-in in one host, as a session with a track per instance runs them:
// every block, each instance processes its own block in turn, from the same input into its own
// outputs. With 64 instances their state (delay lines, tables) no longer fits the caches that a
// single instance lives in, which is what this subject measures.
#include "BenchSubject.h"

#include <memory>
#include <vector>

class CrowdSubject : public BenchSubject
{
public:
    CrowdSubject(std::string name, std::vector<std::unique_ptr<BenchSubject>> members);

    int size() const { return static_cast<int>(members_.size()); }

    void process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels],
                 int frames) override;

private:
    std::vector<std::unique_ptr<BenchSubject>> members_;
    std::vector<float> outputs_; // kBenchChannels blocks of kBenchMaxBlockFrames per member
};
