#include "Chorus.h"
#include "ChorusAvx2.h"
#include "ChorusChunk.h"
#include "ChorusKernels.h"
#include "FastDecibel.h"
#include <cmath>
#include <cstdint>
#include <cstring>

// The processing path: Process() takes the block's ramp, then one of the frame loops runs the
// block on local copies of the state.

namespace {

// True when adding the step cannot change what the value derives: the step is a zero of
// either sign (it may at most turn -0 into +0, which derives the same gain level and waveform).
inline bool IsZeroStep(float step) { return step == 0.0f; }

// True when every frame of a ramp sees exactly the starting bits of a value, so that whatever
// it derives holds for the block: its step (and, on a curved ramp, the step's step) are zeros,
// so the steps stay zeros, and adding a zero leaves the value bit for bit in any rounding mode. Not so for NaN (an addition may quieten it), subnormals (flushed to zero
// where the host asks for it), -0 (which +0 turns into +0) and +0 meeting a -0 (which gives -0
// when rounding down). Classified by its bits, which costs a few instructions where
// std::fpclassify cost a call on every block.
[[gnu::always_inline]] inline bool HoldsStill(float value, float step, float curve, bool curved)
{
    if (!(step == 0.0f && (!curved || curve == 0.0f)))
        return false;
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const uint32_t exponent = bits & 0x7F800000u;
    const uint32_t mantissa = bits & 0x007FFFFFu;
    if (exponent == 0x7F800000u)
        return mantissa == 0; // infinite, not NaN
    if (exponent != 0)
        return true; // normal
    const bool onlyPlusZeros = !std::signbit(value) && !std::signbit(step) && (!curved || !std::signbit(curve));
    return mantissa == 0 && onlyPlusZeros; // a zero, not a subnormal
}

// HoldsStill() for the four lanes of a register of values, steps and steps' steps, as a 4-bit
// mask of the lanes that hold still: the same tests on the lanes' bits, side by side.
inline int HoldingLanes(__m128 value, __m128 step, __m128 curve, bool curved)
{
    const __m128 zero = _mm_setzero_ps();
    __m128 zeroSteps = _mm_cmpeq_ps(step, zero); // false for NaN, true for either zero, as ==
    __m128i signs = _mm_or_si128(_mm_castps_si128(value), _mm_castps_si128(step));
    if (curved) {
        zeroSteps = _mm_and_ps(zeroSteps, _mm_cmpeq_ps(curve, zero));
        signs = _mm_or_si128(signs, _mm_castps_si128(curve));
    }
    const __m128i bits = _mm_castps_si128(value);
    const __m128i exponentBits = _mm_set1_epi32(0x7F800000);
    const __m128i none = _mm_setzero_si128();
    const __m128i exponent = _mm_and_si128(bits, exponentBits);
    const __m128i exponentFull = _mm_cmpeq_epi32(exponent, exponentBits);
    const __m128i exponentZero = _mm_cmpeq_epi32(exponent, none);
    const __m128i mantissaZero = _mm_cmpeq_epi32(_mm_and_si128(bits, _mm_set1_epi32(0x007FFFFF)), none);
    const __m128i normal = _mm_andnot_si128(_mm_or_si128(exponentZero, exponentFull), _mm_set1_epi32(-1));
    const __m128i infinite = _mm_and_si128(exponentFull, mantissaZero);
    const __m128i plusZero = _mm_andnot_si128(_mm_cmplt_epi32(signs, none), _mm_and_si128(exponentZero, mantissaZero));
    const __m128i holds = _mm_and_si128(_mm_castps_si128(zeroSteps), _mm_or_si128(_mm_or_si128(normal, infinite), plusZero));
    return _mm_movemask_ps(_mm_castsi128_ps(holds));
}

} // namespace

template <bool Accumulate>
void CChorus::Process(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                      const CValueArrayList* changes)
{
    CBlock block;
    if (Begin(inputs, outputs, changes, block))
        Run<Accumulate>(block, frames);
}

