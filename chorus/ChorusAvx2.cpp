#include "ChorusAvx2.h"
#include "ChorusSweep.h"

#if CHORUS_AVX2
#include <immintrin.h>

// Only these functions use AVX2: the rest of the program runs on any SSE2 CPU. The frame
// arithmetic is that of ChorusFrame.h four lanes wide; packed and scalar IEEE operations give the
// same bits, and the target enables no fused multiply-add.
#define AVX2_INLINE __attribute__((target("avx2"), always_inline)) inline

namespace {

// The samples at index[j] and index[j] + 1 for four lanes. Gathers are fast on some CPUs and slow
// on others (AMD's), so no gathers: when the lanes lie within 0..6 of the first lane's index less
// `back`, and eight samples from there lie within the storage (mask + 1 samples, at least 8), one
// load of those eight and two permutes give them all; otherwise four pairs of single loads.
AVX2_INLINE void LoadNeighbours(const float* p, uint32_t mask, __m128i index, uint32_t back, bool steady, __m128& at,
                                __m128& next)
{
    const uint32_t index0 = static_cast<uint32_t>(_mm_cvtsi128_si32(index));
    // A steady sweep's lanes mostly read one pair (of the table) or four neighbouring ones (of the
    // line, at one whole delay): two loads. A faster one would mispredict these branches.
    if (steady && index0 <= mask - 4u) {
        const __m128i fromFirst = _mm_sub_epi32(index, _mm_set1_epi32(static_cast<int>(index0)));
        if (_mm_testz_si128(fromFirst, fromFirst)) {
            at = _mm_broadcast_ss(p + index0);
            next = _mm_broadcast_ss(p + index0 + 1);
            return;
        }
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(fromFirst, _mm_setr_epi32(0, 1, 2, 3))) == 0xFFFF) {
            at = _mm_loadu_ps(p + index0);
            next = _mm_loadu_ps(p + index0 + 1);
            return;
        }
    }
    const uint32_t first = index0 - back;
    const __m128i offsets = _mm_sub_epi32(index, _mm_set1_epi32(static_cast<int>(first)));
    const __m128i six = _mm_set1_epi32(6);
    if (first <= mask - 7u && _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_min_epu32(offsets, six), offsets)) == 0xFFFF) {
        const __m256 window = _mm256_loadu_ps(p + first);
        const __m256i lanes = _mm256_castsi128_si256(offsets);
        at = _mm256_castps256_ps128(_mm256_permutevar8x32_ps(window, lanes));
        next = _mm256_castps256_ps128(_mm256_permutevar8x32_ps(window, _mm256_add_epi32(lanes, _mm256_set1_epi32(1))));
        return;
    }
    alignas(16) uint32_t i[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(i), index);
    at = _mm_setr_ps(p[i[0]], p[i[1]], p[i[2]], p[i[3]]);
    next = _mm_setr_ps(p[(i[0] + 1u) & mask], p[(i[1] + 1u) & mask], p[(i[2] + 1u) & mask], p[(i[3] + 1u) & mask]);
}

AVX2_INLINE __m256d ClampFour(__m256d x, double lo, double hi)
{
    return _mm256_max_pd(_mm256_min_pd(x, _mm256_set1_pd(hi)), _mm256_set1_pd(lo));
}

AVX2_INLINE __m256d SaturateFour(__m256d x, double limit) { return ClampFour(x, -limit, limit); }

// SweptDelayPair() for four table positions.
template <bool Saturating>
AVX2_INLINE __m256d SweptDelayFour(const float* table, int tableMask, __m256d g, __m256d depth, __m256d baseDelay,
                                   double longest, bool steady)
{
    const __m128i i = _mm256_cvttpd_epi32(Saturating ? SaturateFour(g, kIndexLimit) : g);
    __m128 t0, t1;
    LoadNeighbours(table, static_cast<uint32_t>(tableMask), _mm_and_si128(i, _mm_set1_epi32(tableMask)), 0, steady, t0,
                   t1);
    const __m256d fraction = _mm256_sub_pd(g, _mm256_cvtepi32_pd(i));
    const __m256d v = _mm256_add_pd(_mm256_cvtps_pd(t0), _mm256_mul_pd(_mm256_cvtps_pd(_mm_sub_ps(t1, t0)), fraction));
    const __m256d swept = _mm256_mul_pd(_mm256_add_pd(_mm256_mul_pd(v, depth), _mm256_set1_pd(1.0)), baseDelay);
    return ClampFour(swept, kShortestDelay, longest);
}

