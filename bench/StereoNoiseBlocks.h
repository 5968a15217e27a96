#pragma once
// What the chorus benches feed the engine: plain stereo buffers over sample arrays, and
// deterministic white noise.
#include "AudioBuffer.h"
#include <cstdint>
#include <vector>

namespace bench {

constexpr int kStereoChannels = 2;

class CPlainBuffer : public CAudioBuffer
{
public:
    CPlainBuffer(float* data, int length) : m_data(data), m_length(length) {}
    float* GetWritePointer() override { return m_data; }
    const float* GetReadPointer() const override { return m_data; }
    int GetLength() const override { return m_length; }
    int GetStride() const override { return 1; }
    void Point(float* data) { m_data = data; }

private:
    float* m_data;
    int m_length;
};

class CPairList : public CAudioBufferList
{
public:
    CPairList(CAudioBuffer* left, CAudioBuffer* right) : m_buffers{left, right} {}
    int GetCount() const override { return kStereoChannels; }
    CAudioBuffer* GetBuffer(int index) const override
    {
        return index >= 0 && index < kStereoChannels ? m_buffers[index] : nullptr;
    }
    const CAudioBuffer* GetConstBuffer(int index) const override { return GetBuffer(index); }

private:
    CAudioBuffer* m_buffers[kStereoChannels];
};

// Full-scale white noise from a linear congruential generator: the same samples on every build.
inline std::vector<float> Noise(int frames, uint32_t seed)
{
    std::vector<float> samples(static_cast<size_t>(frames));
    for (float& x : samples) {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<float>(static_cast<int32_t>(seed >> 8) - (1 << 23)) / static_cast<float>(1 << 23);
    }
    return samples;
}

} // namespace bench