bool CChorus::Begin(const CAudioBufferList* inputs, const CAudioBufferList* outputs, const CValueArrayList* changes,
                    CBlock& block)
{
    if (!inputs || !outputs || inputs->GetCount() == 0 || outputs->GetCount() == 0)
        return false;
    const CAudioBuffer* in = inputs->GetConstBuffer(0);
    CAudioBuffer* out = outputs->GetBuffer(0);
    if (!in || !out || !m_line.Data())
        return false;

    int sets = 0;
    if (changes) {
        sets = changes->GetUsed() < kSets ? changes->GetUsed() : kSets;
        for (int s = 0; s < sets; ++s)
            if (const CValueArray* values = changes->GetItem(s); values && values->GetCount() == kParameterCount)
                ToInternal(*values, m_sets[s]);
    }
    Prepare(CFrames{in->GetReadPointer(), in->GetStride(), out->GetWritePointer(), out->GetStride()}, sets, block);
    return true;
}

bool CChorus::Begin(const float* input, float* output, const float* const* ramp, int sets, float phaseShare,
                    CBlock& block)
{
    if (!m_line.Data())
        return false;
    sets = sets < kSets ? sets : kSets;
    for (int s = 0; s < sets; ++s) {
        ToInternal(ramp[s], m_sets[s]);
        const float phase = ramp[s][kPhase] * phaseShare;
        m_sets[s][kPhase] = static_cast<float>(phase * 0.01); // as ToInternal() converts it
    }
    Prepare(CFrames{input, 1, output, 1}, sets, block);
    return true;
}

bool CChorus::BeginTwin(const CChorus& first, const CBlock& firstBlock, const float* input, float* output,
                        const float* const* ramp, int sets, float phaseShare, CBlock& block)
{
    if (!first.m_line.Data() || first.m_sampleRate != m_sampleRate || first.m_tablePerSecond != m_tablePerSecond)
        return Begin(input, output, ramp, sets, phaseShare, block);
    if (!m_line.Data())
        return false;
    sets = sets < kSets ? sets : kSets;
    for (int s = 0; s < sets; ++s) {
        std::memcpy(m_sets[s], first.m_sets[s], sizeof m_sets[s]);
        const float phase = ramp[s][kPhase] * phaseShare;
        m_sets[s][kPhase] = static_cast<float>(phase * 0.01); // as ToInternal() converts it
    }
    if (sets >= 1) {
        m_dryGain = first.m_dryGain;
        m_wetGain = first.m_wetGain;
        RecomputeSweep();
    }
    block.io = CFrames{input, 1, output, 1};
    block.sets = sets;
    // Where first's ramp moves only the Delay and the Depth, every value but the Phase held still
    // there and holds still here: only this channel's Phase remains to test.
    const bool curved = sets > 2;
    block.sweepOnly = sets > 1
                   && (firstBlock.sweepOnly && firstBlock.sets == sets
                           ? HoldsStill(m_sets[0][kPhase], m_sets[1][kPhase], m_sets[2][kPhase], curved)
                           : IsSweepOnlyRamp(sets));
    return true;
}

void CChorus::Recompute()
{
    const float* v = m_sets[0];
    const double level = FastDecibelToLevel(v[kGain]);
    m_dryGain = FiniteFloat(level * v[kDry]);
    m_wetGain = FiniteFloat(level * v[kWet]);
    RecomputeSweep();
}

void CChorus::RecomputeSweep()
{
    const float* v = m_sets[0];
    m_baseDelay = v[kDelay];
    m_depth = v[kDepth];

    CWavetableLfo* chosen = ChooseLfo(v[kLfoType], m_lfo);
    if (chosen != m_lfo) {
        chosen->phase = m_lfo->phase; // the sweep continues without a jump
        m_lfo = chosen;
    }
    if (m_sampleRate != 0.0) {
        m_lfo->increment = m_tablePerSecond * v[kRate];
        m_lfo->offset = static_cast<float>(m_lfo->table.GetSize()) * v[kPhase];
    }
}

