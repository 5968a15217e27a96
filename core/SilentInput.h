#pragma once
#include <cstdint>

// Formats whose hosts mark silent channels (VST 3's silence flags) let a plug-in skip blocks
// that can only be silent, and expect silent outputs marked in return.
//
// Counts how long the input has been marked silent: once that is longer than the effect rings,
// a further silent block needs no work. Lives on the audio thread.
class CSilentInput
{
public:
    // Counts a block; true when it may be skipped: its input is marked silent and so was the
    // input of at least `ringLength` frames before it.
    bool Skippable(bool silent, int frames, int ringLength)
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
    void Forget() { m_silentFrames = 0; }

private:
    int64_t m_silentFrames = 0;
};

// One bit per channel (bit c for channel c, up to 64) whose first `frames` samples are all zero.
uint64_t SilentChannels(float* const* channels, int count, int frames);
// The same, answering in line the common case: every channel there, its first sample not zero.
inline uint64_t SilentChannelMask(float* const* channels, int count, int frames)
{
    if (frames > 0 && channels && count <= 64) {
        int c = 0;
        while (c < count && channels[c] && channels[c][0] != 0.0f)
            ++c;
        if (c == count)
            return 0;
    }
    return SilentChannels(channels, count, frames);
}
