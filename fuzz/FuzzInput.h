#pragma once
#include <cstddef>
#include <cstdint>

// The fuzz input read front to back as the host's decisions. Once it is used up every read
// answers 0, so a session always ends cleanly.
class CFuzzInput
{
public:
    CFuzzInput(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool Empty() const { return m_position >= m_size; }
    uint8_t Byte() { return Empty() ? 0 : m_data[m_position++]; }
    uint16_t Word();
    uint32_t Dword();
    uint64_t Qword();
    // A float chosen to hurt: NaN, infinities, denormals, extremes, the 0..1 edges, or raw bits.
    float Float();
    // A pointer-sized integer: mostly small (indexes, counts, flags), sometimes any bit pattern.
    intptr_t Value();

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_position = 0;
};

// What a played session leaves behind to compare: its format ('2' VST 2, 'V' VST 3, 'C' CLAP,
// 'L' LV2), the frames it rendered and a digest of every sample it rendered, so that two replays
// of one input can be held to the same result.
struct SSessionReport
{
    char format = '2';
    long frames = 0;
    uint64_t digest = 14695981039346656037ull; // FNV-1a over the samples' bytes

    void Add(const float* samples, size_t count);
};

// Plays one input with a session class (constructed on the input, then Run, then Report).
template <class Session>
SSessionReport PlaySession(const uint8_t* data, size_t size)
{
    CFuzzInput input(data, size);
    Session session(input);
    session.Run();
    return session.Report();
}

// A cheap generator for sample data, seeded from the input so that runs replay exactly.
class CSampleNoise
{
public:
    explicit CSampleNoise(uint32_t seed) : m_state(seed | 1u) {}
    uint32_t Bits()
    {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    // Uniform in -1..1.
    float Audio() { return static_cast<float>(static_cast<int32_t>(Bits())) * (1.0f / 2147483648.0f); }

private:
    uint32_t m_state;
};