// Flattened: its Recompute(), RecomputeSweep() and IsSweepOnlyRamp() in line, not three calls.
[[gnu::flatten]] bool CChorus::BeginPair(CChorus& a, const float* inputA, float* outputA, float shareA, CChorus& b,
                        const float* inputB, float* outputB, float shareB, const float* const* ramp, int sets,
                        CBlock& blockA, CBlock& blockB)
{
    if (!a.m_line.Data() || !b.m_line.Data() || a.m_sampleRate != b.m_sampleRate
        || a.m_tablePerSecond != b.m_tablePerSecond || sets < 1)
        return false;
    sets = sets < kSets ? sets : kSets;
    // Each set converted once, for a; b's is the same but for its Phase share.
    for (int s = 0; s < sets; ++s) {
        a.ToInternal(ramp[s], a.m_sets[s]);
        std::memcpy(b.m_sets[s], a.m_sets[s], sizeof b.m_sets[s]);
        const float phase = ramp[s][kPhase];
        a.m_sets[s][kPhase] = static_cast<float>(phase * shareA * 0.01); // as ToInternal() converts it
        b.m_sets[s][kPhase] = static_cast<float>(phase * shareB * 0.01);
    }
    a.Recompute();
    b.m_dryGain = a.m_dryGain;
    b.m_wetGain = a.m_wetGain;
    b.RecomputeSweep();
    blockA = CBlock{CFrames{inputA, 1, outputA, 1}, sets, sets > 1 && a.IsSweepOnlyRamp(sets)};
    // Where a's ramp moves only the Delay and the Depth, every value but the Phase held still
    // there and holds still here: only b's Phase remains to test.
    const bool curved = sets > 2;
    blockB = CBlock{CFrames{inputB, 1, outputB, 1}, sets,
                    sets > 1
                        && (blockA.sweepOnly ? HoldsStill(b.m_sets[0][kPhase], b.m_sets[1][kPhase], b.m_sets[2][kPhase], curved)
                                             : b.IsSweepOnlyRamp(sets))};
    return true;
}

void CChorus::Prepare(const CFrames& io, int sets, CBlock& block)
{
    if (sets >= 1)
        Recompute();
    block.io = io;
    block.sets = sets;
    block.sweepOnly = sets > 1 && IsSweepOnlyRamp(sets);
}

bool CChorus::IsSweepOnlyRamp(int sets) const
{
    const bool curved = sets > 2;
    const bool typeMoves = !IsZeroStep(m_sets[1][kLfoType]) || (curved && !IsZeroStep(m_sets[2][kLfoType]));
    if (typeMoves || m_sampleRate == 0.0)
        return false;
    // HoldsStill() for the Gain, the Dry and the Wet (lanes 0 .. 2 of the first four values) and
    // for the Rate and the Phase (lanes 1 and 2 of the second four).
    static_assert(kGain == 0 && kDry == 1 && kWet == 2 && kRate == 5 && kPhase == 6, "the lanes below");
    const int first = HoldingLanes(_mm_loadu_ps(m_sets[0]), _mm_loadu_ps(m_sets[1]), _mm_loadu_ps(m_sets[2]), curved);
    const int second =
        HoldingLanes(_mm_loadu_ps(m_sets[0] + 4), _mm_loadu_ps(m_sets[1] + 4), _mm_loadu_ps(m_sets[2] + 4), curved);
    return (first & 0x7) == 0x7 && (second & 0x6) == 0x6;
}

template <bool Accumulate>
void CChorus::Run(const CBlock& block, int frames)
{
    if (block.sweepOnly || block.sets <= 1)
        WithSweep(block, frames, [&](auto sweep) { RunChunks<Accumulate>(block.io, frames, sweep); });
    else
        ProcessRamp<Accumulate>(block.io, frames, block.sets);
    m_lfo->WrapPhase();
}

void CChorus::Run(const CBlock& block, int frames, bool accumulate)
{
    if (accumulate)
        Run<true>(block, frames);
    else
        Run<false>(block, frames);
}

namespace {

// Whether one pass may run a chunk of x's channel, then of y's, as x's block then y's would:
// neither channel writes samples where the other one reads or writes.
[[gnu::always_inline]] inline bool ApartInPair(const CChorus::CFrames& x, const CChorus::CFrames& y, int frames)
{
    return Disjoint(x.output, x.outputStride, y.input, y.inputStride, frames)
        && Disjoint(x.input, x.inputStride, y.output, y.outputStride, frames)
        && Disjoint(x.output, x.outputStride, y.output, y.outputStride, frames);
}

} // namespace