// Four frames' phases; the phase still accumulates frame by frame.
AVX2_INLINE __m256d Phases(double& phase, double increment)
{
    const double p0 = phase;
    phase += increment;
    const double p1 = phase;
    phase += increment;
    const double p2 = phase;
    phase += increment;
    const double p3 = phase;
    phase += increment;
    return _mm256_setr_pd(p0, p1, p2, p3);
}

AVX2_INLINE __m256d Positions(double offset, __m256d phases) { return _mm256_add_pd(_mm256_set1_pd(offset), phases); }

template <bool Saturating>
AVX2_INLINE __m256d Four(CFixedSweep<Saturating>& s, __m256d phases)
{
    return SweptDelayFour<Saturating>(s.table, s.tableMask, Positions(s.offset, phases), _mm256_set1_pd(s.depth),
                                      _mm256_set1_pd(s.baseDelay), s.longest, s.steady);
}

template <bool Saturating>
AVX2_INLINE __m256d Four(CFixedSweep<Saturating>& s)
{
    return Four(s, Phases(s.phase, s.increment));
}

// Four frames' Delays and Depths, from each frame's pair (Delay, Depth, ...).
AVX2_INLINE void SplitFour(__m128 a, __m128 b, __m128 c, __m128 d, __m256d& delays, __m256d& depths)
{
    const __m128 ab = _mm_unpacklo_ps(a, b); // Delay, Delay, Depth, Depth
    const __m128 cd = _mm_unpacklo_ps(c, d);
    delays = _mm256_cvtps_pd(_mm_movelh_ps(ab, cd));
    depths = _mm256_cvtps_pd(_mm_movehl_ps(cd, ab));
}

// The base delays and depths of four frames, stepping the ramp after each.
template <bool Saturating>
AVX2_INLINE void StepFour(CDelayDepthSweep<Saturating>& s, __m256d& delays, __m256d& depths)
{
    const __m128 a = s.TakeStep(), b = s.TakeStep(), c = s.TakeStep(), d = s.TakeStep();
    SplitFour(a, b, c, d, delays, depths);
}

template <bool Saturating>
AVX2_INLINE __m256d Four(CDelayDepthSweep<Saturating>& s)
{
    __m256d delays, depths;
    StepFour(s, delays, depths);
    const __m256d g = Positions(s.offset, Phases(s.phase, s.increment));
    return SweptDelayFour<Saturating>(s.table, s.tableMask, g, depths, delays, s.longest, s.steady);
}

// Twins(): ChorusSweep.h.
template <bool SA, bool SB>
AVX2_INLINE void FourTwins(CFixedSweep<SA>& a, __m256d& delayA, CFixedSweep<SB>& b, __m256d& delayB)
{
    const __m256d phases = Phases(a.phase, a.increment);
    b.phase = a.phase;
    delayA = Four(a, phases);
    delayB = Four(b, phases);
}

template <bool SA, bool SB>
AVX2_INLINE void FourTwins(CDelayDepthSweep<SA>& a, __m256d& delayA, CDelayDepthSweep<SB>& b, __m256d& delayB)
{
    __m256d delays, depths;
    StepFour(a, delays, depths);
    if (b.wholeSet) {
        for (int i = 0; i < 4; ++i)
            b.Step(); // its other values and steps end as they would
    } else {
        b.pair = a.pair;
    }
    const __m256d phases = Phases(a.phase, a.increment);
    b.phase = a.phase;
    delayA = SweptDelayFour<SA>(a.table, a.tableMask, Positions(a.offset, phases), depths, delays, a.longest, a.steady);
    delayB = SweptDelayFour<SB>(b.table, b.tableMask, Positions(b.offset, phases), depths, delays, b.longest, b.steady);
}

template <class SweepA, class SweepB>
AVX2_INLINE void FourTwins(SweepA&, __m256d&, SweepB&, __m256d&)
{
}

