#include "ParameterSet.h"

const CParameterInfo* CNormalizedParameterSet::GetItem(int index) const
{
    return m_descriptors ? m_descriptors->GetItem(index) : nullptr;
}

float CNormalizedParameterSet::Normalize(const CParameterInfo& info, float value)
{
    const float range = info.GetMax() - info.GetMin();
    const float factor = range == 0.0f ? 0.0f : 1.0f / range;
    return (value - info.GetMin()) * factor;
}

float CNormalizedParameterSet::GetValue(int index) const
{
    const CParameterInfo* info = GetItem(index);
    if (!info || !m_store)
        return 0.0f;
    const float normalised = m_store->GetValue(index + m_offset);
    return info->GetMin() + (info->GetMax() - info->GetMin()) * normalised;
}

int CNormalizedParameterSet::SetValue(int index, float value)
{
    const CParameterInfo* info = GetItem(index);
    if (!info || !m_store)
        return 0;
    return m_store->SetValue(index + m_offset, Normalize(*info, value));
}
