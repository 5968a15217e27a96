#include "NoiseSignal.h"

#include <cstddef>
#include <cstdint>

namespace {

std::vector<float> noise(int frames, uint32_t seed)
{
    std::vector<float> samples(static_cast<std::size_t>(frames));
    for (float& x : samples) {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<float>(static_cast<int32_t>(seed >> 8) - (1 << 23)) / static_cast<float>(1 << 23);
    }
    return samples;
}

} // namespace

StereoSignal makeStereoNoise(int frames)
{
    return {noise(frames, 1), noise(frames, 2)};
}