// Clears the upper halves of the wide registers before SSE code runs (here or in the caller): with
// them dirty, every SSE instruction would wait on them. The compiler does not do it for functions
// whose target only an attribute sets.
AVX2_INLINE void LeaveWideRegisters() { _mm256_zeroupper(); }

} // namespace

template <class Sweep>
AVX2_KERNEL void SweepChunkAvx2(Sweep& sweep, double* delay, int n)
{
    Sweep local = sweep;
    int f = 0;
    for (; f + 4 <= n; f += 4)
        _mm256_storeu_pd(delay + f, Four(local));
    LeaveWideRegisters();
    sweep = local;
    if (f < n)
        SweepChunk(sweep, delay + f, n - f); // the last frames, two at a time
}

namespace {

template <class SweepA, class SweepB>
AVX2_INLINE void SweepChunksFour(SweepA& a, double* delayA, SweepB& b, double* delayB, int n)
{
    SweepA localA = a;
    SweepB localB = b;
    int f = 0;
    if (Twins(localA, localB)) {
        for (; f + 4 <= n; f += 4) {
            __m256d fourA, fourB;
            FourTwins(localA, fourA, localB, fourB);
            _mm256_storeu_pd(delayA + f, fourA);
            _mm256_storeu_pd(delayB + f, fourB);
        }
    }
    for (; f + 4 <= n; f += 4) {
        _mm256_storeu_pd(delayA + f, Four(localA));
        _mm256_storeu_pd(delayB + f, Four(localB));
    }
    LeaveWideRegisters();
    a = localA;
    b = localB;
    if (f < n)
        SweepChunks(a, delayA + f, b, delayB + f, n - f); // the last frames, two at a time
}

// Four frames of a delay line pass at unit strides, with their delays d: each frame writes its
// input to the line at w and reads the line at its delay behind. Advances w, x and y by four.
template <bool Accumulate>
AVX2_INLINE void LineFour(float* line, uint32_t mask, uint32_t& w, const float*& x, float*& y, __m256d d,
                          const CFixedGains& gains, bool steady)
{
    const __m128i steps = _mm_setr_epi32(0, 1, 2, 3);
    // A frame whose whole delay k lies within 0..size - 5 reads two slots at or before its own:
    // never one that a later frame of the four writes, even through the wrap. With every k so,
    // the four writes may come first.
    const __m128i farthest = _mm_set1_epi32(static_cast<int>(mask - 4));
    const __m128i k = _mm256_cvttpd_epi32(d);
    // A steady sweep's four frames mostly share one whole delay: they read five samples in a
    // row, from `before` on, which then suffices to check.
    const uint32_t k0 = static_cast<uint32_t>(_mm_cvtsi128_si32(k));
    const uint32_t before = (w - k0 - 1u) & mask;
    const bool inARow = steady && k0 <= mask - 4u && before <= mask - 4u
                     && _mm_movemask_epi8(_mm_cmpeq_epi32(k, _mm_shuffle_epi32(k, 0))) == 0xFFFF;
    if (!inARow && _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_min_epu32(k, farthest), k)) != 0xFFFF) {
        const __m128d halves[2] = {_mm256_castpd256_pd128(d), _mm256_extractf128_pd(d, 1)};
        for (int pair = 0; pair < 2; ++pair) {
            const __m128 result = DelayLinePair(line, mask, w, LoadFloatPair(x), halves[pair], _mm_set1_pd(gains.dry),
                                                _mm_set1_pd(gains.wet));
            StoreFloatPair(y, Accumulate ? _mm_add_ps(LoadFloatPair(y), result) : result);
            w += 2;
            x += 2;
            y += 2;
        }
        return;
    }
    const __m128 in = _mm_loadu_ps(x);
    const uint32_t slot = w & mask;
    if (slot + 3u <= mask) {
        _mm_storeu_ps(line + slot, in);
    } else {
        _mm_store_ss(line + slot, in);
        _mm_store_ss(line + ((w + 1u) & mask), _mm_shuffle_ps(in, in, 1));
        _mm_store_ss(line + ((w + 2u) & mask), _mm_shuffle_ps(in, in, 2));
        _mm_store_ss(line + ((w + 3u) & mask), _mm_shuffle_ps(in, in, 3));
    }
    // Each frame reads the slot before its own less k, and the one after that (which the
    // frames ahead may lie up to three behind, when the delay grows fast).
    __m128 a, b;
    if (inARow) {
        b = _mm_loadu_ps(line + before);
        a = _mm_loadu_ps(line + before + 1);
    } else {
        const __m128i r = _mm_sub_epi32(_mm_add_epi32(_mm_set1_epi32(static_cast<int>(w)), steps), k);
        const __m128i masks = _mm_set1_epi32(static_cast<int>(mask));
        LoadNeighbours(line, mask, _mm_and_si128(_mm_sub_epi32(r, _mm_set1_epi32(1)), masks), 3, false, b, a);
    }
    const __m256d dry = _mm256_mul_pd(_mm256_cvtps_pd(in), _mm256_set1_pd(gains.dry));
    const __m256d fraction = _mm256_sub_pd(d, _mm256_cvtepi32_pd(k));
    const __m256d wet = _mm256_add_pd(_mm256_cvtps_pd(a), _mm256_mul_pd(_mm256_cvtps_pd(_mm_sub_ps(b, a)), fraction));
    const __m128 result =
        _mm256_cvtpd_ps(SaturateFour(_mm256_add_pd(dry, _mm256_mul_pd(wet, _mm256_set1_pd(gains.wet))), FLT_MAX));
    _mm_storeu_ps(y, Accumulate ? _mm_add_ps(_mm_loadu_ps(y), result) : result);
    w += 4;
    x += 4;
    y += 4;
}

