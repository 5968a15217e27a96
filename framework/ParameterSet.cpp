#include "ParameterSet.h"

const CParameterInfo* CNormalizedParameterSet::GetItem(int index) const
{
    return m_descriptors ? m_descriptors->GetItem(index) : nullptr;
}

float CNormalizedParameterSet::Normalize(const CParameterInfo& info, float value)
{
    // A division rather than a multiplication by 1 / range, so that real values survive the
    // round trip exactly (a preset's 10 % comes back as 10, not 9.999999).
    const float range = info.GetMax() - info.GetMin();
    return range == 0.0f ? 0.0f : (value - info.GetMin()) / range;
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
