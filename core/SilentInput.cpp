#include "SilentInput.h"

uint64_t SilentChannels(float* const* channels, int count, int frames)
{
    uint64_t mask = 0;
    for (int c = 0; channels && c < count && c < 64; ++c) {
        const float* samples = channels[c];
        if (!samples)
            continue;
        int f = 0;
        while (f < frames && samples[f] == 0.0f)
            ++f;
        if (f == frames)
            mask |= uint64_t{1} << c;
    }
    return mask;
}