// Whether LineFour() may run a pass: unit strides, buffers that pairs may take, a line of 8 or more.
AVX2_INLINE bool FourAtOnce(bool pairs, int inStride, int outStride, uint32_t mask)
{
    return pairs && inStride == 1 && outStride == 1 && mask >= 7;
}

template <bool Accumulate>
AVX2_INLINE uint32_t DelayLineFour(float* line, uint32_t mask, uint32_t w, const float*& x, int inStride, float*& y,
                                   int outStride, const double* delay, const CFixedGains& gains, int n, bool pairs,
                                   bool steady)
{
    if (!FourAtOnce(pairs, inStride, outStride, mask))
        return RunDelayLine<Accumulate>(line, mask, w, x, inStride, y, outStride, delay, gains, n, pairs);
    const float* input = x;
    float* output = y;
    int f = 0;
    for (; f + 4 <= n; f += 4)
        LineFour<Accumulate>(line, mask, w, input, output, _mm256_loadu_pd(delay + f), gains, steady);
    LeaveWideRegisters();
    if (f < n)
        w = RunDelayLine<Accumulate, true>(line, mask, w, input, 1, output, 1, delay + f, gains, n - f, true);
    x = input;
    y = output;
    return w;
}

// CLinePass::Run<Accumulate, true>() with the pass's fixed gains.
template <bool Accumulate>
AVX2_INLINE void RunPass(CLinePass& pass, const double* delays, int n)
{
    const CFixedGains gains = pass.gains;
    const float* input = pass.x;
    float* output = pass.y;
    pass.w = DelayLineFour<Accumulate>(pass.line, pass.mask, pass.w, input, pass.inStride, output, pass.outStride,
                                       delays, gains, n, pass.pairs, pass.steady);
    pass.x = input;
    pass.y = output;
}

} // namespace

template <class SweepA, class SweepB>
AVX2_KERNEL void SweepChunksAvx2(SweepA& a, double* delayA, SweepB& b, double* delayB, int n)
{
    SweepChunksFour(a, delayA, b, delayB, n);
}

template <bool Accumulate>
AVX2_KERNEL uint32_t RunDelayLineAvx2(float* line, uint32_t mask, uint32_t w, const float*& x, int inStride, float*& y,
                                      int outStride, const double* delay, const CFixedGains& gains, int n, bool pairs,
                                      bool steady)
{
    return DelayLineFour<Accumulate>(line, mask, w, x, inStride, y, outStride, delay, gains, n, pairs, steady);
}

