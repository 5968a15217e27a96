// The mapping between the host's flat 0..1 parameters and programs and the effect's own
// real-unit parameters and presets.
#include "HostText.h"
#include "VstEditor.h"
#include "VstPlugin.h"
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr size_t kNameChars = 23;
constexpr size_t kOutputNameChars = 18; // behind "OUT::", 23 in all
constexpr size_t kProgramNameChars = 31;

// real = minimum + normalised * range, in double, rounded to a float at the end; unclamped within
// the float range. Beyond it (a normalised 1e38 times a range of 40) the conversion would be
// undefined and in practice infinite, which the effect's ramps turn into NaN; the largest float
// stands in instead.
float ToReal(const CParameterInfo* info, float normalised)
{
    if (!info)
        return 0.0f;
    const double minimum = info->GetMin();
    const double real = minimum + static_cast<double>(normalised) * (info->GetMax() - minimum);
    return static_cast<float>(std::min(std::max(real, -static_cast<double>(FLT_MAX)), static_cast<double>(FLT_MAX)));
}

float ToNormalized(const CParameterInfo* info, float real)
{
    return info ? CNormalizedParameterSet::Normalize(*info, real) : 0.0f;
}

} // namespace

const CParameterInfo* CVstPlugin::InputInfo(int i) const
{
    return m_effect->GetParameterInfo() ? m_effect->GetParameterInfo()->GetItem(i) : nullptr;
}

const CParameterInfo* CVstPlugin::OutputInfo(int j) const { return m_outputInfo ? m_outputInfo->GetItem(j) : nullptr; }

void CVstPlugin::setParameter(VstInt32 index, float value)
{
    // Hosts have sent negative indexes and NaN; neither may reach the value arrays.
    if (index < 0 || index >= m_parameterCount || !std::isfinite(value))
        return;
    if (index == 0) {
        m_bypass.store(value > 0.5f ? 1 : 0, std::memory_order_relaxed);
    } else if (index <= InputCount()) {
        const int i = index - 1;
        m_normalizedInputs.SetValue(i, value);
        m_realInputs.SetValue(i, ToReal(InputInfo(i), value));
    } else {
        const int j = index - 1 - InputCount();
        m_normalizedOutputs.SetValue(j, value);
        m_realOutputs.SetValue(j, ToReal(OutputInfo(j), value));
    }
    if (m_editor)
        m_editor->postUpdate();
}

float CVstPlugin::getParameter(VstInt32 index) const
{
    if (index < 0)
        return 0.0f;
    if (index == 0)
        return m_bypass.load(std::memory_order_relaxed) ? 1.0f : 0.0f;
    if (index <= InputCount())
        return m_normalizedInputs.GetValue(index - 1);
    return m_normalizedOutputs.GetValue(index - 1 - InputCount());
}

void CVstPlugin::setParameterAutomated(VstInt32 index, float value)
{
    setParameter(index, value);
    if (m_host)
        m_host(&m_record, audioMasterAutomate, index, 0, nullptr, value);
}

void CVstPlugin::getParameterName(VstInt32 index, char* text) const
{
    if (index == 0) {
        CopyHostText(text, "Bypass", kNameChars);
    } else if (index > 0 && index <= InputCount()) {
        const CParameterInfo* info = InputInfo(index - 1);
        CopyHostText(text, info ? info->GetName() : nullptr, kNameChars);
    } else if (index > InputCount() && index < m_parameterCount) {
        const CParameterInfo* info = OutputInfo(index - 1 - InputCount());
        std::string name = "OUT::";
        name.append(info && info->GetName() ? info->GetName() : "", 0, kOutputNameChars);
        CopyHostText(text, name.c_str(), kNameChars);
    } else {
        CopyHostText(text, "Unknown Parameter", kNameChars);
    }
}

void CVstPlugin::getParameterLabel(VstInt32 index, char* text) const
{
    const CParameterInfo* info = nullptr;
    if (index > 0 && index <= InputCount())
        info = InputInfo(index - 1);
    else if (index > InputCount() && index < m_parameterCount)
        info = OutputInfo(index - 1 - InputCount());
    CopyHostText(text, info ? info->GetUnit() : nullptr, kNameChars);
}