void CChorus::RunPair(CChorus& a, const CBlock& blockA, CChorus& b, const CBlock& blockB, int frames, bool accumulate)
{
    // One pass runs a chunk of a, then the same chunk of b: the same as a's block then b's only
    // while neither channel's samples are written where the other one reads or writes.
    const bool fusable = (blockA.sets <= 1 || blockA.sweepOnly) && (blockB.sets <= 1 || blockB.sweepOnly);
    if (fusable && ApartInPair(blockA.io, blockB.io, frames)) {
        if (accumulate)
            RunFused<true>(a, blockA, b, blockB, frames);
        else
            RunFused<false>(a, blockA, b, blockB, frames);
        return;
    }
    a.Run(blockA, frames, accumulate);
    b.Run(blockB, frames, accumulate);
}

inline bool CChorus::FusesInRange(const CChorus& a, const CFrames& x, const CChorus& b, const CFrames& y, int frames)
{
    // The unsaturated sweeps' condition (WithSweep) and RunPair()'s for one pass over both.
    const CWavetableLfo& lfoA = *a.m_lfo;
    const CWavetableLfo& lfoB = *b.m_lfo;
    return a.m_line.Data() && b.m_line.Data() && KeepsInRange(lfoA.offset, lfoA.phase, lfoA.increment, frames)
        && KeepsInRange(lfoB.offset, lfoB.phase, lfoB.increment, frames) && ApartInPair(x, y, frames);
}

bool CChorus::RunSteadyPair(CChorus& a, const float* inputA, float* outputA, CChorus& b, const float* inputB,
                            float* outputB, int frames, bool accumulate)
{
    // A steady block takes its sets as it finds them (BeginSteady), so the sweeps are fixed ones.
    const CFrames x{inputA, 1, outputA, 1};
    const CFrames y{inputB, 1, outputB, 1};
    if (!FusesInRange(a, x, b, y, frames))
        return false;
    CFixedSweep<false> sweepA = a.FixedSweep<false>();
    CFixedSweep<false> sweepB = b.FixedSweep<false>();
    accumulate ? RunPasses<true>(a, sweepA, x, b, sweepB, y, frames) : RunPasses<false>(a, sweepA, x, b, sweepB, y, frames);
    return true;
}

bool CChorus::RunSweepOnlyPair(CChorus& a, const CBlock& blockA, CChorus& b, const CBlock& blockB, int frames,
                               bool accumulate)
{
    if (!blockA.sweepOnly || !blockB.sweepOnly || blockA.sets != blockB.sets
        || !FusesInRange(a, blockA.io, b, blockB.io, frames))
        return false;
    const bool curved = blockA.sets > 2;
    CDelayDepthSweep<false> sweepA = a.DelayDepthSweep<false>(curved);
    CDelayDepthSweep<false> sweepB = b.DelayDepthSweep<false>(curved);
    const CFrames& x = blockA.io;
    const CFrames& y = blockB.io;
    accumulate ? RunPasses<true>(a, sweepA, x, b, sweepB, y, frames) : RunPasses<false>(a, sweepA, x, b, sweepB, y, frames);
    return true;
}

template <bool Saturating>
CFixedSweep<Saturating> CChorus::FixedSweep() const
{
    const CWavetableLfo& lfo = *m_lfo;
    return CFixedSweep<Saturating>{lfo.table.Data(), lfo.table.GetMask(), lfo.offset, lfo.increment, m_depth,
                                   m_baseDelay, lfo.phase, m_longestDelay,
                                   SteadySweep(lfo.increment, m_depth, m_baseDelay)};
}

template <class Then>
void CChorus::WithSweep(const CBlock& block, int frames, const Then& run)
{
    const CWavetableLfo& lfo = *m_lfo;
    const bool inRange = KeepsInRange(lfo.offset, lfo.phase, lfo.increment, frames);
    if (block.sweepOnly) {
        const bool curved = block.sets > 2;
        if (inRange)
            run(DelayDepthSweep<false>(curved));
        else
            run(DelayDepthSweep<true>(curved));
        return;
    }
    if (inRange)
        run(FixedSweep<false>());
    else
        run(FixedSweep<true>());
}