namespace {

// Where a pass's line and samples stand: the interleaved loops' locals, which no store of a
// sample can alias.
struct CLineCursor
{
    uint32_t w;
    const float* x;
    float* y;
};

AVX2_INLINE CLineCursor Cursor(const CLinePass& pass) { return CLineCursor{pass.w, pass.x, pass.y}; }

// The end of an interleaved pass whose sweeps are stored back: where the lines and the samples
// stand, into the passes, and the last n frames (under four) as the chunked passes end.
template <bool Accumulate, class SweepA, class SweepB>
AVX2_INLINE void EndInterleaved(SweepA& sweepA, CLinePass& passA, CLineCursor at, SweepB& sweepB, CLinePass& passB,
                                CLineCursor bt, int n)
{
    passA.x = at.x;
    passA.y = at.y;
    passB.x = bt.x;
    passB.y = bt.y;
    if (n > 0) {
        alignas(16) double tailA[4];
        alignas(16) double tailB[4];
        SweepChunks(sweepA, tailA, sweepB, tailB, n);
        at.w = RunDelayLine<Accumulate, true>(passA.line, passA.mask, at.w, passA.x, 1, passA.y, 1, tailA, passA.gains, n,
                                              true);
        bt.w = RunDelayLine<Accumulate, true>(passB.line, passB.mask, bt.w, passB.x, 1, passB.y, 1, tailB, passB.gains, n,
                                              true);
    }
    passA.w = at.w;
    passB.w = bt.w;
}

// RunPairAvx2() for passes that LineFour() can run: each four frames' delays go from the sweeps
// straight into both lines, in registers, with no array of delays in between. Each channel's
// frames still run in order, and the two touch disjoint samples (RunPair() checks), so the
// samples are those of the sweeps' chunk followed by each line's.
template <bool Accumulate, class SweepA, class SweepB>
AVX2_INLINE void RunPairInterleaved(SweepA& sweepA, CLinePass& passA, SweepB& sweepB, CLinePass& passB, int frames)
{
    // The loop's state lives in locals whose address nothing takes, so that it stays in registers;
    // the passes' fixed fields are read where used, and only what the frames move is stored back.
    SweepA a = sweepA;
    SweepB b = sweepB;
    const CLinePass& pa = passA;
    const CLinePass& pb = passB;
    CLineCursor at = Cursor(pa), bt = Cursor(pb);
    int f = 0;
    if (Twins(a, b)) {
        for (; f + 4 <= frames; f += 4) {
            __m256d delayA, delayB;
            FourTwins(a, delayA, b, delayB);
            LineFour<Accumulate>(pa.line, pa.mask, at.w, at.x, at.y, delayA, pa.gains, pa.steady);
            LineFour<Accumulate>(pb.line, pb.mask, bt.w, bt.x, bt.y, delayB, pb.gains, pb.steady);
        }
    }
    for (; f + 4 <= frames; f += 4) {
        const __m256d delayA = Four(a);
        const __m256d delayB = Four(b);
        LineFour<Accumulate>(pa.line, pa.mask, at.w, at.x, at.y, delayA, pa.gains, pa.steady);
        LineFour<Accumulate>(pb.line, pb.mask, bt.w, bt.x, bt.y, delayB, pb.gains, pb.steady);
    }
    LeaveWideRegisters();
    sweepA = a;
    sweepB = b;
    EndInterleaved<Accumulate>(sweepA, passA, at, sweepB, passB, bt, frames - f);
}

// What each of two twin sweeps reads on its own (the phase and its steps they share): its table,
// where on it, and its limits; locals of the loops below.
struct CTwinSide
{
    const float* table;
    int tableMask;
    double offset;
    double longest;
    bool steady;
};

template <class Sweep>
AVX2_INLINE CTwinSide SideOf(const Sweep& sweep)
{
    return CTwinSide{sweep.table, sweep.tableMask, sweep.offset, sweep.longest, sweep.steady};
}

// SweptDelayFour() of an unsaturated sweep's side at four shared phases.
AVX2_INLINE __m256d SweptDelay(const CTwinSide& side, __m256d phases, __m256d depth, __m256d baseDelay)
{
    return SweptDelayFour<false>(side.table, side.tableMask, Positions(side.offset, phases), depth, baseDelay,
                                 side.longest, side.steady);
}

// Four frames of twin fixed sweeps at their shared phases.
struct CFixedTwinsFour
{
    CTwinSide a, b;
    __m256d depthA, depthB, baseDelayA, baseDelayB;