void CVstPlugin::getParameterDisplay(VstInt32 index, char* text) const
{
    if (index < 0)
        CopyHostText(text, "", kNameChars);
    else if (index == 0)
        CopyHostText(text, m_bypass.load(std::memory_order_relaxed) ? "On" : "Off", kNameChars);
    else if (index <= InputCount())
        float2string(m_realInputs.GetValue(index - 1), text);
    else
        float2string(m_realOutputs.GetValue(index - 1 - InputCount()), text);
}

void CVstPlugin::float2string(float value, char* text) const { FloatToDisplayText(value, text); }

void CVstPlugin::SetUpPrograms()
{
    for (int i = 0; i < InputCount(); ++i) {
        const CParameterInfo* info = InputInfo(i);
        const float defaultValue = info ? info->GetDefault() : 0.0f;
        m_realInputs.SetValue(i, defaultValue);
        m_normalizedInputs.SetValue(i, ToNormalized(info, defaultValue));
    }
    m_bypass.store(0, std::memory_order_relaxed);

    for (int p = 0; p < m_programCount; ++p) {
        m_programs.push_back(std::make_unique<CProgramSlot>(1 + InputCount()));
        StoreProgram(p);
        CopyHostText(m_programs.back()->name, "Default", kProgramNameChars);
    }

    // Programs 1, 2, ... take the effect's presets in list order; headings and random entries
    // exist only in the editor's menu.
    const CPresetList* presets = m_effect->GetPresets();
    int k = 1;
    for (int e = 0; presets && e < presets->GetCount() && k < m_programCount; ++e) {
        const CPreset* preset = presets->GetItem(e);
        if (!preset || preset->GetKind() != CPreset::kValues)
            continue;
        CProgramSlot& program = *m_programs[static_cast<size_t>(k)];
        for (int i = 0; i < InputCount(); ++i)
            program.values.SetValue(1 + i, ToNormalized(InputInfo(i), preset->GetValues().GetValue(i)));
        CopyHostText(program.name, preset->GetName(), kProgramNameChars);
        ++k;
    }
}

void CVstPlugin::StoreProgram(VstInt32 index)
{
    CSharedValueArray& values = m_programs[static_cast<size_t>(index)]->values;
    values.SetValue(0, getParameter(0));
    for (int i = 0; i < InputCount(); ++i)
        values.SetValue(1 + i, m_normalizedInputs.GetValue(i));
}

void CVstPlugin::setProgram(VstInt32 index)
{
    if (index < 0)
        return; // would index before the programs
    // Edits since the last change stay with the program being left. The index is read and
    // swapped once, as hosts switch programs from more than one thread.
    const VstInt32 next = index < m_programCount ? index : 0;
    StoreProgram(m_currentProgram.exchange(next, std::memory_order_relaxed));
    const CSharedValueArray& values = m_programs[static_cast<size_t>(next)]->values;
    for (int k = 0; k <= InputCount(); ++k)
        setParameter(k, values.GetValue(k));
}

void CVstPlugin::setProgramName(const char* text)
{
    if (text)
        CopyHostText(m_programs[static_cast<size_t>(getProgram())]->name, text, kProgramNameChars);
}

void CVstPlugin::getProgramName(char* text) const
{
    CopyHostText(text, m_programs[static_cast<size_t>(getProgram())]->name, kProgramNameChars);
}

void CVstPlugin::RefreshOutputs(bool notifyHost)
{
    if (m_refreshCounter < m_refreshInterval)
        return;
    m_refreshCounter = 0;
    m_effect->UpdateOutputParameters();
    const int count = m_outputInfo ? m_outputInfo->GetCount() : 0;
    const CValueArray* values = m_effect->GetOutputValues();
    for (int j = 0; j < count; ++j) {
        const float normalised = ToNormalized(OutputInfo(j), values ? values->GetValue(j) : 0.0f);
        const VstInt32 index = 1 + InputCount() + j;
        if (notifyHost)
            setParameterAutomated(index, normalised);
        else
            setParameter(index, normalised);
    }
}
