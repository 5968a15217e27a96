#include "FuzzInput.h"
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>

// Each read is its own statement: the order of operands in one expression is unspecified.
uint16_t CFuzzInput::Word()
{
    const uint16_t low = Byte();
    return static_cast<uint16_t>(low | Byte() << 8);
}

uint32_t CFuzzInput::Dword()
{
    const uint32_t low = Word();
    return low | static_cast<uint32_t>(Word()) << 16;
}

uint64_t CFuzzInput::Qword()
{
    const uint64_t low = Dword();
    return low | static_cast<uint64_t>(Dword()) << 32;
}

float CFuzzInput::Float()
{
    static const float kSpecial[] = {
        0.0f, -0.0f, 1.0f, 0.5f, 0.25f, 0.75f, 0.51f, 0.49f, 0.99999994f, 1.0000001f, -1.0f, 2.0f, 100.0f,
        std::numeric_limits<float>::quiet_NaN(), -std::numeric_limits<float>::quiet_NaN(),
        std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity(),
        std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::denorm_min(), FLT_MIN, FLT_MAX,
        -FLT_MAX, 1e30f, -1e30f, 1e-30f, 44100.0f, 48000.0f, 96000.0f, 1e9f,
    };
    constexpr unsigned kCount = sizeof kSpecial / sizeof kSpecial[0];
    const uint8_t choice = Byte();
    if (choice < 128)
        return kSpecial[choice % kCount];
    if (choice < 192)
        return static_cast<float>(Byte()) / 255.0f; // an ordinary 0..1 host value
    const uint32_t bits = Dword();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

void SSessionReport::Add(const float* samples, size_t count)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(samples);
    for (size_t b = 0; b < count * sizeof(float); ++b)
        digest = (digest ^ bytes[b]) * 1099511628211ull;
    frames += static_cast<long>(count);
}

intptr_t CFuzzInput::Value()
{
    const uint8_t choice = Byte();
    if (choice < 160)
        return static_cast<int8_t>(Byte());
    if (choice < 224)
        return static_cast<int32_t>(Dword());
    return static_cast<intptr_t>(Qword());
}
