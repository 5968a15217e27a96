#pragma once
#include <cstdint>
#include <cstring>
#include <emmintrin.h>

// K = ln(10) * 2^20 / (ln(2) * 20), computed once when the library loads.
extern const double kFastDecibelFactor;

// Decibels to a level factor through the exponent bits of a double: the upper 32 bits are
// gainDb * K + 1072632447, the lower 32 bits zero. Within about 3 % of 10^(dB/20); 0 dB gives
// 0.9710078. Any gain gives a finite level: the bits saturate between 0.0 and the largest double.
// Inline because a gain ramp evaluates it on every frame.
inline double FastDecibelToLevel(double gainDb)
{
    // Upper word of 1.0 minus a bias that centres the linear-in-exponent approximation.
    constexpr double kBias = 1072632447.0;
    // 0x7FEFFFFF: the upper word of the largest finite double.
    constexpr double kLargestFinite = 2146435071.0;
    double hi = gainDb * kFastDecibelFactor + kBias;
    hi = hi < kLargestFinite ? hi : kLargestFinite; // also turns NaN into the limit
    hi = hi > 0.0 ? hi : 0.0;
    const uint64_t bits = static_cast<uint64_t>(static_cast<uint32_t>(static_cast<int32_t>(hi))) << 32;
    double level;
    std::memcpy(&level, &bits, sizeof level);
    return level;
}

// FastDecibelToLevel for two gains side by side: the same operations lane by lane (minpd and
// maxpd are the two comparisons, NaN included).
inline __m128d FastDecibelToLevelPair(__m128d gainDb)
{
    __m128d hi = _mm_add_pd(_mm_mul_pd(gainDb, _mm_set1_pd(kFastDecibelFactor)), _mm_set1_pd(1072632447.0));
    hi = _mm_max_pd(_mm_min_pd(hi, _mm_set1_pd(2146435071.0)), _mm_setzero_pd());
    // Each truncated word becomes the upper half of a 64-bit lane whose lower half is zero.
    return _mm_castsi128_pd(_mm_unpacklo_epi32(_mm_setzero_si128(), _mm_cvttpd_epi32(hi)));
}
