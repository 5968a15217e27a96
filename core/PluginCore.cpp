// Creation, the host parameter map, texts and programs of the format-neutral plug-in core.
#include "PluginCore.h"
#include "HostText.h"
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr size_t kNameChars = 23;
constexpr size_t kOutputNameChars = 18; // behind "OUT::", 23 in all

int CountOf(const CParameterInfoList* list) { return list ? list->GetCount() : 0; }

// real = minimum + normalised * range, in double, rounded to a float at the end; unclamped within
// the float range. Beyond it (a normalised 1e38 times a range of 40) the conversion would be
// undefined and in practice infinite, which the effect's ramps turn into NaN; the largest float
// stands in instead.
float RealOf(const CInputRange& range, float normalised)
{
    const double real = range.minimum + static_cast<double>(normalised) * range.span;
    return static_cast<float>(std::min(std::max(real, -static_cast<double>(FLT_MAX)), static_cast<double>(FLT_MAX)));
}

CInputRange RangeOf(const CParameterInfo* info)
{
    if (!info)
        return CInputRange{0.0, 0.0, false};
    const double minimum = info->GetMin();
    return CInputRange{minimum, info->GetMax() - minimum, true};
}

float RealOf(const CParameterInfo* info, float normalised)
{
    return info ? RealOf(RangeOf(info), normalised) : 0.0f;
}

float NormalizedOf(const CParameterInfo* info, float real)
{
    return info ? CNormalizedParameterSet::Normalize(*info, real) : 0.0f;
}

} // namespace

CPluginCore::CPluginCore(std::unique_ptr<CEffect> effect, const CValueArray* settings, double refreshRate)
    : m_effect(std::move(effect)),
      m_programCount(std::max(kMinimumPrograms, m_effect->GetPresets()->GetPresetCount() + 1)),
      m_parameterCount(1 + CountOf(m_effect->GetParameterInfo()) + CountOf(m_effect->GetOutputParameterInfo())),
      m_normalizedInputs(CountOf(m_effect->GetParameterInfo())),
      m_realInputs(CountOf(m_effect->GetParameterInfo())),
      m_normalizedOutputs(CountOf(m_effect->GetOutputParameterInfo())),
      m_realOutputs(CountOf(m_effect->GetOutputParameterInfo())),
      m_inputCount(CountOf(m_effect->GetParameterInfo())),
      m_previousInputs(nullptr, CountOf(m_effect->GetParameterInfo())),
      m_rampTargets(nullptr, CountOf(m_effect->GetParameterInfo())),
      m_settingsCopy(settings ? std::make_unique<CValueArray>(*settings) : nullptr),
      m_ramp(2, CountOf(m_effect->GetParameterInfo())),
      m_rampEntries{m_ramp.GetItem(0)->Data(), m_ramp.GetItem(1)->Data()},
      m_plainEffect(dynamic_cast<CPlainChannelEffect*>(m_effect.get())),
      m_bypassInfo(1, nullptr),
      m_hostInputInfo(&m_bypassInfo, m_effect->GetParameterInfo()),
      m_inputInfo(m_effect->GetParameterInfo()),
      m_outputInfo(m_effect->GetOutputParameterInfo()),
      m_store(*this),
      m_inputSet(&m_hostInputInfo, 0, &m_store),
      m_outputSet(m_outputInfo, 1 + CountOf(m_effect->GetParameterInfo()), &m_store)
{
    ReplaceItem(m_bypassInfo, 0, CParameterInfo("Bypass", CParameterInfo::kInteger, 0.0f, 1.0f, 0.0f, "", ""));
    m_presetView.SetList(m_effect->GetPresets());
    for (int i = 0; i < m_inputCount; ++i)
        m_inputRanges.push_back(RangeOf(InputInfo(i)));

    // An effect that declares no inputs (or outputs) is published with the other count, so the
    // host still has channels to pass.
    const CIOInfo* pins = m_effect->GetIOInfo();
    m_inputChannels = pins->GetInputCount() ? pins->GetInputCount() : pins->GetOutputCount();
    m_outputChannels = pins->GetOutputCount() ? pins->GetOutputCount() : m_inputChannels;
    m_inputBuffers.resize(static_cast<size_t>(pins->GetInputCount()));
    m_outputBuffers.resize(static_cast<size_t>(pins->GetOutputCount()));
    m_effectInputs = static_cast<int>(m_inputBuffers.size());
    m_effectOutputs = static_cast<int>(m_outputBuffers.size());

    m_settings = m_settingsCopy.get();
    m_effect->Initialize(m_sampleRate, m_settings);
    m_presetView.SetList(m_effect->GetPresets());
    m_latency = m_effect->GetLatency();

    SetUpPrograms();
    SetProgram(0);

    if (refreshRate != 0.0)
        m_refreshInterval = static_cast<int>(m_sampleRate / refreshRate);
    m_refreshCounter = m_refreshInterval;
    RefreshOutputs(false);
    m_refreshCounter = m_refreshInterval;
    UpdateRingLength();
}