    AVX2_INLINE void operator()(__m256d phases, __m256d& delayA, __m256d& delayB)
    {
        delayA = SweptDelay(a, phases, depthA, baseDelayA);
        delayB = SweptDelay(b, phases, depthB, baseDelayB);
    }
    AVX2_INLINE void Store(CFixedSweep<false>&, CFixedSweep<false>&) const {}
};

// Four frames of twin sweeps of a straight ramp that steps only the Delay and the Depth (neither
// steps its whole set): one pair of Delay and Depth serves both.
struct CDelayDepthTwinsFour
{
    CTwinSide a, b;
    __m128 pair, pairSteps;

    AVX2_INLINE void operator()(__m256d phases, __m256d& delayA, __m256d& delayB)
    {
        const __m128 first = pair;
        const __m128 second = _mm_add_ps(first, pairSteps);
        const __m128 third = _mm_add_ps(second, pairSteps);
        const __m128 fourth = _mm_add_ps(third, pairSteps);
        pair = _mm_add_ps(fourth, pairSteps);
        __m256d delays, depths;
        SplitFour(first, second, third, fourth, delays, depths);
        delayA = SweptDelay(a, phases, depths, delays);
        delayB = SweptDelay(b, phases, depths, delays);
    }
    AVX2_INLINE void Store(CDelayDepthSweep<false>& sweepA, CDelayDepthSweep<false>& sweepB) const
    {
        sweepA.pair = pair;
        sweepB.pair = pair;
    }
};

// RunPairInterleaved() for the commonest pairs: twin sweeps (Twins()) whose own fields `four`
// holds in locals, read once, with one phase for both; so no sweep is copied in or out and only
// what the frames move is stored back.
template <bool Accumulate, class Sweep, class Four>
AVX2_INLINE void RunTwinsInterleaved(Sweep& sweepA, CLinePass& passA, Sweep& sweepB, CLinePass& passB, int frames,
                                     Four four)
{
    const double increment = sweepA.increment;
    double phase = sweepA.phase;
    const CLinePass& pa = passA;
    const CLinePass& pb = passB;
    CLineCursor at = Cursor(pa), bt = Cursor(pb);
    int f = 0;
    for (; f + 4 <= frames; f += 4) {
        __m256d delayA, delayB;
        four(Phases(phase, increment), delayA, delayB);
        LineFour<Accumulate>(pa.line, pa.mask, at.w, at.x, at.y, delayA, pa.gains, pa.steady);
        LineFour<Accumulate>(pb.line, pb.mask, bt.w, bt.x, bt.y, delayB, pb.gains, pb.steady);
    }
    LeaveWideRegisters();
    sweepA.phase = phase;
    sweepB.phase = phase;
    four.Store(sweepA, sweepB);
    EndInterleaved<Accumulate>(sweepA, passA, at, sweepB, passB, bt, frames - f);
}

template <bool Accumulate, class SweepA, class SweepB>
AVX2_INLINE void RunInterleaved(SweepA& sweepA, CLinePass& passA, SweepB& sweepB, CLinePass& passB, int frames)
{
    RunPairInterleaved<Accumulate>(sweepA, passA, sweepB, passB, frames);
}

template <bool Accumulate>
AVX2_INLINE void RunInterleaved(CDelayDepthSweep<false>& sweepA, CLinePass& passA, CDelayDepthSweep<false>& sweepB,
                                CLinePass& passB, int frames)
{
    if (!sweepA.wholeSet && !sweepB.wholeSet && Twins(sweepA, sweepB))
        RunTwinsInterleaved<Accumulate>(sweepA, passA, sweepB, passB, frames,
                                        CDelayDepthTwinsFour{SideOf(sweepA), SideOf(sweepB), sweepA.pair,
                                                             sweepA.pairSteps});
    else
        RunPairInterleaved<Accumulate>(sweepA, passA, sweepB, passB, frames);
}

template <bool Accumulate>
AVX2_INLINE void RunInterleaved(CFixedSweep<false>& sweepA, CLinePass& passA, CFixedSweep<false>& sweepB,
                                CLinePass& passB, int frames)
{
    if (Twins(sweepA, sweepB))
        RunTwinsInterleaved<Accumulate>(sweepA, passA, sweepB, passB, frames,
                                        CFixedTwinsFour{SideOf(sweepA), SideOf(sweepB), _mm256_set1_pd(sweepA.depth),
                                                        _mm256_set1_pd(sweepB.depth), _mm256_set1_pd(sweepA.baseDelay),
                                                        _mm256_set1_pd(sweepB.baseDelay)});
    else
        RunPairInterleaved<Accumulate>(sweepA, passA, sweepB, passB, frames);
}

} // namespace

