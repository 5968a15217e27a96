#include "Chorus.h"
#include "ChorusPresets.h"
#include "ChorusFrame.h"
#include "FastDecibel.h"
#include <cfloat>
#include <cstdint>

namespace {

constexpr int kSets = 3;

// Frames per pass of the frame loop: the oscillator fills a chunk of delays (and, while a ramp
// runs, of gains), then the delay line works through them. Small enough to stay in L1.
constexpr int kChunk = 64;

// True when adding the step cannot change what the value derives: the step is a zero of
// either sign (it may at most turn -0 into +0, which derives the same gain level and waveform).
inline bool IsZeroStep(float step) { return step == 0.0f; }

// Whether the delay line may take two frames at a time, reading both input samples before it
// writes the first output sample: true unless some output sample of the block is also an input
// sample (in-place processing, same pointer and stride, is safe: each frame reads its own
// sample before writing it).
bool MayPairFrames(const float* x, int inStride, const float* y, int outStride, int frames)
{
    if (frames < 2 || (x == y && inStride == outStride && inStride != 0))
        return true;
    auto range = [frames](const float* p, int stride, uintptr_t& lo, uintptr_t& hi) {
        const intptr_t span = static_cast<intptr_t>(frames - 1) * stride * static_cast<intptr_t>(sizeof(float));
        const uintptr_t start = reinterpret_cast<uintptr_t>(p);
        lo = span < 0 ? start - static_cast<uintptr_t>(-span) : start;
        hi = (span < 0 ? start : start + static_cast<uintptr_t>(span)) + sizeof(float);
    };
    uintptr_t xLo, xHi, yLo, yHi;
    range(x, inStride, xLo, xHi);
    range(y, outStride, yLo, yHi);
    return xHi <= yLo || yHi <= xLo;
}

// Gains that hold for the whole block.
struct CFixedGains
{
    double dry, wet;
    double Dry(int) const { return dry; }
    double Wet(int) const { return wet; }
#if defined(__SSE2__)
    __m128d DryPair(int) const { return _mm_set1_pd(dry); }
    __m128d WetPair(int) const { return _mm_set1_pd(wet); }
#endif
};

// Gains that a ramp moves on every frame.
struct CRampGains
{
    const float* dry;
    const float* wet;
    double Dry(int f) const { return dry[f]; }
    double Wet(int f) const { return wet[f]; }
#if defined(__SSE2__)
    __m128d DryPair(int f) const { return _mm_cvtps_pd(LoadFloatPair(dry + f)); }
    __m128d WetPair(int f) const { return _mm_cvtps_pd(LoadFloatPair(wet + f)); }
#endif
};

template <bool Accumulate>
inline void Emit(float* y, float result)
{
    if (Accumulate)
        *y += result;
    else
        *y = result;
}

// n frames through the delay line from position w, with the delays the oscillator computed;
// x and y advance past them. Returns the position after them. With unit strides (the usual
// separate channel buffers) two samples move in one load or store.
template <bool Accumulate, bool UnitStrides, class Gains>
uint32_t RunDelayLine(float* line, uint32_t mask, uint32_t w, const float*& x, int inStride, float*& y,
                      int outStride, const double* delay, const Gains& gains, int n, bool pairs)
{
    if (UnitStrides)
        inStride = outStride = 1;
    int f = 0;
#if defined(__SSE2__)
    if (pairs)
        for (; f + 2 <= n; f += 2) {
            const __m128 input = UnitStrides ? LoadFloatPair(x) : LoadFloatPair(x, x + inStride);
            const __m128 result =
                DelayLinePair(line, mask, w, input, _mm_load_pd(delay + f), gains.DryPair(f), gains.WetPair(f));
            if (UnitStrides) {
                StoreFloatPair(y, Accumulate ? _mm_add_ps(LoadFloatPair(y), result) : result);
            } else {
                Emit<Accumulate>(y, _mm_cvtss_f32(result));
                Emit<Accumulate>(y + outStride, _mm_cvtss_f32(_mm_shuffle_ps(result, result, 1)));
            }
            w += 2;
            x += 2 * inStride;
            y += 2 * outStride;
        }
#else
    (void)pairs;
#endif
    for (; f < n; ++f) {
        Emit<Accumulate>(y, DelayLineFrame(line, mask, w, *x, delay[f], gains.Dry(f), gains.Wet(f)));
        ++w;
        x += inStride;
        y += outStride;
    }
    return w;
}

template <bool Accumulate, class Gains>
uint32_t RunDelayLine(float* line, uint32_t mask, uint32_t w, const float*& x, int inStride, float*& y,
                      int outStride, const double* delay, const Gains& gains, int n, bool pairs)
{
    if (inStride == 1 && outStride == 1)
        return RunDelayLine<Accumulate, true>(line, mask, w, x, 1, y, 1, delay, gains, n, pairs);
    return RunDelayLine<Accumulate, false>(line, mask, w, x, inStride, y, outStride, delay, gains, n, pairs);
}

// The oscillator for n frames of fixed parameters: delay[f] at table position offset + phase,
// the phase stepping by increment after each frame. Returns the phase after them.
double SweepFixed(const float* table, int tableMask, double offset, double phase, double increment, double depth,
                  double baseDelay, double* delay, int n)
{
    int f = 0;
#if defined(__SSE2__)
    const __m128d offsets = _mm_set1_pd(offset);
    const __m128d depths = _mm_set1_pd(depth);
    const __m128d baseDelays = _mm_set1_pd(baseDelay);
    for (; f + 2 <= n; f += 2) {
        const double p0 = phase;
        phase += increment;
        const double p1 = phase;
        phase += increment;
        const __m128d g = _mm_add_pd(offsets, _mm_set_pd(p1, p0));
        _mm_store_pd(delay + f, SweptDelayPair(table, tableMask, g, depths, baseDelays));
    }
#endif
    for (; f < n; ++f) {
        const double g = offset + phase;
        phase += increment;
        delay[f] = SweptDelay(table, tableMask, g, depth, baseDelay);
    }
    return phase;
}

// The oscillator for n frames whose phase offset, increment, depth and base delay a ramp moves:
// delay[f] at table position offset[f] + phase, the phase stepping by increment[f] after frame f.
// Returns the phase after them.
double SweepRamped(const float* table, int tableMask, const float* offset, double phase, const double* increment,
                   const float* depth, const float* baseDelay, double* delay, int n)
{
    int f = 0;
#if defined(__SSE2__)
    for (; f + 2 <= n; f += 2) {
        const double p0 = phase;
        phase += increment[f];
        const double p1 = phase;
        phase += increment[f + 1];
        const __m128d g = _mm_add_pd(_mm_cvtps_pd(LoadFloatPair(offset + f)), _mm_set_pd(p1, p0));
        _mm_store_pd(delay + f, SweptDelayPair(table, tableMask, g, _mm_cvtps_pd(LoadFloatPair(depth + f)),
                                               _mm_cvtps_pd(LoadFloatPair(baseDelay + f))));
    }
#endif
    for (; f < n; ++f) {
        const double g = offset[f] + phase;
        phase += increment[f];
        delay[f] = SweptDelay(table, tableMask, g, depth[f], baseDelay[f]);
    }
    return phase;
}

} // namespace