CPluginCore::~CPluginCore() = default;

const char* CPluginCore::GetEffectName() const
{
    const CEffectInfo* info = m_effect->GetInfo();
    return info && info->GetName() ? info->GetName() : "";
}

const CParameterInfo* CPluginCore::InputInfo(int i) const { return m_inputInfo ? m_inputInfo->GetItem(i) : nullptr; }

const CParameterInfo* CPluginCore::OutputInfo(int j) const { return m_outputInfo ? m_outputInfo->GetItem(j) : nullptr; }

const CParameterInfo* CPluginCore::GetParameterInfo(int index) const
{
    if (index < 0 || index >= m_parameterCount)
        return nullptr;
    if (index <= GetInputParameterCount())
        return m_hostInputInfo.GetItem(index);
    return OutputInfo(index - 1 - GetInputParameterCount());
}

float CPluginCore::ToReal(int index, float normalised) const { return RealOf(GetParameterInfo(index), normalised); }

float CPluginCore::ToNormalized(int index, float real) const
{
    return NormalizedOf(GetParameterInfo(index), real);
}

bool CPluginCore::SetParameter(int index, float value)
{
    // Hosts have sent negative indexes and NaN; neither may reach the value arrays.
    if (index < 0 || index >= m_parameterCount || !std::isfinite(value))
        return false;
    if (index == 0) {
        m_bypass.store(value > 0.5f ? 1 : 0, std::memory_order_relaxed);
    } else if (index <= GetInputParameterCount()) {
        const int i = index - 1;
        m_normalizedInputs.SetValue(i, value);
        const CInputRange& range = m_inputRanges[static_cast<size_t>(i)];
        m_realInputs.SetValue(i, range.known ? RealOf(range, value) : 0.0f);
        m_inputsWritten.fetch_add(1, std::memory_order_release);
    } else {
        const int j = index - 1 - GetInputParameterCount();
        m_normalizedOutputs.SetValue(j, value);
        m_realOutputs.SetValue(j, RealOf(OutputInfo(j), value));
    }
    if (m_listener)
        m_listener->OnParameterChanged();
    return true;
}

float CPluginCore::GetParameter(int index) const
{
    if (index < 0)
        return 0.0f;
    if (index == 0)
        return IsBypassed() ? 1.0f : 0.0f;
    if (index <= GetInputParameterCount())
        return m_normalizedInputs.GetValue(index - 1);
    return m_normalizedOutputs.GetValue(index - 1 - GetInputParameterCount());
}

bool CPluginCore::SetParameterAutomated(int index, float value)
{
    // A value the core refused is not the plug-in's state, so the host must not record it.
    if (!SetParameter(index, value))
        return false;
    if (m_listener)
        m_listener->OnParameterAutomated(index, value);
    return true;
}

float CPluginCore::GetRealValue(int index) const
{
    if (index <= 0)
        return index == 0 && IsBypassed() ? 1.0f : 0.0f;
    if (index <= GetInputParameterCount())
        return m_realInputs.GetValue(index - 1);
    return m_realOutputs.GetValue(index - 1 - GetInputParameterCount());
}

void CPluginCore::BeginEdit(int index)
{
    if (m_listener && index >= 0 && index < m_parameterCount)
        m_listener->OnBeginEdit(index);
}

