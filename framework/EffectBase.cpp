#include "Effect.h"

const CParameterInfoList* EmptySettingsInfo() { static const CParameterInfoList list; return &list; }
const CParameterInfoList* EmptyParameterInfo() { static const CParameterInfoList list; return &list; }
const CParameterInfoList* EmptyOutputParameterInfo() { static const CParameterInfoList list; return &list; }
const CValueArray* EmptyOutputValues() { static const CValueArray values; return &values; }
const CPresetList* EmptyPresetList() { static const CPresetList list; return &list; }

void CEffectBase::Initialize(double sampleRate, const CValueArray* settings)
{
    m_sampleRate = sampleRate;
    const CParameterInfoList* settingsInfo = GetSettingsInfo();
    CValueArray defaults(nullptr, settingsInfo ? settingsInfo->GetCount() : 0);
    if (!settings) {
        for (int i = 0; i < defaults.GetCount(); ++i) {
            const CParameterInfo* info = settingsInfo->GetItem(i);
            defaults.SetValue(i, info ? info->GetDefault() : 0.0f);
        }
        settings = &defaults;
    }
    ApplySettings(settings);

    if (const CParameterInfoList* parameters = GetParameterInfo()) {
        CValueArray values(nullptr, parameters->GetCount());
        for (int i = 0; i < values.GetCount(); ++i) {
            const CParameterInfo* info = parameters->GetItem(i);
            values.SetValue(i, info ? info->GetDefault() : 0.0f);
        }
        SetParameters(&values);
    }
    ResetTail();
    Reset();
}

bool CEffectBase::AdvanceTail(int frames)
{
    if (m_tailCounter >= GetTailLength())
        return false;
    m_tailCounter += frames;
    return true;
}

bool CEffectBase::ProcessTailReplacing(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes)
{
    if (!AdvanceTail(frames))
        return false;
    const CSilentBufferList silence(GetIOInfo()->GetInputCount(), frames);
    ProcessReplacing(&silence, outputs, frames, changes);
    return true;
}

bool CEffectBase::ProcessTailAccumulating(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes)
{
    if (!AdvanceTail(frames))
        return false;
    const CSilentBufferList silence(GetIOInfo()->GetInputCount(), frames);
    ProcessAccumulating(&silence, outputs, frames, changes);
    return true;
}
