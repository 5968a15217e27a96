#include "StereoChorus.h"
#include "ChorusPresets.h"

namespace {

const CParameterInfoList* StereoChorusParameterInfo()
{
    static const CParameterInfoList list = [] {
        CParameterInfoList copy(ChorusParameterInfo());
        ReplaceItem(copy, CChorus::kPhase,
                    CParameterInfo("Stereo", CParameterInfo::kContinuous, 0.0f, 100.0f, 100.0f, "%",
                                   "Stereo effect proportion"));
        return CParameterInfoList(&copy);
    }();
    return &list;
}

} // namespace

CStereoChorus::CStereoChorus() : m_changes(3, CChorus::kParameterCount), m_channelValues(nullptr, CChorus::kParameterCount)
{
    m_changes.used = 0;
}

CStereoChorus::CStereoChorus(const CStereoChorus& source)
    : CStereoEffect<CChorus>(source), m_changes(source.m_changes), m_channelValues(source.m_channelValues)
{
}

const CEffectInfo* CStereoChorus::GetInfo() const
{
    static const CEffectInfo info("Stereo Chorus", "1", "Copyright (c) Orvane's Music Software",
                                  "Classic Stereo Chorus Effect");
    return &info;
}

const CParameterInfoList* CStereoChorus::GetParameterInfo() const { return StereoChorusParameterInfo(); }

const CPresetList* CStereoChorus::GetPresets() const { return StereoChorusPresets(); }

void CStereoChorus::Initialize(double sampleRate, const CValueArray* settings)
{
    CStereoEffect::Initialize(sampleRate, settings);
    // Each channel has just applied the mono defaults, Phase 0 among them; the stereo defaults
    // (Stereo 100 %) must spread the two oscillators before the first block.
    const CParameterInfoList* parameters = GetParameterInfo();
    CValueArray defaults(nullptr, parameters->GetCount());
    for (int i = 0; i < defaults.GetCount(); ++i)
        defaults.SetValue(i, parameters->GetItem(i)->GetDefault());
    SetParameters(&defaults);
}

void CStereoChorus::SetParameters(const CValueArray* values)
{
    if (!values || values->GetCount() != CChorus::kParameterCount) {
        CStereoEffect::SetParameters(values); // each channel applies its own rules to odd arrays
        return;
    }
    AssignValues(&m_channelValues, values);
    m_channelValues.SetValue(kStereo, values->GetValue(kStereo) * kLeftSpread);
    m_left.SetParameters(&m_channelValues);
    m_channelValues.SetValue(kStereo, values->GetValue(kStereo) * kRightSpread);
    m_right.SetParameters(&m_channelValues);
}

const CValueArrayList* CStereoChorus::RampFor(const CValueArrayList* changes, float spread)
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

void CStereoChorus::ScaleStereo(const CValueArrayList* changes, float spread)
{
    for (int i = 0; i < m_changes.used; ++i)
        if (const CValueArray* incoming = changes->GetItem(i))
            m_changes.GetItem(i)->SetValue(kStereo, incoming->GetValue(kStereo) * spread);
}

template <bool Accumulate>
void CStereoChorus::Process(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                            const CValueArrayList* changes)
{
    // Both channels take their ramps first, so that both can then run in one pass.
    const CValueArrayList* ramp = RampFor(changes, kLeftSpread);
    CChorus::CBlock left, right;
    const bool leftReady = m_left.Begin(inputs, outputs, ramp, left);
    if (ramp)
        ScaleStereo(changes, kRightSpread);
    const CSingleBufferList in(RightInput(inputs));
    const CSingleBufferList out(RightOutput(outputs));
    const bool rightReady = m_right.Begin(&in, &out, ramp, right);
    RunReady(leftReady ? &left : nullptr, rightReady ? &right : nullptr, frames, Accumulate);
}

void CStereoChorus::RunReady(CChorus::CBlock* left, CChorus::CBlock* right, int frames, bool accumulate)
{
    if (left && right)
        CChorus::RunPair(m_left, *left, m_right, *right, frames, accumulate);
    else if (left)
        m_left.Run(*left, frames, accumulate);
    else if (right)
        m_right.Run(*right, frames, accumulate);
}

void CStereoChorus::ProcessChannels(const float* const* inputs, float* const* outputs, int frames,
                                    const float* const* ramp, int rampEntries, int valueCount, bool accumulate)
{
    // What Process() does, without the lists: each channel's ramp is the incoming one with its own
    // share of the Stereo value. The core hands as many values as there are parameters.
    const int sets = valueCount == CChorus::kParameterCount ? (rampEntries < 3 ? rampEntries : 3) : 0;
    if (sets == 0
        && CChorus::RunSteadyPair(m_left, inputs[0], outputs[0], m_right, inputs[1], outputs[1], frames, accumulate))
        return;
    CChorus::CBlock left, right;
    if (sets && CChorus::BeginPair(m_left, inputs[0], outputs[0], kLeftSpread, m_right, inputs[1], outputs[1],
                                   kRightSpread, ramp, sets, left, right)) {
        if (!CChorus::RunSweepOnlyPair(m_left, left, m_right, right, frames, accumulate))
            RunReady(&left, &right, frames, accumulate);
        return;
    }
    const bool leftReady = sets ? m_left.Begin(inputs[0], outputs[0], ramp, sets, kLeftSpread, left)
                                : m_left.BeginSteady(inputs[0], outputs[0], left);
    const bool rightReady = sets
                              ? m_right.BeginTwin(m_left, left, inputs[1], outputs[1], ramp, sets, kRightSpread, right)
                              : m_right.BeginSteady(inputs[1], outputs[1], right);
    RunReady(leftReady ? &left : nullptr, rightReady ? &right : nullptr, frames, accumulate);
}

template <bool Accumulate>
bool CStereoChorus::Tail(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes)
{
    const CValueArrayList* ramp = RampFor(changes, kLeftSpread);
    const bool left = TailLeft(outputs, frames, ramp, Accumulate);
    if (ramp)
        ScaleStereo(changes, kRightSpread);
    return TailRight(outputs, frames, ramp, Accumulate) || left;
}

void CStereoChorus::ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                                     const CValueArrayList* changes)
{
    Process<false>(inputs, outputs, frames, changes);
}

void CStereoChorus::ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                                        const CValueArrayList* changes)
{
    Process<true>(inputs, outputs, frames, changes);
}

bool CStereoChorus::ProcessTailReplacing(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes)
{
    return Tail<false>(outputs, frames, changes);
}

bool CStereoChorus::ProcessTailAccumulating(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes)
{
    return Tail<true>(outputs, frames, changes);
}