template <bool Saturating>
inline CDelayDepthSweep<Saturating> CChorus::DelayDepthSweep(bool curved) const
{
    // The gains, the increment and the phase offset Recompute() derived from the starting values
    // hold for every frame; the base delay and the depth come from the stepping set.
    static_assert(kParameterCount == 8, "a set is two registers of four");
    const CWavetableLfo& lfo = *m_lfo;
    // A straight ramp steps only the Delay and the Depth when the LFO Type holds still too (the
    // ramp's other values do: IsSweepOnlyRamp()).
    const bool wholeSet = curved || !HoldsStill(m_sets[0][kLfoType], m_sets[1][kLfoType], m_sets[2][kLfoType], false);
    const __m128 pair = _mm_setr_ps(m_sets[0][kDelay], m_sets[0][kDepth], 0.0f, 0.0f);
    const __m128 pairSteps = _mm_setr_ps(m_sets[1][kDelay], m_sets[1][kDepth], 0.0f, 0.0f);
    return CDelayDepthSweep<Saturating>{lfo.table.Data(), lfo.table.GetMask(), lfo.offset, lfo.increment, lfo.phase,
                                        m_longestDelay, SteadySweep(lfo.increment, m_depth, m_baseDelay), curved, wholeSet,
                                        _mm_loadu_ps(m_sets[0]), _mm_loadu_ps(m_sets[0] + 4), _mm_loadu_ps(m_sets[1]),
                                        _mm_loadu_ps(m_sets[1] + 4), _mm_loadu_ps(m_sets[2]), _mm_loadu_ps(m_sets[2] + 4),
                                        pair, pairSteps};
}

CLinePass CChorus::LinePass(const CFrames& io, int frames)
{
    return LinePass(io, frames, SteadySweep(m_lfo->increment, m_depth, m_baseDelay));
}

[[gnu::always_inline]] inline CLinePass CChorus::LinePass(const CFrames& io, int frames, bool steady)
{
    return CLinePass{m_line.Data(), static_cast<uint32_t>(m_line.GetMask()), static_cast<uint32_t>(m_line.GetPosition()),
                     io.input, io.inputStride, io.output, io.outputStride,
                     MayPairFrames(io.input, io.inputStride, io.output, io.outputStride, frames), steady,
                     CFixedGains{m_dryGain, m_wetGain}};
}

template <bool Saturating>
void CChorus::Finish(const CFixedSweep<Saturating>& sweep, const CLinePass& pass)
{
    m_lfo->phase = sweep.phase;
    m_line.SetPosition(static_cast<int>(pass.w & pass.mask));
}

template <bool Saturating>
inline void CChorus::Finish(const CDelayDepthSweep<Saturating>& sweep, const CLinePass& pass)
{
    sweep.Store(m_sets[0], m_sets[1], kDelay, kDepth);
    m_lfo->phase = sweep.phase;
    m_line.SetPosition(static_cast<int>(pass.w & pass.mask));
    // The values after the last step, as the next block starts from them. Where only the Delay
    // and the Depth stepped, every other value kept its bits (IsSweepOnlyRamp), so all Recompute()
    // would change are those two.
    if (sweep.wholeSet) {
        Recompute();
    } else {
        m_baseDelay = m_sets[0][kDelay];
        m_depth = m_sets[0][kDepth];
    }
}

#if CHORUS_AVX2
namespace {

// The AVX2 passes take a whole usual block per chunk; kept out of line, so that the SSE2 loops'
// code and stack stay as they measured fastest.
template <bool Accumulate, class Sweep>
__attribute__((noinline)) void RunChunksAvx2(Sweep& sweep, CLinePass& pass, int frames)
{
    alignas(32) double delays[kSweepChunkFrames];
    for (int done = 0; done < frames; done += kSweepChunkFrames) {
        const int n = frames - done < kSweepChunkFrames ? frames - done : kSweepChunkFrames;
        SweepChunkAvx2(sweep, delays, n);
        pass.Run<Accumulate, true>(delays, n);
    }
}

} // namespace
#endif

