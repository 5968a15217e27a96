#include "ReferenceChorus.h"
#include "ChorusPresets.h"
#include "FastDecibel.h"
#include <cfloat>
#include <cmath>
#include <cstdint>

namespace {

constexpr int kSets = 3;

inline double Saturate(double x, double limit)
{
    x = x < limit ? x : limit;
    return x > -limit ? x : -limit;
}

constexpr double kIndexLimit = 1073741824.0; // 2^30

inline int32_t SaturatingTrunc(double x) { return static_cast<int32_t>(Saturate(x, kIndexLimit)); }

inline float FiniteFloat(double x) { return static_cast<float>(Saturate(x, FLT_MAX)); }

// A delay beyond the line is held at its end: just above -1 or just below size - 1, the
// farthest delays whose two reads stay within the samples the line holds. NaN goes to the far end.
inline double HoldWithinLine(double delay, int size)
{
    const double longest = std::nextafter(size - 1.0, 0.0);
    const double shortest = std::nextafter(-1.0, 0.0);
    delay = delay < longest ? delay : longest;
    return delay > shortest ? delay : shortest;
}

} // namespace

CReferenceChorus::CReferenceChorus()
    : m_lfo(&m_sine), m_sine(CWavetableLfo::MakeSine()), m_triangle(CWavetableLfo::MakeTriangle())
{
}

CReferenceChorus::CReferenceChorus(const CReferenceChorus& source)
    : CEffectBase(source), m_dryGain(source.m_dryGain), m_wetGain(source.m_wetGain),
      m_baseDelay(source.m_baseDelay), m_depth(source.m_depth), m_line(source.m_line),
      m_sine(source.m_sine), m_triangle(source.m_triangle), m_tablePerSecond(source.m_tablePerSecond),
      m_settingsLength(source.m_settingsLength)
{
    for (int s = 0; s < kSets; ++s)
        for (int i = 0; i < kParameterCount; ++i)
            m_sets[s][i] = source.m_sets[s][i];
    m_lfo = source.m_lfo == &source.m_sine ? &m_sine : &m_triangle;
}

const CEffectInfo* CReferenceChorus::GetInfo() const
{
    static const CEffectInfo info("Reference Chorus", "1", "", "The per-frame chorus the tests compare against");
    return &info;
}

const CParameterInfoList* CReferenceChorus::GetSettingsInfo() const
{
    static const CParameterInfo maxDelay("max delay", CParameterInfo::kContinuous, 0.0f, 60.0f, 40.0f, "ms", nullptr);
    static const CParameterInfoList list(1, &maxDelay);
    return &list;
}

const CParameterInfoList* CReferenceChorus::GetParameterInfo() const { return ChorusParameterInfo(); }

const CIOInfo* CReferenceChorus::GetIOInfo() const
{
    static const CInputInfo input("In", 1);
    static const COutputInfo output("Out");
    static const CIOInfo pins(1, 1, &input, &output);
    return &pins;
}

void CReferenceChorus::ApplySettings(const CValueArray* settings)
{
    if (!settings || settings->GetCount() == 0)
        return;
    const float maxDelayMs = settings->GetValue(0);
    const int required = 1 + SaturatingTrunc(2.0f * maxDelayMs * 0.001f * m_sampleRate);
    if (required > m_settingsLength)
        m_settingsLength = CRingBuffer::RoundUpToPowerOfTwo(required);
    // Long enough for the longest preset sweep and the interpolation's second read.
    const int forPresets = 2 + SaturatingTrunc(LongestPresetSweepMs() * 0.001 * m_sampleRate);
    const int length = required > forPresets ? required : forPresets;
    if (length > m_line.GetSize()) {
        m_line.Release();
        m_line.Allocate(length);
    }
    m_tailLength = m_settingsLength;
}

void CReferenceChorus::ToInternal(const CValueArray& values, float* set) const
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

void CReferenceChorus::SetParameters(const CValueArray* values)
{
    if (!values || m_sampleRate == 0.0)
        return;
    m_tablePerSecond = CWavetableLfo::kTableSize / m_sampleRate;
    if (values->GetCount() == kParameterCount)
        ToInternal(*values, m_sets[0]);
    Recompute();
}

void CReferenceChorus::Recompute()
{
    const float* v = m_sets[0];
    const double level = FastDecibelToLevel(v[kGain]);
    m_dryGain = FiniteFloat(level * v[kDry]);
    m_wetGain = FiniteFloat(level * v[kWet]);
    m_baseDelay = v[kDelay];
    m_depth = v[kDepth];

    CWavetableLfo* chosen = v[kLfoType] == 0.0f ? &m_sine : v[kLfoType] == 1.0f ? &m_triangle : m_lfo;
    if (chosen != m_lfo) {
        chosen->phase = m_lfo->phase;
        m_lfo = chosen;
    }
    if (m_sampleRate != 0.0) {
        m_lfo->increment = m_tablePerSecond * v[kRate];
        m_lfo->offset = static_cast<float>(m_lfo->table.GetSize()) * v[kPhase];
    }
}

