#pragma once
#include "Effect.h"
#include "VectorBuffer.h"
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

// Parameter values in the chorus order: Gain dB, Dry %, Wet %, Delay ms, Depth %, LFO Frequency Hz,
// Phase (mono) or Stereo (stereo) %, LFO Type.
using ChorusSettings = std::array<float, 8>;

inline constexpr ChorusSettings kDefaults = {0.0f, 100.0f, 70.0f, 20.0f, 70.0f, 0.4f, 0.0f, 0.0f};
// The level the chorus's fast decibel conversion gives for 0 dB.
inline constexpr double kLevelAt0dB = 0.9710078239440918;

inline CValueArray Values(const ChorusSettings& settings) { return CValueArray(settings.data(), 8); }

// A ramp list whose entries are the given arrays.
inline CValueArrayList RampList(const std::vector<ChorusSettings>& entries)
{
    CValueArrayList list(3, 8);
    list.used = static_cast<int>(entries.size());
    for (size_t i = 0; i < entries.size() && i < 3; ++i) {
        const CValueArray values = Values(entries[i]);
        list.Assign(static_cast<int>(i), &values);
    }
    return list;
}

// Deterministic white noise in [-1, 1) from an integer generator: the same on every platform.
class CNoise
{
public:
    explicit CNoise(uint32_t seed = 1) : m_state(seed) {}
    float Next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return static_cast<float>(static_cast<int32_t>(m_state >> 8) - (1 << 23)) / static_cast<float>(1 << 23);
    }
    std::vector<float> Block(int frames)
    {
        std::vector<float> block(static_cast<size_t>(frames));
        for (float& x : block)
            x = Next();
        return block;
    }

private:
    uint32_t m_state;
};

inline std::vector<float> Impulse(int frames)
{
    std::vector<float> block(static_cast<size_t>(frames), 0.0f);
    block[0] = 1.0f;
    return block;
}

// x[n] = n: read back through linear interpolation at delay D it gives n - D exactly.
inline std::vector<float> LinearRamp(int frames)
{
    std::vector<float> block(static_cast<size_t>(frames));
    for (int n = 0; n < frames; ++n)
        block[static_cast<size_t>(n)] = static_cast<float>(n);
    return block;
}

// One block through a single-channel effect.
inline std::vector<float> RunMono(CEffect& effect, std::vector<float> input, const CValueArrayList* changes = nullptr,
                                  bool accumulate = false, std::vector<float> output = {})
{
    const int frames = static_cast<int>(input.size());
    output.resize(input.size(), 0.0f);
    CVectorBuffer in(input.data(), frames), out(output.data(), frames);
    const CVectorBufferList inputs({&in}), outputs({&out});
    if (accumulate)
        effect.ProcessAccumulating(&inputs, &outputs, frames, changes);
    else
        effect.ProcessReplacing(&inputs, &outputs, frames, changes);
    return output;
}

using StereoSignal = std::pair<std::vector<float>, std::vector<float>>;

// One block through a two-channel effect.
inline StereoSignal RunStereo(CEffect& effect, std::vector<float> left, std::vector<float> right,
                              const CValueArrayList* changes = nullptr, bool accumulate = false,
                              StereoSignal output = {})
{
    const int frames = static_cast<int>(left.size());
    output.first.resize(left.size(), 0.0f);
    output.second.resize(left.size(), 0.0f);
    CVectorBuffer inL(left.data(), frames), inR(right.data(), frames);
    CVectorBuffer outL(output.first.data(), frames), outR(output.second.data(), frames);
    const CVectorBufferList inputs({&inL, &inR}), outputs({&outL, &outR});
    if (accumulate)
        effect.ProcessAccumulating(&inputs, &outputs, frames, changes);
    else
        effect.ProcessReplacing(&inputs, &outputs, frames, changes);
    return output;
}

// The delay, in samples, that the output of a Dry 0 %, Wet 100 %, Gain 0 dB chorus fed with
// LinearRamp() shows at frame n.
inline double DelayAt(const std::vector<float>& output, int n)
{
    return n - output[static_cast<size_t>(n)] / kLevelAt0dB;
}

// Empty text: either no string or "".
inline bool IsEmptyText(const char* text) { return !text || !*text; }
