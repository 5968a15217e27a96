#pragma once
// The bench's test signal: stereo white noise from a fixed-seed generator, so every run and every
// subject sees the same samples.
#include <vector>

struct StereoSignal
{
    std::vector<float> left;
    std::vector<float> right;
    int frames() const { return static_cast<int>(left.size()); }
};

// Uniform noise in [-1, 1), different but fixed sequences on the two channels.
StereoSignal makeStereoNoise(int frames);
