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
    const double dryGain = m_dryGain;
    const double wetGain = m_wetGain;

    float* line = m_line.Data();
    const uint32_t mask = static_cast<uint32_t>(m_line.GetMask());
    uint32_t w = static_cast<uint32_t>(m_line.GetPosition());
    const float* x = io.input;
    float* y = io.output;

    double delays[kChunk];
    for (int done = 0; done < frames; done += kChunk) {
        const int n = frames - done < kChunk ? frames - done : kChunk;
        for (int f = 0; f < n; ++f) {
            const double g = offset + phase;
            phase += increment;
            delays[f] = SweptDelay(table, tableMask, g, depth, baseDelay);
        }
        for (int f = 0; f < n; ++f) {
            const float result = DelayLineFrame(line, mask, w, *x, delays[f], dryGain, wetGain);
            if (Accumulate)
                *y += result;
            else
                *y = result;
            ++w;
            x += io.inputStride;
            y += io.outputStride;
        }
    }
    lfo.phase = phase;
    m_line.SetPosition(static_cast<int>(w & mask));
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

    CWavetableLfo* lfo = m_lfo;
    const float* table = lfo->table.Data();
    int tableMask = lfo->table.GetMask();
    float tableSize = static_cast<float>(lfo->table.GetSize());
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

    double delays[kChunk];
    float dryGains[kChunk];
    float wetGains[kChunk];
    for (int done = 0; done < frames; done += kChunk) {
        const int n = frames - done < kChunk ? frames - done : kChunk;
        for (int f = 0; f < n; ++f) {
            const double g = offset + phase;
            phase += increment;
            delays[f] = SweptDelay(table, tableMask, g, depth, baseDelay);
            dryGains[f] = dryGain;
            wetGains[f] = wetGain;

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
            if (typeMoves) {
                CWavetableLfo* chosen = ChooseLfo(v[0][kLfoType], lfo);
                if (chosen != lfo) {
                    lfo->phase = phase;
                    lfo->increment = increment;
                    lfo->offset = offset;
                    chosen->phase = phase; // the sweep continues without a jump
                    lfo = chosen;
                    table = lfo->table.Data();
                    tableMask = lfo->table.GetMask();
                    tableSize = static_cast<float>(lfo->table.GetSize());
                    increment = lfo->increment;
                    offset = lfo->offset;
                }
            }
            if (rateKnown) {
                increment = m_tablePerSecond * v[0][kRate];
                offset = tableSize * v[0][kPhase];
            }
        }
        for (int f = 0; f < n; ++f) {
            const float result = DelayLineFrame(line, mask, w, *x, delays[f], dryGains[f], wetGains[f]);
            if (Accumulate)
                *y += result;
            else
                *y = result;
            ++w;
            x += io.inputStride;
            y += io.outputStride;
        }
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