const CParameterInfoList* ChorusParameterInfo()
{
    static const CParameterInfo descriptors[] = {
        {"Gain", CParameterInfo::kContinuous, -20.0f, 20.0f, 0.0f, "dB", nullptr},
        {"Dry", CParameterInfo::kContinuous, 0.0f, 100.0f, 100.0f, "%", nullptr},
        {"Wet", CParameterInfo::kContinuous, 0.0f, 100.0f, 70.0f, "%", "%"},
        {"Delay", CParameterInfo::kContinuous, 0.0f, 30.0f, 20.0f, "ms", nullptr},
        {"Depth", CParameterInfo::kContinuous, 0.0f, 100.0f, 70.0f, "%", nullptr},
        {"LFO Frequency", CParameterInfo::kContinuous, 0.0f, 20.0f, 0.4f, "Hz", nullptr},
        {"Phase", CParameterInfo::kContinuous, 0.0f, 100.0f, 0.0f, "%", nullptr},
        {"LFO Type", CParameterInfo::kChoice, 0.0f, 2.0f, 0.0f, nullptr, "0: Sine, 1:Triangle, 2:Custom"},
    };
    static const CParameterInfoList list(CChorus::kParameterCount, descriptors);
    return &list;
}

CChorus::CChorus()
    : m_lfo(&m_sine), m_sine(CWavetableLfo::MakeSine()), m_triangle(CWavetableLfo::MakeTriangle())
{
}

