#pragma once
// One contestant of the peer bench: something that turns blocks of stereo audio into stereo audio.
// Every subject processes the same signal with the same block size, so their times compare.
#include "BenchError.h"

#include <string>
#include <utility>

constexpr double kBenchSampleRate = 44100.0;
constexpr int kBenchBlockFrames = 512;     // the block size of a single run unless --block says otherwise
constexpr int kBenchMaxBlockFrames = 4096; // what every subject is set up for
constexpr int kBenchChannels = 2;

class BenchSubject
{
public:
    BenchSubject(std::string name, std::string settings) : name_(std::move(name)), settings_(std::move(settings)) {}
    virtual ~BenchSubject() = default;
    BenchSubject(const BenchSubject&) = delete;
    BenchSubject& operator=(const BenchSubject&) = delete;

    // What the table calls it, and its control values in words.
    const std::string& name() const { return name_; }
    const std::string& settings() const { return settings_; }

    // Processes frames (1 .. kBenchMaxBlockFrames) of two non-interleaved input channels into two
    // output channels. Inputs and outputs never overlap.
    virtual void process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels],
                         int frames) = 0;

    // Moves parameter `index` to a normalised value (0..1) before the next block, as a host's
    // automation does: the host index of a VST 2, VST 3 or CLAP subject, the index among the
    // control inputs of an LV2 one (over its declared range). Only our plug-in's subjects can.
    virtual void automate(int index, double normalised)
    {
        (void)normalised;
        throw BenchError(name_ + " cannot automate parameter " + std::to_string(index));
    }

protected:
    // For subjects whose settings are known only once they are configured.
    void describe(std::string settings) { settings_ = std::move(settings); }

private:
    std::string name_;
    std::string settings_;
};
