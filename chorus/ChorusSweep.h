#pragma once
#include "ChorusAvx2.h"
#include "ChorusChunk.h"
#include <cmath>
#include <cstring>

// The oscillator of one channel as an object that fills a chunk's delays two frames at a time,
// so one loop can run the sweeps of two channels side by side: each sweep accumulates its phase
// serially, and two independent chains hide each other's latency. Each computes exactly what
// SweptDelay computes frame by frame.

// Whether n frames of a sweep keep its table positions within half the limit: the phase moves by
// at most n + 1 increments (rounding included). False for NaN and infinities.
inline bool KeepsInRange(double offset, double phase, double increment, int n)
{
    constexpr double kBound = kIndexLimit / 2;
    return std::fabs(offset) + std::fabs(phase) + (n + 1.0) * std::fabs(increment) < kBound;
}

// Whether a sweep moves slowly enough that four frames mostly read one pair of table entries and
// one whole delay: its table position moves at most 1/16 per frame, and its delay (with a table
// slope of at most 1/1024 per position) at most 1/16 sample. Only the AVX2 kernels' choice of
// loads depends on it, never a result.
inline bool SteadySweep(double increment, double depth, double baseDelay)
{
    const double speed = std::fabs(increment);
    return speed <= 1.0 / 16 && speed * std::fabs(depth * baseDelay) <= 1024.0 / 16;
}

// Fixed parameters: the phase steps by the increment after every frame. Without Saturating, for
// a block that KeepsInRange(). Either way the swept delay is held within the line.
template <bool Saturating>
struct CFixedSweep
{
    const float* table;
    int tableMask;
    double offset;
    double increment;
    double depth;
    double baseDelay;
    double phase;
    double longest; // the longest delay the line serves
    bool steady;    // SteadySweep()

    __m128d Pair()
    {
        const double p0 = phase;
        phase += increment;
        const double p1 = phase;
        phase += increment;
        const __m128d g = _mm_add_pd(_mm_set1_pd(offset), _mm_set_pd(p1, p0));
        return SweptDelayPair<Saturating>(table, tableMask, g, _mm_set1_pd(depth), _mm_set1_pd(baseDelay), longest);
    }
    void Single(double* delay)
    {
        const double g = offset + phase;
        phase += increment;
        *delay = SweptDelay(table, tableMask, g, depth, baseDelay, longest);
    }
};

// A ramp that moves only the base delay and the depth. On a straight ramp whose other values all
// hold still bit for bit, only the Delay and the Depth step, side by side in the low lanes of
// `pair`; otherwise the whole set steps on every frame (its eight values are two registers of
// four, as are its steps), so that every value and step ends as it would.
template <bool Saturating>
struct CDelayDepthSweep
{
    const float* table;
    int tableMask;
    double offset;
    double increment;
    double phase;
    double longest;
    bool steady; // SteadySweep() at the start of the ramp
    bool curved;
    bool wholeSet; // the whole set steps
    __m128 values0, values1, steps0, steps1, curve0, curve1;
    __m128 pair, pairSteps; // otherwise: Delay and Depth, and their steps

