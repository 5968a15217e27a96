#include "Chorus.h"
#include "ChorusPresets.h"
#include "ChorusFrame.h"
#include "FastDecibel.h"

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
      m_tablePerSecond(source.m_tablePerSecond), m_longestDelay(source.m_longestDelay),
      m_settingsLength(source.m_settingsLength)
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
    if (required > m_settingsLength)
        m_settingsLength = CRingBuffer::RoundUpToPowerOfTwo(required);
    // The presets go beyond the setting ("De-pitch" sweeps to 171 ms): the line holds the longest
    // of them too, and the delay two samples more for the interpolation's second read.
    const int forPresets = 2 + SaturatingTrunc(LongestPresetSweepMs() * 0.001 * m_sampleRate);
    const int length = required > forPresets ? required : forPresets;
    if (length > m_line.GetSize()) {
        m_line.Release();
        m_line.Allocate(length);
    }
    m_longestDelay = LongestDelay(m_line.GetSize());
    // What hosts are told rings on after the input stops: what the setting asks for, as before
    // the presets had their longer line.
    m_tailLength = m_settingsLength;
}

void CChorus::ToInternal(const CValueArray& values, float* set) const
{
    float plain[kParameterCount];
    for (int i = 0; i < kParameterCount; ++i)
        plain[i] = values.GetValue(i);
    ToInternal(plain, set);
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

void CChorus::Restart()
{
    CEffectBase::Restart();
    // Initialize leaves the sine in use (the default waveform) for SetParameters to choose from,
    // which matters where the values keep the waveform in use (LFO Type "custom").
    m_lfo = &m_sine;
    m_lfo->phase = 0.0;
}

int CChorus::GetRingLength() const
{
    // The longest swept delay reads a sample trunc(delay) + 1 frames old; the line's end holds
    // longer ones (and values that are not numbers).
    const double swept = (std::fabs(static_cast<double>(m_depth)) + 1.0) * std::fabs(static_cast<double>(m_baseDelay));
    const double longest = swept < m_longestDelay ? swept : m_longestDelay;
    return static_cast<int>(longest) + 2;
}
