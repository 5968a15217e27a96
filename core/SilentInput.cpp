#include "SilentInput.h"

bool CSilentInput::Skippable(bool silent, int frames, int ringLength)
{
    if (!silent) {
        m_silentFrames = 0;
        return false;
    }
    const bool rung = m_silentFrames >= ringLength;
    if (frames > 0 && m_silentFrames < INT64_MAX - frames)
        m_silentFrames += frames;
    return rung;
}

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