    void Step()
    {
        if (wholeSet) {
            if (curved) {
                steps0 = _mm_add_ps(steps0, curve0);
                steps1 = _mm_add_ps(steps1, curve1);
            }
            values0 = _mm_add_ps(values0, steps0);
            values1 = _mm_add_ps(values1, steps1);
        } else {
            pair = _mm_add_ps(pair, pairSteps);
        }
    }
    // Delay and Depth now in the low two lanes; then a step.
    __m128 TakeStep()
    {
        if (wholeSet) {
            // Lane 3 of the first register is the Delay, lane 0 of the second the Depth.
            const __m128 delayDepth = _mm_unpacklo_ps(_mm_shuffle_ps(values0, values0, 3), values1);
            Step();
            return delayDepth;
        }
        const __m128 now = pair;
        Step();
        return now;
    }
    // Two frames' Delays and Depths, from each frame's pair (Delay, Depth, ...).
    static void Split(__m128 first, __m128 second, __m128d& delays, __m128d& depths)
    {
        const __m128 both = _mm_unpacklo_ps(first, second); // Delay, Delay, Depth, Depth
        delays = _mm_cvtps_pd(both);
        depths = _mm_cvtps_pd(_mm_movehl_ps(both, both));
    }
    __m128d Pair()
    {
        const __m128 first = TakeStep();
        const __m128 second = TakeStep();
        __m128d delays, depths;
        Split(first, second, delays, depths);
        const double p0 = phase;
        phase += increment;
        const double p1 = phase;
        phase += increment;
        const __m128d g = _mm_add_pd(_mm_set1_pd(offset), _mm_set_pd(p1, p0));
        return SweptDelayPair<Saturating>(table, tableMask, g, depths, delays, longest);
    }
    void Single(double* delay)
    {
        const __m128 now = TakeStep();
        const float baseDelay = _mm_cvtss_f32(now);
        const float depth = _mm_cvtss_f32(_mm_shuffle_ps(now, now, 1));
        const double g = offset + phase;
        phase += increment;
        *delay = SweptDelay(table, tableMask, g, depth, baseDelay, longest);
    }
    // Values and steps after the frames taken, into a set of eight values and one of steps.
    void Store(float* values, float* steps, int delayIndex, int depthIndex) const
    {
        _mm_storeu_ps(values, values0);
        _mm_storeu_ps(values + 4, values1);
        _mm_storeu_ps(steps, steps0);
        _mm_storeu_ps(steps + 4, steps1);
        if (!wholeSet) {
            values[delayIndex] = _mm_cvtss_f32(pair);
            values[depthIndex] = _mm_cvtss_f32(_mm_shuffle_ps(pair, pair, 1));
        }
    }
};

// The two channels of a stereo pair usually run the same phase and the same ramp (only their
// phase offsets differ): then one of them computes the phases, and the ramp's delays and depths,
// for both. Each keeps its own state exact, so either can go on alone afterwards.
template <class SweepA, class SweepB>
inline bool Twins(const SweepA&, const SweepB&)
{
    return false;
}

template <class SweepA, class SweepB>
inline bool SamePhases(const SweepA& a, const SweepB& b)
{
    return std::memcmp(&a.phase, &b.phase, sizeof a.phase) == 0
        && std::memcmp(&a.increment, &b.increment, sizeof a.increment) == 0;
}

template <bool SA, bool SB>
inline bool Twins(const CFixedSweep<SA>& a, const CFixedSweep<SB>& b)
{
    return SamePhases(a, b);
}

// Whether the bits that `lanes` selects are the same in x and y.
inline bool SameBits(__m128 x, __m128 y, __m128i lanes = _mm_set1_epi32(-1))
{
    const __m128i differ = _mm_and_si128(_mm_xor_si128(_mm_castps_si128(x), _mm_castps_si128(y)), lanes);
    return _mm_movemask_epi8(_mm_cmpeq_epi32(differ, _mm_setzero_si128())) == 0xFFFF;
}

// Bit for bit the same Delay (lane 3 of the first registers) and Depth (lane 0 of the second).
inline bool SameDelayDepth(__m128 x0, __m128 x1, __m128 y0, __m128 y1)
{
    return SameBits(x0, y0, _mm_setr_epi32(0, 0, 0, -1)) && SameBits(x1, y1, _mm_setr_epi32(-1, 0, 0, 0));
}

template <bool SA, bool SB>
inline bool Twins(const CDelayDepthSweep<SA>& a, const CDelayDepthSweep<SB>& b)
{
    if (!SamePhases(a, b) || a.curved != b.curved || a.wholeSet != b.wholeSet)
        return false;
    if (!a.wholeSet)
        return SameBits(a.pair, b.pair) && SameBits(a.pairSteps, b.pairSteps);
    return SameDelayDepth(a.values0, a.values1, b.values0, b.values1) && SameDelayDepth(a.steps0, a.steps1, b.steps0, b.steps1)
        && SameDelayDepth(a.curve0, a.curve1, b.curve0, b.curve1);
}

// Two frames' phases; the phase still accumulates frame by frame.
inline __m128d PhasePair(double& phase, double increment)
{
    const double p0 = phase;
    phase += increment;
    const double p1 = phase;
    phase += increment;
    return _mm_set_pd(p1, p0);
}