void CPluginCore::EndEdit(int index)
{
    if (m_listener && index >= 0 && index < m_parameterCount)
        m_listener->OnEndEdit(index);
}

void CPluginCore::GetParameterName(int index, char* text) const
{
    const CParameterInfo* info = GetParameterInfo(index);
    if (!info) {
        CopyHostText(text, "Unknown Parameter", kNameChars);
    } else if (IsOutputParameter(index)) {
        std::string name = "OUT::";
        name.append(info->GetName() ? info->GetName() : "", 0, kOutputNameChars);
        CopyHostText(text, name.c_str(), kNameChars);
    } else {
        CopyHostText(text, info->GetName(), kNameChars);
    }
}

void CPluginCore::GetParameterLabel(int index, char* text) const
{
    const CParameterInfo* info = index > 0 ? GetParameterInfo(index) : nullptr;
    CopyHostText(text, info ? info->GetUnit() : nullptr, kNameChars);
}

void CPluginCore::GetParameterDisplay(int index, char* text) const
{
    if (index < 0)
        CopyHostText(text, "", kNameChars);
    else if (index == 0)
        CopyHostText(text, IsBypassed() ? "On" : "Off", kNameChars);
    else
        FloatToDisplayText(GetRealValue(index), text);
}

void CPluginCore::FormatParameter(int index, float normalised, char* text) const
{
    if (index < 0 || index >= m_parameterCount)
        CopyHostText(text, "", kNameChars);
    else if (index == 0)
        CopyHostText(text, normalised > 0.5f ? "On" : "Off", kNameChars);
    else
        FloatToDisplayText(ToReal(index, normalised), text);
}

void CPluginCore::FormatRoundedParameter(int index, float normalised, char* text) const
{
    if (index <= 0 || index >= m_parameterCount)
        FormatParameter(index, normalised, text);
    else
        FloatToRoundedText(ToReal(index, normalised), text);
}

bool CPluginCore::ParseParameter(int index, const char* text, float& normalised) const
{
    if (!text || index < 0 || index >= m_parameterCount)
        return false;
    if (index == 0) {
        if (std::strcmp(text, "On") == 0 || std::strcmp(text, "Off") == 0) {
            normalised = text[1] == 'n' ? 1.0f : 0.0f;
            return true;
        }
    }
    char* end = nullptr;
    const double real = std::strtod(text, &end);
    if (end == text || !std::isfinite(real))
        return false;
    while (*end == ' ')
        ++end;
    const CParameterInfo* info = GetParameterInfo(index);
    // A unit may follow the number ("20.00000 ms").
    if (*end && !(info->GetUnit() && std::strcmp(end, info->GetUnit()) == 0))
        return false;
    const float value = index == 0 ? (real > 0.5 ? 1.0f : 0.0f) : ToNormalized(index, static_cast<float>(real));
    if (!std::isfinite(value))
        return false;
    normalised = value;
    return true;
}

void CPluginCore::SetUpPrograms()
{
    for (int i = 0; i < GetInputParameterCount(); ++i) {
        const CParameterInfo* info = InputInfo(i);
        const float defaultValue = info ? info->GetDefault() : 0.0f;
        m_realInputs.SetValue(i, defaultValue);
        m_normalizedInputs.SetValue(i, NormalizedOf(info, defaultValue));
    }
    m_bypass.store(0, std::memory_order_relaxed);

    m_programs.reserve(static_cast<size_t>(m_programCount));
    for (int p = 0; p < m_programCount; ++p) {
        m_programs.push_back(std::make_unique<CProgramSlot>(1 + GetInputParameterCount()));
        StoreProgram(p);
        CopyHostText(m_programs.back()->name, "Default", CProgramSlot::kNameChars);
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
        for (int i = 0; i < GetInputParameterCount(); ++i)
            program.values.SetValue(1 + i, NormalizedOf(InputInfo(i), preset->GetValues().GetValue(i)));
        CopyHostText(program.name, preset->GetName(), CProgramSlot::kNameChars);
        ++k;
    }
}

