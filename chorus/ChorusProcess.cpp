#include "Chorus.h"
#include "ChorusChunk.h"
#include "FastDecibel.h"
#include <cmath>

// The processing path: Process() takes the block's ramp, then one of the frame loops runs the
// block on local copies of the state.

namespace {

// True when adding the step cannot change what the value derives: the step is a zero of
// either sign (it may at most turn -0 into +0, which derives the same gain level and waveform).
inline bool IsZeroStep(float step) { return step == 0.0f; }

// True when every frame of a ramp sees exactly the starting bits of a value: its step (and, on a
// curved ramp, the step's step) are zeros of either sign, so the steps stay zeros, and the value
// is one that adding a zero leaves bit for bit (not -0, which +0 turns into +0, and not NaN,
// whose bits an addition may quieten). Whatever the value derives then holds for the block.
inline bool HoldsStill(float value, float step, float curve, bool curved)
{
    const bool negativeZero = value == 0.0f && std::signbit(value);
    return IsZeroStep(step) && (!curved || IsZeroStep(curve)) && !negativeZero && value == value;
}

} // namespace

template <bool Accumulate>
void CChorus::Process(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                      const CValueArrayList* changes)
{
    if (!inputs || !outputs || inputs->GetCount() == 0 || outputs->GetCount() == 0)
        return;
    const CAudioBuffer* in = inputs->GetConstBuffer(0);
    CAudioBuffer* out = outputs->GetBuffer(0);
    if (!in || !out || !m_line.Data())
        return;

    int sets = 0;
    if (changes) {
        sets = changes->GetUsed() < kSets ? changes->GetUsed() : kSets;
        for (int s = 0; s < sets; ++s)
            if (const CValueArray* values = changes->GetItem(s); values && values->GetCount() == kParameterCount)
                ToInternal(*values, m_sets[s]);
        if (sets >= 1)
            Recompute();
    }

    const CFrames io{in->GetReadPointer(), in->GetStride(), out->GetWritePointer(), out->GetStride()};
    if (sets > 1)
        ProcessRamp<Accumulate>(io, frames, sets);
    else
        ProcessSteady<Accumulate>(io, frames);
    m_lfo->WrapPhase();
}

template <bool Accumulate>
void CChorus::ProcessSteady(const CFrames& io, int frames)
{
    CWavetableLfo& lfo = *m_lfo;
    const float* table = lfo.table.Data();
    const int tableMask = lfo.table.GetMask();
    const double offset = lfo.offset;
    const double increment = lfo.increment;
    double phase = lfo.phase;
    const double depth = m_depth;
    const double baseDelay = m_baseDelay;
    const CFixedGains gains{m_dryGain, m_wetGain};

    float* line = m_line.Data();
    const uint32_t mask = static_cast<uint32_t>(m_line.GetMask());
    uint32_t w = static_cast<uint32_t>(m_line.GetPosition());
    const float* x = io.input;
    float* y = io.output;
    const bool pairs = MayPairFrames(x, io.inputStride, y, io.outputStride, frames);

    alignas(16) double delays[kChunkFrames];
    for (int done = 0; done < frames; done += kChunkFrames) {
        const int n = frames - done < kChunkFrames ? frames - done : kChunkFrames;
        phase = SweepFixed(table, tableMask, offset, phase, increment, depth, baseDelay, delays, n);
        w = RunDelayLine<Accumulate>(line, mask, w, x, io.inputStride, y, io.outputStride, delays, gains, n, pairs);
    }
    lfo.phase = phase;
    m_line.SetPosition(static_cast<int>(w & mask));
}

#if defined(__SSE2__)
template <bool Accumulate>
void CChorus::ProcessRampOneWaveform(const CFrames& io, int frames, bool curved)
{
    // Per chunk: the ramp steps two frames at a time and everything derived from the two frames'
    // values is computed side by side; then the sweep (accumulating the phase frame by frame) and
    // the delay line follow. The waveform stays, so one table serves the whole block.
    static_assert(kParameterCount == 8, "a set is two registers of four");
    auto holds = [&](int p) { return HoldsStill(m_sets[0][p], m_sets[1][p], m_sets[2][p], curved); };
    if (holds(kGain) && holds(kDry) && holds(kWet) && holds(kRate) && holds(kPhase)) {
        ProcessRampSweepOnly<Accumulate>(io, frames, curved);
        return;
    }
    const bool gainMoves = !IsZeroStep(m_sets[1][kGain]) || (curved && !IsZeroStep(m_sets[2][kGain]));
    const double fixedLevel = FastDecibelToLevel(m_sets[0][kGain]);
    const double tablePerSecond = m_tablePerSecond;

    CWavetableLfo& lfo = *m_lfo;
    const float* table = lfo.table.Data();
    const int tableMask = lfo.table.GetMask();
    const float tableSize = static_cast<float>(lfo.table.GetSize());
    double phase = lfo.phase;

    float* line = m_line.Data();
    const uint32_t mask = static_cast<uint32_t>(m_line.GetMask());
    uint32_t w = static_cast<uint32_t>(m_line.GetPosition());
    const float* x = io.input;
    float* y = io.output;
    const bool pairs = MayPairFrames(x, io.inputStride, y, io.outputStride, frames);

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

        phase = SweepRamped(table, tableMask, offsets, phase, increments, depths, baseDelays, delays, n);
        w = RunDelayLine<Accumulate>(line, mask, w, x, io.inputStride, y, io.outputStride, delays,
                                     CRampGains{dryGains, wetGains}, n, pairs);
    }

    _mm_storeu_ps(m_sets[0], values0);
    _mm_storeu_ps(m_sets[0] + 4, values1);
    _mm_storeu_ps(m_sets[1], steps0);
    _mm_storeu_ps(m_sets[1] + 4, steps1);
    lfo.phase = phase;
    m_line.SetPosition(static_cast<int>(w & mask));
    Recompute(); // the values after the last step, as the next block starts from them
}