CChorus::CChorus(const CChorus& source)
    : CEffectBase(source), m_dryGain(source.m_dryGain), m_wetGain(source.m_wetGain),
      m_baseDelay(source.m_baseDelay), m_depth(source.m_depth), m_line(source.m_line),
      m_sine(source.m_sine), m_triangle(source.m_triangle), m_custom(source.m_custom),
      m_tablePerSecond(source.m_tablePerSecond)
{
    for (int s = 0; s < kSets; ++s)
        for (int i = 0; i < kParameterCount; ++i)
            m_sets[s][i] = source.m_sets[s][i];
    m_lfo = source.m_lfo == &source.m_sine ? &m_sine
          : source.m_lfo == &source.m_triangle ? &m_triangle
          : source.m_lfo;
}

const CEffectInfo* CChorus::GetInfo() const
{
    static const CEffectInfo info("Chorus", "1", "Copyright (c) Orvane's Music Software", "Classic Chorus Effect");
    return &info;
}

const CParameterInfoList* CChorus::GetSettingsInfo() const
{
    static const CParameterInfo maxDelay("max delay", CParameterInfo::kContinuous, 0.0f, 60.0f, 40.0f, "ms",
                                         "this caracterizes the maximun available Chorus delay");
    static const CParameterInfoList list(1, &maxDelay);
    return &list;
}

const CParameterInfoList* CChorus::GetParameterInfo() const { return ChorusParameterInfo(); }

const CPresetList* CChorus::GetPresets() const { return MonoChorusPresets(); }

const CIOInfo* CChorus::GetIOInfo() const
{
    static const CInputInfo input("In", 1);
    static const COutputInfo output("Out");
    static const CIOInfo pins(1, 1, &input, &output);
    return &pins;
}

void CChorus::ApplySettings(const CValueArray* settings)
{
    if (!settings || settings->GetCount() == 0)
        return;
    const float maxDelayMs = settings->GetValue(0);
    // Twice the longest delay: the sweep reaches Delay * (1 + Depth).
    const int required = 1 + SaturatingTrunc(2.0f * maxDelayMs * 0.001f * m_sampleRate);
    if (required > m_line.GetSize()) {
        m_line.Release();
        m_line.Allocate(required);
    }
    m_tailLength = m_line.GetSize();
}

void CChorus::ToInternal(const CValueArray& values, float* set) const
{
    set[kGain] = values.GetValue(kGain);
    set[kDry] = static_cast<float>(values.GetValue(kDry) * 0.01);
    set[kWet] = static_cast<float>(values.GetValue(kWet) * 0.01);
    set[kDelay] = static_cast<float>(values.GetValue(kDelay) * m_sampleRate * 0.001);
    set[kDepth] = static_cast<float>(values.GetValue(kDepth) * 0.01);
    set[kRate] = values.GetValue(kRate);
    set[kPhase] = static_cast<float>(values.GetValue(kPhase) * 0.01);
    set[kLfoType] = values.GetValue(kLfoType);
}

void CChorus::SetParameters(const CValueArray* values)
{
    if (!values || m_sampleRate == 0.0)
        return;
    m_tablePerSecond = CWavetableLfo::kTableSize / m_sampleRate;
    if (values->GetCount() == kParameterCount)
        ToInternal(*values, m_sets[0]);
    Recompute();
}