template <bool Accumulate, class Sweep>
void CChorus::RunChunks(const CFrames& io, int frames, Sweep& sweep)
{
    CLinePass pass = LinePass(io, frames, sweep.steady); // the sweep has just found it from the same values
#if CHORUS_AVX2
    if (UsingAvx2Kernels()) {
        RunChunksAvx2<Accumulate>(sweep, pass, frames);
        Finish(sweep, pass);
        return;
    }
#endif
    alignas(16) double delays[kChunkFrames];
    for (int done = 0; done < frames; done += kChunkFrames) {
        const int n = frames - done < kChunkFrames ? frames - done : kChunkFrames;
        SweepChunk(sweep, delays, n);
        pass.Run<Accumulate>(delays, n);
    }
    Finish(sweep, pass);
}

template <bool Accumulate, class SweepA, class SweepB>
inline void CChorus::RunPasses(CChorus& a, SweepA& sweepA, const CFrames& x, CChorus& b, SweepB& sweepB, const CFrames& y,
                               int frames)
{
    // Each sweep has just found whether it is steady, from the values the passes would ask.
    CLinePass passA = a.LinePass(x, frames, sweepA.steady);
    CLinePass passB = b.LinePass(y, frames, sweepB.steady);
#if CHORUS_AVX2
    if (UsingAvx2Kernels())
        RunPairAvx2<Accumulate>(sweepA, passA, sweepB, passB, frames);
    else
#endif
    {
        alignas(16) double delaysA[kChunkFrames];
        alignas(16) double delaysB[kChunkFrames];
        for (int done = 0; done < frames; done += kChunkFrames) {
            const int n = frames - done < kChunkFrames ? frames - done : kChunkFrames;
            SweepChunks(sweepA, delaysA, sweepB, delaysB, n);
            passA.Run<Accumulate>(delaysA, n);
            passB.Run<Accumulate>(delaysB, n);
        }
    }
    a.Finish(sweepA, passA);
    a.m_lfo->WrapPhase();
    b.Finish(sweepB, passB);
    b.m_lfo->WrapPhase();
}

template <bool Accumulate>
void CChorus::RunFused(CChorus& a, const CBlock& blockA, CChorus& b, const CBlock& blockB, int frames)
{
    a.WithSweep(blockA, frames, [&](auto sweepA) {
        b.WithSweep(blockB, frames,
                    [&](auto sweepB) { RunPasses<Accumulate>(a, sweepA, blockA.io, b, sweepB, blockB.io, frames); });
    });
}