template <bool Accumulate>
void CChorus::ProcessRampSweepOnly(const CFrames& io, int frames, bool curved)
{
    // Only the Delay and the Depth may move: the gains, the increment and the phase offset that
    // Recompute() derived from the starting values hold for every frame, so per frame the ramp
    // only steps and hands the sweep its base delay and depth.
    CWavetableLfo& lfo = *m_lfo;
    const float* table = lfo.table.Data();
    const int tableMask = lfo.table.GetMask();
    const double offset = lfo.offset;
    const double increment = lfo.increment;
    double phase = lfo.phase;
    const CFixedGains gains{m_dryGain, m_wetGain};

    float* line = m_line.Data();
    const uint32_t mask = static_cast<uint32_t>(m_line.GetMask());
    uint32_t w = static_cast<uint32_t>(m_line.GetPosition());
    const float* x = io.input;
    float* y = io.output;
    const bool pairs = MayPairFrames(x, io.inputStride, y, io.outputStride, frames);

    alignas(16) double delays[kChunkFrames];
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
    const __m128d offsets = _mm_set1_pd(offset);
    for (int done = 0; done < frames; done += kChunkFrames) {
        const int n = frames - done < kChunkFrames ? frames - done : kChunkFrames;
        int f = 0;
        for (; f + 2 <= n; f += 2) {
            const __m128 first0 = values0, first1 = values1;
            step();
            const __m128 wetDelay = _mm_unpackhi_ps(first0, values0);  // Wet, Wet, Delay, Delay
            const __m128 depthRate = _mm_unpacklo_ps(first1, values1); // Depth, Depth, Rate, Rate
            step();
            const double p0 = phase;
            phase += increment;
            const double p1 = phase;
            phase += increment;
            const __m128d g = _mm_add_pd(offsets, _mm_set_pd(p1, p0));
            _mm_store_pd(delays + f, SweptDelayPair(table, tableMask, g, _mm_cvtps_pd(depthRate),
                                                    _mm_cvtps_pd(_mm_movehl_ps(wetDelay, wetDelay))));
        }
        if (f < n) {
            const float baseDelay = _mm_cvtss_f32(_mm_shuffle_ps(values0, values0, 3));
            const float depth = _mm_cvtss_f32(values1);
            step();
            const double g = offset + phase;
            phase += increment;
            delays[f] = SweptDelay(table, tableMask, g, depth, baseDelay);
        }
        w = RunDelayLine<Accumulate>(line, mask, w, x, io.inputStride, y, io.outputStride, delays, gains, n, pairs);
    }

    _mm_storeu_ps(m_sets[0], values0);
    _mm_storeu_ps(m_sets[0] + 4, values1);
    _mm_storeu_ps(m_sets[1], steps0);
    _mm_storeu_ps(m_sets[1] + 4, steps1);
    lfo.phase = phase;
    m_line.SetPosition(static_cast<int>(w & mask));
    Recompute(); // the values after the last step, as the next block starts from them
}
#endif

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
#if defined(__SSE2__)
    if (!typeMoves && rateKnown) {
        ProcessRampOneWaveform<Accumulate>(io, frames, curved);
        return;
    }
#endif

    CWavetableLfo* lfo = m_lfo;
    double phase = lfo->phase;
    double increment = lfo->increment;
    float offset = lfo->offset;
    double level = FastDecibelToLevel(v[0][kGain]);
    float dryGain = m_dryGain;
    float wetGain = m_wetGain;
    float baseDelay = m_baseDelay;
    float depth = m_depth;

    float* line = m_line.Data();
    const uint32_t mask = static_cast<uint32_t>(m_line.GetMask());
    uint32_t w = static_cast<uint32_t>(m_line.GetPosition());
    const float* x = io.input;
    float* y = io.output;
    const bool pairs = MayPairFrames(x, io.inputStride, y, io.outputStride, frames);

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
        phase = SweepRamped(table, tableMask, offsets, phase, increments, depths, baseDelays, delays, n);
        if (left)
            left->phase = phase;
        w = RunDelayLine<Accumulate>(line, mask, w, x, io.inputStride, y, io.outputStride, delays,
                                     CRampGains{dryGains, wetGains}, n, pairs);
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
    m_line.SetPosition(static_cast<int>(w & mask));
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

