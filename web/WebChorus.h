#pragma once
#include "PluginCore.h"
#include <vector>

// The page writes up to two channels of a file; the plug-in's inputs take them as vstrender
// spreads them.
constexpr int kStagingChannels = 2;

// One plug-in instance (the product's core and effect) and the buffers its host side fills and
// reads, sized once for blocks of up to `capacity` frames.
struct SWebChorus
{
    explicit SWebChorus(int maxFrames);

    // A file's channels to the plug-in's inputs as vstrender spreads them: a stereo file's
    // average (in float) to a single input, a mono file to every input.
    void SpreadInputs(int frames, int fileChannels);

    CPluginCore core;
    int capacity;
    std::vector<float> staging[kStagingChannels];
    std::vector<std::vector<float>> inputs;
    std::vector<std::vector<float>> outputs;
    std::vector<float*> inputPointers;
    std::vector<float*> outputPointers;
};
