#pragma once
#include <cfloat>
#include <cstdint>

// The arithmetic of one chorus frame, shared by every variant of the frame loop so that each
// computes the same bits: the same operations, in the same order and precision.

// x held within -limit..limit; NaN maps to the limit. Compiles to min/max, no branch, so the
// frame loop can afford it on every sample.
inline double Saturate(double x, double limit)
{
    x = x < limit ? x : limit;
    return x > -limit ? x : -limit;
}

// Far beyond any real delay or table position, yet safe to truncate to 32 bits; the masked reads
// keep every access inside the storage.
constexpr double kIndexLimit = 1073741824.0; // 2^30

// Truncation toward zero that saturates instead of overflowing.
inline int32_t SaturatingTrunc(double x) { return static_cast<int32_t>(Saturate(x, kIndexLimit)); }

// A gain, or a sample, kept finite whatever values the host drove the parameters to.
inline float FiniteFloat(double x) { return static_cast<float>(Saturate(x, FLT_MAX)); }

// The delay in samples at table position g: the table read with linear interpolation sweeps
// the base delay by +-depth. Saturated before the split into whole and fractional samples, so
// both stay finite.
inline double SweptDelay(const float* table, int tableMask, double g, double depth, double baseDelay)
{
    const int32_t i = SaturatingTrunc(g);
    const float t0 = table[i & tableMask];
    const float t1 = table[(i + 1) & tableMask];
    const double v = t0 + (t1 - t0) * (g - i);
    return Saturate((v * depth + 1.0) * baseDelay, kIndexLimit);
}

// Writes `input` at position w of the line, then reads the line back `delay` samples earlier
// (delay 0 reads this very sample) and mixes the two. Positions wrap through the mask in
// unsigned arithmetic, which gives the same slots as the signed form without overflow.
inline float DelayLineFrame(float* line, uint32_t mask, uint32_t w, float input, double delay, double dryGain,
                            double wetGain)
{
    const int32_t k = static_cast<int32_t>(delay);
    line[w & mask] = input;
    const double dry = static_cast<double>(input) * dryGain;
    const uint32_t r = w - static_cast<uint32_t>(k);
    const float a = line[r & mask];
    const float b = line[(r - 1u) & mask];
    const double wet = a + (b - a) * (delay - k);
    return FiniteFloat(dry + wet * wetGain);
}
