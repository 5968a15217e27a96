// Parameters in their real units over the core's 0..1 values, host events, and the editor's
// gestures on their way to the host.
#include "ClapPlugin.h"
#include "HostText.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

uint32_t CLAP_CALL ParamCount(const clap::Plugin* plugin)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self ? self->ParamCount() : 0;
}

bool CLAP_CALL ParamGetInfo(const clap::Plugin* plugin, uint32_t index, clap::ParamInfo* info)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->GetParamInfo(index, info);
}

bool CLAP_CALL ParamGetValue(const clap::Plugin* plugin, clap::Id id, double* value)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->GetParamValue(id, value);
}

bool CLAP_CALL ParamValueToText(const clap::Plugin* plugin, clap::Id id, double value, char* text, uint32_t capacity)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->ValueToText(id, value, text, capacity);
}

bool CLAP_CALL ParamTextToValue(const clap::Plugin* plugin, clap::Id id, const char* text, double* value)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->TextToValue(id, text, value);
}

void CLAP_CALL ParamFlush(const clap::Plugin* plugin, const clap::InputEvents* in, const clap::OutputEvents* out)
{
    if (CClapPlugin* self = CClapPlugin::From(plugin))
        self->Flush(in, out);
}

} // namespace

const clap::PluginParams kClapParams{ParamCount, ParamGetInfo, ParamGetValue, ParamValueToText, ParamTextToValue,
                                     ParamFlush};

uint32_t CClapPlugin::ParamCount() const { return static_cast<uint32_t>(m_core.GetParameterCount()); }

bool CClapPlugin::GetParamInfo(uint32_t index, clap::ParamInfo* info) const
{
    const CParameterInfo* descriptor = index < ParamCount() ? m_core.GetParameterInfo(static_cast<int>(index)) : nullptr;
    if (!descriptor || !info)
        return false;
    std::memset(info, 0, sizeof *info);
    const int hostIndex = static_cast<int>(index);
    info->id = index;
    if (hostIndex == 0)
        info->flags = clap::kParamIsBypass | clap::kParamIsStepped | clap::kParamIsAutomatable;
    else if (m_core.IsOutputParameter(hostIndex))
        info->flags = clap::kParamIsReadonly;
    else
        info->flags = clap::kParamIsAutomatable |
                      (descriptor->GetKind() == CParameterInfo::kContinuous ? 0u : static_cast<uint32_t>(clap::kParamIsStepped));
    m_core.GetParameterName(hostIndex, info->name);
    info->minValue = descriptor->GetMin();
    info->maxValue = descriptor->GetMax();
    info->defaultValue = descriptor->GetDefault();
    return true;
}

bool CClapPlugin::GetParamValue(clap::Id id, double* value) const
{
    if (!value || id >= ParamCount())
        return false;
    // The host's own value while it is the one in effect: the core keeps 0..1 values, and 0.8 Hz
    // comes back from them as 0.79999995.
    const int index = static_cast<int>(id);
    const float hostValue = IsInputParam(id) ? m_hostValues[id].load(std::memory_order_relaxed) : 0.0f;
    if (IsInputParam(id) && m_core.ToNormalized(index, hostValue) == m_core.GetParameter(index))
        *value = hostValue;
    else
        *value = m_core.GetRealValue(index);
    return true;
}

bool CClapPlugin::ValueToText(clap::Id id, double value, char* text, uint32_t capacity) const
{
    if (!text || capacity == 0 || id >= ParamCount() || !std::isfinite(value))
        return false;
    // The VST 2 display's eight characters, rounded rather than cut so that the text reads back
    // as itself, then the unit: "20.00000 ms".
    const int index = static_cast<int>(id);
    char number[32] = {};
    char unit[32] = {};
    if (index == 0)
        m_core.FormatParameter(0, static_cast<float>(value), number);
    else
        FloatToRoundedText(Clamped(id, value), number);
    m_core.GetParameterLabel(index, unit);
    std::snprintf(text, capacity, unit[0] ? "%s %s" : "%s", number, unit);
    return true;
}

bool CClapPlugin::TextToValue(clap::Id id, const char* text, double* value) const
{
    // The core checks the text; the number in it is the value, in the parameter's unit.
    float normalised = 0.0f;
    if (!value || id >= ParamCount() || !m_core.ParseParameter(static_cast<int>(id), text, normalised))
        return false;
    *value = id == 0 ? normalised : Clamped(id, std::strtod(text, nullptr));
    return true;
}

float CClapPlugin::Clamped(clap::Id id, double value) const
{
    const CParameterInfo* descriptor = m_core.GetParameterInfo(static_cast<int>(id));
    return static_cast<float>(std::min(std::max(value, double(descriptor->GetMin())), double(descriptor->GetMax())));
}

void CClapPlugin::ApplyValue(clap::Id id, double value)
{
    // Clamped to the published range, then converted exactly as the editor and the VST 2 path do:
    // the real value as a float, normalised by the core, then SetParameter.
    if (!IsInputParam(id) || !std::isfinite(value))
        return;
    const int index = static_cast<int>(id);
    const float real = Clamped(id, value);
    m_hostValues[id].store(real, std::memory_order_relaxed);
    m_core.SetParameter(index, m_core.ToNormalized(index, real));
}

void CClapPlugin::ApplyEventList(const clap::InputEvents* in, uint32_t count)
{
    // Every value of the block lands in the core in order, so the last one per parameter is the
    // block's ramp target; the core reads them once, when the block is processed.
    for (uint32_t e = 0; e < count; ++e) {
        const clap::EventHeader* header = in->get(in, e);
        if (!header || header->spaceId != clap::kCoreEventSpace || header->type != clap::kEventParamValue ||
            header->size < sizeof(clap::EventParamValue))
            continue;
        const auto* event = reinterpret_cast<const clap::EventParamValue*>(header);
        ApplyValue(event->paramId, event->value);
    }
}

void CClapPlugin::Flush(const clap::InputEvents* in, const clap::OutputEvents* out)
{
    ApplyEvents(in);
    DrainToHost(m_outbox, out);
}

void CClapPlugin::PostToHost(CGestureOutbox::EKind kind, int index, double value)
{
    // Output parameters are reported from the audio thread; hosts read them with get_value.
    if (index < 0 || !IsInputParam(static_cast<clap::Id>(index)))
        return;
    m_outbox.Push(kind, index, value);
    // Without a block running, the host collects the events through flush when asked to (see
    // StopProcessing for the fence).
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (!m_processing.load(std::memory_order_relaxed) && m_hostParams && m_hostParams->requestFlush)
        m_hostParams->requestFlush(m_host);
}

void CClapPlugin::OnParameterAutomated(int index, float normalised)
{
    PostToHost(CGestureOutbox::EKind::Value, index, index == 0 ? (normalised > 0.5f ? 1.0 : 0.0) : m_core.ToReal(index, normalised));
}

void CClapPlugin::OnBeginEdit(int index) { PostToHost(CGestureOutbox::EKind::Begin, index, 0.0); }

void CClapPlugin::OnEndEdit(int index) { PostToHost(CGestureOutbox::EKind::End, index, 0.0); }