void CChorus::Recompute()
{
    const float* v = m_sets[0];
    const double level = FastDecibelToLevel(v[kGain]);
    m_dryGain = FiniteFloat(level * v[kDry]);
    m_wetGain = FiniteFloat(level * v[kWet]);
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

    alignas(16) double delays[kChunk];
    for (int done = 0; done < frames; done += kChunk) {
        const int n = frames - done < kChunk ? frames - done : kChunk;
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
    // Per chunk: the ramp is stepped frame by frame into snapshots, everything derived from them
    // is computed two frames at a time, the oscillator phase is accumulated frame by frame, and
    // the sweep and the delay line follow. The waveform stays, so each chunk reads one table.
    float v[kSets][kParameterCount];
    for (int s = 0; s < kSets; ++s)
        for (int p = 0; p < kParameterCount; ++p)
            v[s][p] = m_sets[s][p];
    const bool gainMoves = !IsZeroStep(v[1][kGain]) || (curved && !IsZeroStep(v[2][kGain]));
    const double fixedLevel = FastDecibelToLevel(v[0][kGain]);
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

    alignas(16) float snapshots[kChunk][kParameterCount];
    alignas(16) float depths[kChunk];
    alignas(16) float baseDelays[kChunk];
    alignas(16) float dryGains[kChunk];
    alignas(16) float wetGains[kChunk];
    alignas(16) float offsets[kChunk];
    alignas(16) double increments[kChunk];
    alignas(16) double delays[kChunk];
    for (int done = 0; done < frames; done += kChunk) {
        const int n = frames - done < kChunk ? frames - done : kChunk;
        static_assert(kParameterCount == 8, "a set is two registers of four");
        // Frame f runs on the values after f steps. The eight values of a set are two registers
        // of four, each lane adding as its own float.
        __m128 values0 = _mm_loadu_ps(v[0]), values1 = _mm_loadu_ps(v[0] + 4);
        __m128 steps0 = _mm_loadu_ps(v[1]), steps1 = _mm_loadu_ps(v[1] + 4);
        if (curved) {
            const __m128 curve0 = _mm_loadu_ps(v[2]), curve1 = _mm_loadu_ps(v[2] + 4);
            for (int f = 0; f < n; ++f) {
                _mm_store_ps(snapshots[f], values0);
                _mm_store_ps(snapshots[f] + 4, values1);
                steps0 = _mm_add_ps(steps0, curve0);
                steps1 = _mm_add_ps(steps1, curve1);
                values0 = _mm_add_ps(values0, steps0);
                values1 = _mm_add_ps(values1, steps1);
            }
        } else {
            for (int f = 0; f < n; ++f) {
                _mm_store_ps(snapshots[f], values0);
                _mm_store_ps(snapshots[f] + 4, values1);
                values0 = _mm_add_ps(values0, steps0);
                values1 = _mm_add_ps(values1, steps1);
            }
        }
        _mm_storeu_ps(v[0], values0);
        _mm_storeu_ps(v[0] + 4, values1);
        _mm_storeu_ps(v[1], steps0);
        _mm_storeu_ps(v[1] + 4, steps1);

        int f = 0;
        const __m128d levels = _mm_set1_pd(fixedLevel);
        for (; f + 2 <= n; f += 2) {
            auto pair = [&snapshots, f](int p) { return FloatPair(snapshots[f][p], snapshots[f + 1][p]); };
            const __m128d level = gainMoves ? FastDecibelToLevelPair(_mm_cvtps_pd(pair(kGain))) : levels;
            StoreFloatPair(dryGains + f, FiniteFloatPair(_mm_mul_pd(level, _mm_cvtps_pd(pair(kDry)))));
            StoreFloatPair(wetGains + f, FiniteFloatPair(_mm_mul_pd(level, _mm_cvtps_pd(pair(kWet)))));
            StoreFloatPair(baseDelays + f, pair(kDelay));
            StoreFloatPair(depths + f, pair(kDepth));
            _mm_store_pd(increments + f, _mm_mul_pd(_mm_set1_pd(tablePerSecond), _mm_cvtps_pd(pair(kRate))));
            StoreFloatPair(offsets + f, _mm_mul_ps(_mm_set1_ps(tableSize), pair(kPhase)));
        }
        for (; f < n; ++f) {
            const float* s = snapshots[f];
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

    for (int s = 0; s < kSets; ++s)
        for (int p = 0; p < kParameterCount; ++p)
            m_sets[s][p] = v[s][p];
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

    alignas(16) float offsets[kChunk];
    alignas(16) double increments[kChunk];
    alignas(16) double delays[kChunk];
    alignas(16) float depths[kChunk];
    alignas(16) float baseDelays[kChunk];
    alignas(16) float dryGains[kChunk];
    alignas(16) float wetGains[kChunk];
    for (int done = 0; done < frames;) {
        // A chunk ends early on the frame after which the waveform changes: one table per chunk.
        const int limit = frames - done < kChunk ? frames - done : kChunk;
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

void CChorus::Skip(int frames)
{
    m_line.WriteZeros(frames);
    m_lfo->phase += frames * m_lfo->increment;
    m_lfo->WrapPhase();
}

void CChorus::Reset()
{
    m_line.Clear();
    m_lfo->phase = 0.0;
}