template <bool Accumulate>
void CReferenceChorus::Process(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
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

    const float* x = in->GetReadPointer();
    float* y = out->GetWritePointer();
    const int inStride = in->GetStride();
    const int outStride = out->GetStride();
    float* line = m_line.Data();
    const int mask = m_line.GetMask();
    int w = m_line.GetPosition();

    for (int f = 0; f < frames; ++f) {
        CWavetableLfo& lfo = *m_lfo;
        const float* table = lfo.table.Data();
        const int tableMask = lfo.table.GetMask();

        const double g = lfo.offset + lfo.phase;
        const int32_t i = SaturatingTrunc(g);
        lfo.phase += lfo.increment;
        const float t0 = table[i & tableMask];
        const float t1 = table[(i + 1) & tableMask];
        const double v = t0 + (t1 - t0) * (g - i);

        const double delay = HoldWithinLine((v * m_depth + 1.0) * m_baseDelay, m_line.GetSize());
        const int32_t k = static_cast<int32_t>(delay);

        const float input = *x;
        line[w & mask] = input;
        const double dry = static_cast<double>(input) * m_dryGain;
        const float a = line[(w - k) & mask];
        const float b = line[(w - k - 1) & mask];
        const double wet = a + (b - a) * (delay - k);
        const float result = FiniteFloat(dry + wet * m_wetGain);
        if (Accumulate)
            *y += result;
        else
            *y = result;
        w = (w + 1) & mask;
        x += inStride;
        y += outStride;

        if (sets > 1) {
            for (int s = sets - 2; s >= 0; --s)
                for (int p = 0; p < kParameterCount; ++p)
                    m_sets[s][p] += m_sets[s + 1][p];
            Recompute();
        }
    }
    m_line.SetPosition(w);
    m_lfo->WrapPhase();
}

void CReferenceChorus::ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                                        const CValueArrayList* changes)
{
    Process<false>(inputs, outputs, frames, changes);
}

void CReferenceChorus::ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs,
                                           int frames, const CValueArrayList* changes)
{
    Process<true>(inputs, outputs, frames, changes);
}

void CReferenceChorus::Skip(int frames)
{
    m_line.WriteZeros(frames);
    m_lfo->phase += frames * m_lfo->increment;
    m_lfo->WrapPhase();
}

void CReferenceChorus::Reset()
{
    m_line.Clear();
    m_lfo->phase = 0.0;
}

CReferenceStereoChorus::CReferenceStereoChorus()
    : m_changes(3, CReferenceChorus::kParameterCount), m_channelValues(nullptr, CReferenceChorus::kParameterCount)
{
    m_changes.used = 0;
}

CReferenceStereoChorus::CReferenceStereoChorus(const CReferenceStereoChorus& source)
    : CStereoEffect<CReferenceChorus>(source), m_changes(source.m_changes), m_channelValues(source.m_channelValues)
{
}

void CReferenceStereoChorus::Initialize(double sampleRate, const CValueArray* settings)
{
    CStereoEffect::Initialize(sampleRate, settings);
    const CParameterInfoList* parameters = GetParameterInfo();
    CValueArray defaults(nullptr, parameters->GetCount());
    for (int i = 0; i < defaults.GetCount(); ++i)
        defaults.SetValue(i, parameters->GetItem(i)->GetDefault());
    defaults.SetValue(kStereo, 100.0f); // the stereo default in place of the mono Phase 0
    SetParameters(&defaults);
}

void CReferenceStereoChorus::SetParameters(const CValueArray* values)
{
    if (!values || values->GetCount() != CReferenceChorus::kParameterCount) {
        CStereoEffect::SetParameters(values);
        return;
    }
    AssignValues(&m_channelValues, values);
    m_channelValues.SetValue(kStereo, values->GetValue(kStereo) * -0.25f);
    m_left.SetParameters(&m_channelValues);
    m_channelValues.SetValue(kStereo, values->GetValue(kStereo) * 0.25f);
    m_right.SetParameters(&m_channelValues);
}

const CValueArrayList* CReferenceStereoChorus::RampFor(const CValueArrayList* changes, float spread)
{
    if (!changes)
        return nullptr;
    const int used = changes->GetUsed() < 3 ? changes->GetUsed() : 3;
    m_changes.used = used;
    for (int i = 0; i < used; ++i)
        m_changes.Assign(i, changes->GetItem(i));
    ScaleStereo(changes, spread);
    return &m_changes;
}

void CReferenceStereoChorus::ScaleStereo(const CValueArrayList* changes, float spread)
{
    for (int i = 0; i < m_changes.used; ++i)
        if (const CValueArray* incoming = changes->GetItem(i))
            m_changes.GetItem(i)->SetValue(kStereo, incoming->GetValue(kStereo) * spread);
}

void CReferenceStereoChorus::ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs,
                                              int frames, const CValueArrayList* changes)
{
    const CValueArrayList* ramp = RampFor(changes, -0.25f);
    ProcessLeft(inputs, outputs, frames, ramp, false);
    if (ramp)
        ScaleStereo(changes, 0.25f);
    ProcessRight(inputs, outputs, frames, ramp, false);
}

void CReferenceStereoChorus::ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs,
                                                 int frames, const CValueArrayList* changes)
{
    const CValueArrayList* ramp = RampFor(changes, -0.25f);
    ProcessLeft(inputs, outputs, frames, ramp, true);
    if (ramp)
        ScaleStereo(changes, 0.25f);
    ProcessRight(inputs, outputs, frames, ramp, true);
}

bool CReferenceStereoChorus::ProcessTailReplacing(const CAudioBufferList* outputs, int frames,
                                                  const CValueArrayList* changes)
{
    const CValueArrayList* ramp = RampFor(changes, -0.25f);
    const bool left = TailLeft(outputs, frames, ramp, false);
    if (ramp)
        ScaleStereo(changes, 0.25f);
    return TailRight(outputs, frames, ramp, false) || left;
}

bool CReferenceStereoChorus::ProcessTailAccumulating(const CAudioBufferList* outputs, int frames,
                                                     const CValueArrayList* changes)
{
    const CValueArrayList* ramp = RampFor(changes, -0.25f);
    const bool left = TailLeft(outputs, frames, ramp, true);
    if (ramp)
        ScaleStereo(changes, 0.25f);
    return TailRight(outputs, frames, ramp, true) || left;
}
