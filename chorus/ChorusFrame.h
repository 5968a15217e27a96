#pragma once
#include <cfloat>
#include <cmath>
#include <cstdint>
// Every build of ours has SSE2 (the 32-bit ones are compiled for it), and the frame loops are
// written for it.
#if !defined(__SSE2__)
#error "the chorus frame loops need SSE2"
#endif
#include <emmintrin.h>

// The arithmetic of the chorus frame loop. Every variant computes the same bits as the plain
// per-frame form: the same operations, in the same order and precision. The SSE2 pair forms
// do two frames' arithmetic side by side in the two lanes of a register (IEEE operations give the
// same result packed or scalar); each loop finishes its odd frame with the scalar form.

// The frame forms below sit in the inner loops: inlined wherever they are used, since a call per
// frame pair costs more than the pair's arithmetic.
#define FRAME_INLINE __attribute__((always_inline)) inline

// x held within lo..hi; NaN maps to hi. Compiles to min/max, no branch, so the frame loop can
// afford it on every sample.
inline double Clamp(double x, double lo, double hi)
{
    // minsd and maxsd are these two comparisons exactly (each returns its second operand when the
    // comparison is false, NaN included); written out because the compiler would otherwise branch.
    const __m128d low = _mm_min_sd(_mm_set_sd(x), _mm_set_sd(hi));
    return _mm_cvtsd_f64(_mm_max_sd(low, _mm_set_sd(lo)));
}

// x held within -limit..limit; NaN maps to the limit.
inline double Saturate(double x, double limit) { return Clamp(x, -limit, limit); }

// Far beyond any real delay or table position, yet safe to truncate to 32 bits; the masked reads
// keep every access inside the storage.
constexpr double kIndexLimit = 1073741824.0; // 2^30

// Truncation toward zero that saturates instead of overflowing.
inline int32_t SaturatingTrunc(double x) { return static_cast<int32_t>(Saturate(x, kIndexLimit)); }

// A gain, or a sample, kept finite whatever values the host drove the parameters to.
inline float FiniteFloat(double x) { return static_cast<float>(Saturate(x, FLT_MAX)); }

// The range of delays a line serves without wrapping: a delay D reads the samples trunc(D) and
// trunc(D) + 1 behind the one just written. Just above -1 both are the newest two; just below
// size - 1 the second is the oldest the line holds. A swept delay beyond either end is held there.
constexpr double kShortestDelay = -1.0 + 0x1p-53;
inline double LongestDelay(int lineSize) { return std::nextafter(lineSize - 1.0, 0.0); }

// The delay in samples at table position g: the table read with linear interpolation sweeps
// the base delay by +-depth. Held within the line before the split into whole and fractional
// samples, so both stay finite and the reads never wrap round to the newest samples.
FRAME_INLINE double SweptDelay(const float* table, int tableMask, double g, double depth, double baseDelay, double longest)
{
    const int32_t i = SaturatingTrunc(g);
    const float t0 = table[i & tableMask];
    const float t1 = table[(i + 1) & tableMask];
    const double v = t0 + (t1 - t0) * (g - i);
    return Clamp((v * depth + 1.0) * baseDelay, kShortestDelay, longest);
}

// Writes `input` at position w of the line, then reads the line back `delay` samples earlier
// (delay 0 reads this very sample) and mixes the two. Positions wrap through the mask in
// unsigned arithmetic, which gives the same slots as the signed form without overflow.
FRAME_INLINE float DelayLineFrame(float* line, uint32_t mask, uint32_t w, float input, double delay, double dryGain,
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

inline __m128d ClampPair(__m128d x, double lo, double hi)
{
    return _mm_max_pd(_mm_min_pd(x, _mm_set1_pd(hi)), _mm_set1_pd(lo));
}

inline __m128d SaturatePair(__m128d x, double limit) { return ClampPair(x, -limit, limit); }

// Two floats from memory into the low lanes.
inline __m128 LoadFloatPair(const float* p) { return _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(p))); }