template <bool Accumulate>
void CChorus::ProcessRampOneWaveform(const CFrames& io, int frames, bool curved)
{
    // Per chunk: the ramp steps two frames at a time and everything derived from the two frames'
    // values is computed side by side; then the sweep (accumulating the phase frame by frame) and
    // the delay line follow. The waveform stays, so one table serves the whole block.
    static_assert(kParameterCount == 8, "a set is two registers of four");
    const bool gainMoves = !IsZeroStep(m_sets[1][kGain]) || (curved && !IsZeroStep(m_sets[2][kGain]));
    const double fixedLevel = FastDecibelToLevel(m_sets[0][kGain]);
    const double tablePerSecond = m_tablePerSecond;

    CWavetableLfo& lfo = *m_lfo;
    const float* table = lfo.table.Data();
    const int tableMask = lfo.table.GetMask();
    const float tableSize = static_cast<float>(lfo.table.GetSize());
    double phase = lfo.phase;

    CLinePass pass = LinePass(io, frames);

    alignas(16) float depths[kChunkFrames];
    alignas(16) float baseDelays[kChunkFrames];
    alignas(16) float dryGains[kChunkFrames];
    alignas(16) float wetGains[kChunkFrames];
    alignas(16) float offsets[kChunkFrames];
    alignas(16) double increments[kChunkFrames];
    alignas(16) double delays[kChunkFrames];
    // The eight values of a set are two registers of four, each lane adding as its own float.
    __m128 values0 = _mm_loadu_ps(m_sets[0]), values1 = _mm_loadu_ps(m_sets[0] + 4);
    __m128 steps0 = _mm_loadu_ps(m_sets[1]), steps1 = _mm_loadu_ps(m_sets[1] + 4);
    const __m128 curve0 = _mm_loadu_ps(m_sets[2]), curve1 = _mm_loadu_ps(m_sets[2] + 4);
    auto step = [&] {
        if (curved) {
            steps0 = _mm_add_ps(steps0, curve0);
            steps1 = _mm_add_ps(steps1, curve1);
        }
        values0 = _mm_add_ps(values0, steps0);
        values1 = _mm_add_ps(values1, steps1);
    };
    const __m128d levels = _mm_set1_pd(fixedLevel);
    const __m128d tablePerSecondPair = _mm_set1_pd(tablePerSecond);
    const __m128 tableSizes = _mm_set1_ps(tableSize);
    for (int done = 0; done < frames; done += kChunkFrames) {
        const int n = frames - done < kChunkFrames ? frames - done : kChunkFrames;
        // Frame f runs on the values after f steps; two frames' values interleave into pairs.
        int f = 0;
        for (; f + 2 <= n; f += 2) {
            const __m128 first0 = values0, first1 = values1;
            step();
            const __m128 gainDry = _mm_unpacklo_ps(first0, values0);   // Gain, Gain, Dry, Dry
            const __m128 wetDelay = _mm_unpackhi_ps(first0, values0);  // Wet, Wet, Delay, Delay
            const __m128 depthRate = _mm_unpacklo_ps(first1, values1); // Depth, Depth, Rate, Rate
            const __m128 phases = _mm_unpackhi_ps(first1, values1);    // Phase, Phase, Type, Type
            step();
            const __m128d level = gainMoves ? FastDecibelToLevelPair(_mm_cvtps_pd(gainDry)) : levels;
            StoreFloatPair(dryGains + f,
                           FiniteFloatPair(_mm_mul_pd(level, _mm_cvtps_pd(_mm_movehl_ps(gainDry, gainDry)))));
            StoreFloatPair(wetGains + f, FiniteFloatPair(_mm_mul_pd(level, _mm_cvtps_pd(wetDelay))));
            StoreFloatPair(baseDelays + f, _mm_movehl_ps(wetDelay, wetDelay));
            StoreFloatPair(depths + f, depthRate);
            _mm_store_pd(increments + f,
                         _mm_mul_pd(tablePerSecondPair, _mm_cvtps_pd(_mm_movehl_ps(depthRate, depthRate))));
            StoreFloatPair(offsets + f, _mm_mul_ps(tableSizes, phases));
        }
        if (f < n) {
            alignas(16) float s[kParameterCount];
            _mm_store_ps(s, values0);
            _mm_store_ps(s + 4, values1);
            step();
            const double level = gainMoves ? FastDecibelToLevel(s[kGain]) : fixedLevel;
            dryGains[f] = FiniteFloat(level * s[kDry]);
            wetGains[f] = FiniteFloat(level * s[kWet]);
            baseDelays[f] = s[kDelay];
            depths[f] = s[kDepth];
            increments[f] = tablePerSecond * s[kRate];
            offsets[f] = tableSize * s[kPhase];
        }

        phase = SweepRamped(table, tableMask, offsets, phase, increments, depths, baseDelays, m_longestDelay, delays, n);
        pass.Run<Accumulate>(delays, n, CRampGains{dryGains, wetGains});
    }

    _mm_storeu_ps(m_sets[0], values0);
    _mm_storeu_ps(m_sets[0] + 4, values1);
    _mm_storeu_ps(m_sets[1], steps0);
    _mm_storeu_ps(m_sets[1] + 4, steps1);
    lfo.phase = phase;
    m_line.SetPosition(static_cast<int>(pass.w & pass.mask));
    Recompute(); // the values after the last step, as the next block starts from them
}

