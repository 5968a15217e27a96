#pragma once
#include "PluginCore.h"
#include "StereoChorusDescription.h"
#include <algorithm>
#include <vector>

constexpr int kStagingChannels = 2;

// One plug-in instance and the buffers its host side fills and reads.
struct SWebChorus
{
    SWebChorus(float sampleRate, int maxFrames)
        : core(StereoChorusDescription().createEffect(), nullptr, StereoChorusDescription().outputRefreshRate),
          capacity(maxFrames)
    {
        core.SetSampleRate(sampleRate);
        for (auto& channel : staging)
            channel.assign(static_cast<size_t>(maxFrames), 0.0f);
        inputs.resize(static_cast<size_t>(std::max(core.GetInputChannels(), 1)));
        outputs.resize(static_cast<size_t>(std::max(core.GetOutputChannels(), 1)));
        for (auto& channel : inputs)
            channel.assign(static_cast<size_t>(maxFrames), 0.0f);
        for (auto& channel : outputs)
            channel.assign(static_cast<size_t>(maxFrames), 0.0f);
        for (auto& channel : inputs)
            inputPointers.push_back(channel.data());
        for (auto& channel : outputs)
            outputPointers.push_back(channel.data());
    }

    // A file's channels to the plug-in's inputs as vstrender spreads them: a stereo file's
    // average (in float) to a single input, a mono file to every input.
    void SpreadInputs(int frames, int fileChannels)
    {
        const int count = static_cast<int>(inputs.size());
        for (int c = 0; c < count; ++c) {
            float* destination = inputs[static_cast<size_t>(c)].data();
            if (c >= kStagingChannels)
                std::fill(destination, destination + frames, 0.0f);
            else if (count == 1 && fileChannels == 2)
                for (int i = 0; i < frames; ++i)
                    destination[i] = 0.5f * (staging[0][static_cast<size_t>(i)] + staging[1][static_cast<size_t>(i)]);
            else
                std::copy_n(staging[static_cast<size_t>(std::min(c, fileChannels - 1))].data(), frames, destination);
        }
    }

    CPluginCore core;
    int capacity;
    std::vector<float> staging[kStagingChannels];
    std::vector<std::vector<float>> inputs;
    std::vector<std::vector<float>> outputs;
    std::vector<float*> inputPointers;
    std::vector<float*> outputPointers;
};