// Two floats from two places into the low lanes.
inline __m128 LoadFloatPair(const float* p0, const float* p1) { return _mm_unpacklo_ps(_mm_load_ss(p0), _mm_load_ss(p1)); }

inline __m128 FloatPair(float a, float b) { return _mm_unpacklo_ps(_mm_set_ss(a), _mm_set_ss(b)); }

// The low two lanes to memory.
inline void StoreFloatPair(float* p, __m128 pair) { _mm_store_sd(reinterpret_cast<double*>(p), _mm_castps_pd(pair)); }

// FiniteFloat for two values.
inline __m128 FiniteFloatPair(__m128d x) { return _mm_cvtpd_ps(SaturatePair(x, FLT_MAX)); }

// SweptDelay for two table positions. Without Saturating, for callers that have shown the table
// positions to lie within +-kIndexLimit, where their saturation changes nothing.
template <bool Saturating = true>
FRAME_INLINE __m128d SweptDelayPair(const float* table, int tableMask, __m128d g, __m128d depth, __m128d baseDelay,
                              double longest)
{
    const __m128i i = _mm_cvttpd_epi32(Saturating ? SaturatePair(g, kIndexLimit) : g);
    // Unsigned indices select the same slots and need no sign extension.
    const uint32_t mask = static_cast<uint32_t>(tableMask);
    const uint32_t i0 = static_cast<uint32_t>(_mm_cvtsi128_si32(i));
    const uint32_t i1 = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(i, 1)));
    const __m128 t0 = LoadFloatPair(table + (i0 & mask), table + (i1 & mask));
    const __m128 t1 = LoadFloatPair(table + ((i0 + 1u) & mask), table + ((i1 + 1u) & mask));
    const __m128d fraction = _mm_sub_pd(g, _mm_cvtepi32_pd(i));
    const __m128d v = _mm_add_pd(_mm_cvtps_pd(t0), _mm_mul_pd(_mm_cvtps_pd(_mm_sub_ps(t1, t0)), fraction));
    const __m128d swept = _mm_mul_pd(_mm_add_pd(_mm_mul_pd(v, depth), _mm_set1_pd(1.0)), baseDelay);
    return ClampPair(swept, kShortestDelay, longest);
}

// DelayLineFrame for frames w and w + 1, whose input samples are the low lanes of `input`: the
// first frame's write and reads come before the second frame's write, as in two single frames.
// Returns the two results in the low lanes.
FRAME_INLINE __m128 DelayLinePair(float* line, uint32_t mask, uint32_t w, __m128 input, __m128d delay, __m128d dryGain,
                            __m128d wetGain)
{
    const __m128i k = _mm_cvttpd_epi32(delay);
    const uint32_t r0 = w - static_cast<uint32_t>(_mm_cvtsi128_si32(k));
    const uint32_t r1 = w + 1u - static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_shuffle_epi32(k, 1)));
    _mm_store_ss(line + (w & mask), input);
    const __m128 a0 = _mm_load_ss(line + (r0 & mask));
    const __m128 b0 = _mm_load_ss(line + ((r0 - 1u) & mask));
    _mm_store_ss(line + ((w + 1u) & mask), _mm_shuffle_ps(input, input, 1));
    const __m128 a = _mm_unpacklo_ps(a0, _mm_load_ss(line + (r1 & mask)));
    const __m128 b = _mm_unpacklo_ps(b0, _mm_load_ss(line + ((r1 - 1u) & mask)));
    const __m128d dry = _mm_mul_pd(_mm_cvtps_pd(input), dryGain);
    const __m128d fraction = _mm_sub_pd(delay, _mm_cvtepi32_pd(k));
    const __m128d wet = _mm_add_pd(_mm_cvtps_pd(a), _mm_mul_pd(_mm_cvtps_pd(_mm_sub_ps(b, a)), fraction));
    return FiniteFloatPair(_mm_add_pd(dry, _mm_mul_pd(wet, wetGain)));
}