template <bool Accumulate>
void CChorus::ProcessRamp(const CFrames& io, int frames, int sets)
{
    // The ramp and everything derived from it live in locals for the block; each frame steps
    // the ramp and derives what the next frame needs exactly as Recompute() would.
    float v[kSets][kParameterCount];
    for (int s = 0; s < kSets; ++s)
        for (int p = 0; p < kParameterCount; ++p)
            v[s][p] = m_sets[s][p];
    const bool curved = sets > 2;
    const bool gainMoves = !IsZeroStep(v[1][kGain]) || (curved && !IsZeroStep(v[2][kGain]));
    const bool typeMoves = !IsZeroStep(v[1][kLfoType]) || (curved && !IsZeroStep(v[2][kLfoType]));
    const bool rateKnown = m_sampleRate != 0.0;
    const double tablePerSecond = m_tablePerSecond;
    if (!typeMoves && rateKnown) {
        ProcessRampOneWaveform<Accumulate>(io, frames, curved);
        return;
    }

    CWavetableLfo* lfo = m_lfo;
    double phase = lfo->phase;
    double increment = lfo->increment;
    float offset = lfo->offset;
    double level = FastDecibelToLevel(v[0][kGain]);
    float dryGain = m_dryGain;
    float wetGain = m_wetGain;
    float baseDelay = m_baseDelay;
    float depth = m_depth;

    CLinePass pass = LinePass(io, frames);

    alignas(16) float offsets[kChunkFrames];
    alignas(16) double increments[kChunkFrames];
    alignas(16) double delays[kChunkFrames];
    alignas(16) float depths[kChunkFrames];
    alignas(16) float baseDelays[kChunkFrames];
    alignas(16) float dryGains[kChunkFrames];
    alignas(16) float wetGains[kChunkFrames];
    for (int done = 0; done < frames;) {
        // A chunk ends early on the frame after which the waveform changes: one table per chunk.
        const int limit = frames - done < kChunkFrames ? frames - done : kChunkFrames;
        const float* table = lfo->table.Data();
        const int tableMask = lfo->table.GetMask();
        CWavetableLfo* left = nullptr;
        int n = 0;
        while (n < limit) {
            offsets[n] = offset;
            increments[n] = increment;
            depths[n] = depth;
            baseDelays[n] = baseDelay;
            dryGains[n] = dryGain;
            wetGains[n] = wetGain;
            ++n;

            if (curved)
                for (int p = 0; p < kParameterCount; ++p)
                    v[1][p] += v[2][p];
            for (int p = 0; p < kParameterCount; ++p)
                v[0][p] += v[1][p];
            if (gainMoves)
                level = FastDecibelToLevel(v[0][kGain]);
            dryGain = FiniteFloat(level * v[0][kDry]);
            wetGain = FiniteFloat(level * v[0][kWet]);
            baseDelay = v[0][kDelay];
            depth = v[0][kDepth];
            bool switched = false;
            if (typeMoves) {
                CWavetableLfo* chosen = ChooseLfo(v[0][kLfoType], lfo);
                if (chosen != lfo) {
                    lfo->increment = increment;
                    lfo->offset = offset;
                    left = lfo; // the sweep continues without a jump: both keep the phase
                    lfo = chosen;
                    increment = lfo->increment;
                    offset = lfo->offset;
                    switched = true;
                }
            }
            if (rateKnown) {
                increment = tablePerSecond * v[0][kRate];
                offset = static_cast<float>(lfo->table.GetSize()) * v[0][kPhase];
            }
            if (switched)
                break;
        }
        phase = SweepRamped(table, tableMask, offsets, phase, increments, depths, baseDelays, m_longestDelay, delays, n);
        if (left)
            left->phase = phase;
        pass.Run<Accumulate>(delays, n, CRampGains{dryGains, wetGains});
        done += n;
    }

    for (int s = 0; s < kSets; ++s)
        for (int p = 0; p < kParameterCount; ++p)
            m_sets[s][p] = v[s][p];
    m_lfo = lfo;
    lfo->phase = phase;
    lfo->increment = increment;
    lfo->offset = offset;
    m_dryGain = dryGain;
    m_wetGain = wetGain;
    m_baseDelay = baseDelay;
    m_depth = depth;
    m_line.SetPosition(static_cast<int>(pass.w & pass.mask));
}

void CChorus::ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                               const CValueArrayList* changes)
{
    Process<false>(inputs, outputs, frames, changes);
}

void CChorus::ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                                  const CValueArrayList* changes)
{
    Process<true>(inputs, outputs, frames, changes);
}