template <bool SA, bool SB>
inline void PairTwins(CFixedSweep<SA>& a, __m128d& delayA, CFixedSweep<SB>& b, __m128d& delayB)
{
    const __m128d phases = PhasePair(a.phase, a.increment);
    b.phase = a.phase;
    delayA = SweptDelayPair<SA>(a.table, a.tableMask, _mm_add_pd(_mm_set1_pd(a.offset), phases), _mm_set1_pd(a.depth),
                                _mm_set1_pd(a.baseDelay), a.longest);
    delayB = SweptDelayPair<SB>(b.table, b.tableMask, _mm_add_pd(_mm_set1_pd(b.offset), phases), _mm_set1_pd(b.depth),
                                _mm_set1_pd(b.baseDelay), b.longest);
}

template <bool SA, bool SB>
inline void PairTwins(CDelayDepthSweep<SA>& a, __m128d& delayA, CDelayDepthSweep<SB>& b, __m128d& delayB)
{
    const __m128 first = a.TakeStep();
    const __m128 second = a.TakeStep();
    if (b.wholeSet) {
        b.Step(); // its other values and steps end as they would
        b.Step();
    } else {
        b.pair = a.pair;
    }
    __m128d delays, depths;
    CDelayDepthSweep<SA>::Split(first, second, delays, depths);
    const __m128d phases = PhasePair(a.phase, a.increment);
    b.phase = a.phase;
    delayA = SweptDelayPair<SA>(a.table, a.tableMask, _mm_add_pd(_mm_set1_pd(a.offset), phases), depths, delays, a.longest);
    delayB = SweptDelayPair<SB>(b.table, b.tableMask, _mm_add_pd(_mm_set1_pd(b.offset), phases), depths, delays, b.longest);
}

template <class SweepA, class SweepB>
inline void PairTwins(SweepA&, __m128d&, SweepB&, __m128d&)
{
}

// n frames of one sweep. The loop works on a local copy, which the stores to the delays cannot
// alias, so the phase stays in a register.
template <class Sweep>
inline void SweepChunk(Sweep& sweep, double* delay, int n)
{
    Sweep local = sweep;
    int f = 0;
    for (; f + 2 <= n; f += 2)
        _mm_store_pd(delay + f, local.Pair());
    if (f < n)
        local.Single(delay + f);
    sweep = local;
}

// n frames of two sweeps, interleaved.
template <class SweepA, class SweepB>
inline void SweepChunks(SweepA& a, double* delayA, SweepB& b, double* delayB, int n)
{
    SweepA localA = a;
    SweepB localB = b;
    int f = 0;
    // 32-bit code has half the vector registers: there the shared pass spills, and measured slower.
    constexpr bool kTwinsPay = sizeof(void*) == 8;
    if (kTwinsPay && Twins(localA, localB)) {
        for (; f + 2 <= n; f += 2) {
            __m128d pairA, pairB;
            PairTwins(localA, pairA, localB, pairB);
            _mm_store_pd(delayA + f, pairA);
            _mm_store_pd(delayB + f, pairB);
        }
    }
    for (; f + 2 <= n; f += 2) {
        _mm_store_pd(delayA + f, localA.Pair());
        _mm_store_pd(delayB + f, localB.Pair());
    }
    if (f < n) {
        localA.Single(delayA + f);
        localB.Single(delayB + f);
    }
    a = localA;
    b = localB;
}

// The delay line side of one channel's block: where the samples lie and the fixed gains.
struct CLinePass
{
    float* line;
    uint32_t mask;
    uint32_t w;
    const float* x;
    int inStride;
    float* y;
    int outStride;
    bool pairs;
    bool steady; // SteadySweep()
    CFixedGains gains;

    // Works on local copies, which the sample stores cannot alias. With Avx2, the AVX2 kernel
    // (only where UsingAvx2Kernels(), and for fixed gains).
    template <bool Accumulate, bool Avx2 = false, class Gains>
    [[gnu::always_inline]] void Run(const double* delays, int n, const Gains& mix)
    {
        const float* input = x;
        float* output = y;
#if CHORUS_AVX2
        if constexpr (Avx2) {
            w = RunDelayLineAvx2<Accumulate>(line, mask, w, input, inStride, output, outStride, delays, mix, n, pairs,
                                             steady);
        } else
#endif
        {
            w = RunDelayLine<Accumulate>(line, mask, w, input, inStride, output, outStride, delays, mix, n, pairs);
        }
        x = input;
        y = output;
    }
    // With the block's fixed gains.
    template <bool Accumulate, bool Avx2 = false>
    void Run(const double* delays, int n)
    {
        const CFixedGains fixed = gains;
        Run<Accumulate, Avx2>(delays, n, fixed);
    }
};