void CPluginCore::StoreProgram(int program)
{
    CSharedValueArray& values = m_programs[static_cast<size_t>(program)]->values;
    values.SetValue(0, GetParameter(0));
    for (int i = 0; i < GetInputParameterCount(); ++i)
        values.SetValue(1 + i, m_normalizedInputs.GetValue(i));
}

void CPluginCore::SetProgram(int index)
{
    if (index < 0)
        return; // would index before the programs
    // Edits since the last change stay with the program being left. The index is read and
    // swapped once, as hosts switch programs from more than one thread.
    const int next = index < m_programCount ? index : 0;
    StoreProgram(m_currentProgram.exchange(next, std::memory_order_relaxed));
    const CSharedValueArray& values = m_programs[static_cast<size_t>(next)]->values;
    for (int k = 0; k <= GetInputParameterCount(); ++k)
        SetParameter(k, values.GetValue(k));
    NotifyValuesReplaced();
}

void CPluginCore::NotifyValuesReplaced()
{
    if (m_listener)
        m_listener->OnValuesReplaced();
}

void CPluginCore::SetProgramName(const char* text) { SetProgramNameAt(GetProgram(), text); }

void CPluginCore::GetProgramName(char* text) const { GetProgramNameAt(GetProgram(), text); }

void CPluginCore::GetProgramNameAt(int program, char* text) const
{
    if (program < 0 || program >= m_programCount)
        CopyHostText(text, "", CProgramSlot::kNameChars);
    else
        CopyHostText(text, m_programs[static_cast<size_t>(program)]->name, CProgramSlot::kNameChars);
}

void CPluginCore::SetProgramNameAt(int program, const char* text)
{
    if (text && program >= 0 && program < m_programCount)
        CopyHostText(m_programs[static_cast<size_t>(program)]->name, text, CProgramSlot::kNameChars);
}

float CPluginCore::GetProgramValue(int program, int index) const
{
    if (program < 0 || program >= m_programCount || index < 0 || index > GetInputParameterCount())
        return 0.0f;
    if (program == GetProgram())
        return GetParameter(index);
    return m_programs[static_cast<size_t>(program)]->values.GetValue(index);
}

void CPluginCore::SetProgramValue(int program, int index, float normalised)
{
    if (program < 0 || program >= m_programCount || index < 0 || index > GetInputParameterCount() ||
        !std::isfinite(normalised))
        return;
    if (program == GetProgram())
        SetParameter(index, normalised);
    else
        m_programs[static_cast<size_t>(program)]->values.SetValue(index, index == 0 ? (normalised > 0.5f ? 1.0f : 0.0f)
                                                                                      : normalised);
}

void CPluginCore::RestorePrograms(int current, const float* values, const char* const* names)
{
    if (current < 0 || current >= m_programCount || !values || !names)
        return;
    const int valueCount = 1 + GetInputParameterCount();
    for (int p = 0; p < m_programCount; ++p) {
        CProgramSlot& program = *m_programs[static_cast<size_t>(p)];
        for (int k = 0; k < valueCount; ++k)
            program.values.SetValue(k, values[p * valueCount + k]);
        CopyHostText(program.name, names[p], CProgramSlot::kNameChars);
    }
    m_currentProgram.store(current, std::memory_order_relaxed);
    for (int k = 0; k < valueCount; ++k)
        SetParameter(k, values[current * valueCount + k]);
}

void CPluginCore::RefreshOutputs(bool notifyHost)
{
    if (m_refreshCounter < m_refreshInterval)
        return;
    m_refreshCounter = 0;
    m_effect->UpdateOutputParameters();
    const int count = m_outputInfo ? m_outputInfo->GetCount() : 0;
    const CValueArray* values = m_effect->GetOutputValues();
    for (int j = 0; j < count; ++j) {
        const float normalised = NormalizedOf(OutputInfo(j), values ? values->GetValue(j) : 0.0f);
        const int index = 1 + GetInputParameterCount() + j;
        if (notifyHost)
            SetParameterAutomated(index, normalised);
        else
            SetParameter(index, normalised);
    }
}

CEditorContext CPluginCore::MakeEditorContext()
{
    return CEditorContext(&m_inputSet, &m_outputSet, &m_presetView, nullptr);
}