namespace {

// RunPairAvx2() for other passes: each chunk's sweeps, then each line. Out of line, so that its
// arrays of delays take no stack (and its set-up no time) where the interleaved pass runs.
template <bool Accumulate, class SweepA, class SweepB>
__attribute__((target("avx2"), noinline)) void RunPairChunked(SweepA& sweepA, CLinePass& passA, SweepB& sweepB,
                                                              CLinePass& passB, int frames)
{
    alignas(32) double delaysA[kSweepChunkFrames];
    alignas(32) double delaysB[kSweepChunkFrames];
    for (int done = 0; done < frames; done += kSweepChunkFrames) {
        const int n = frames - done < kSweepChunkFrames ? frames - done : kSweepChunkFrames;
        SweepChunksFour(sweepA, delaysA, sweepB, delaysB, n);
        RunPass<Accumulate>(passA, delaysA, n);
        RunPass<Accumulate>(passB, delaysB, n);
    }
}

} // namespace

template <bool Accumulate, class SweepA, class SweepB>
AVX2_KERNEL void RunPairAvx2(SweepA& sweepA, CLinePass& passA, SweepB& sweepB, CLinePass& passB, int frames)
{
    // One function for a small block's whole pass, so it pays one entry and exit, not four. The
    // interleaved pass sets up faster but keeps more in flight per frame (about 2.4 instructions
    // more per frame of the pair, against 77 fewer per block): it pays below 32 frames.
    if (frames < 32 && FourAtOnce(passA.pairs, passA.inStride, passA.outStride, passA.mask)
        && FourAtOnce(passB.pairs, passB.inStride, passB.outStride, passB.mask))
        RunInterleaved<Accumulate>(sweepA, passA, sweepB, passB, frames);
    else
        RunPairChunked<Accumulate>(sweepA, passA, sweepB, passB, frames);
}

template uint32_t RunDelayLineAvx2<false>(float*, uint32_t, uint32_t, const float*&, int, float*&, int, const double*,
                                          const CFixedGains&, int, bool, bool);
template uint32_t RunDelayLineAvx2<true>(float*, uint32_t, uint32_t, const float*&, int, float*&, int, const double*,
                                         const CFixedGains&, int, bool, bool);

#define CHORUS_SWEEP_ONE(A) template void SweepChunkAvx2<A>(A&, double*, int);
#define CHORUS_SWEEP_TWO(A, B)                                                                                       \
    template void SweepChunksAvx2<A, B>(A&, double*, B&, double*, int);                                              \
    template void RunPairAvx2<false, A, B>(A&, CLinePass&, B&, CLinePass&, int);                                     \
    template void RunPairAvx2<true, A, B>(A&, CLinePass&, B&, CLinePass&, int);
#define CHORUS_SWEEP_WITH(A)                                                                                         \
    CHORUS_SWEEP_ONE(A)                                                                                              \
    CHORUS_SWEEP_TWO(A, CFixedSweep<false>)                                                                          \
    CHORUS_SWEEP_TWO(A, CFixedSweep<true>)                                                                           \
    CHORUS_SWEEP_TWO(A, CDelayDepthSweep<false>)                                                                     \
    CHORUS_SWEEP_TWO(A, CDelayDepthSweep<true>)
CHORUS_SWEEP_WITH(CFixedSweep<false>)
CHORUS_SWEEP_WITH(CFixedSweep<true>)
CHORUS_SWEEP_WITH(CDelayDepthSweep<false>)
CHORUS_SWEEP_WITH(CDelayDepthSweep<true>)

#endif
