#include "ParameterInfo.h"

CParameterInfo::CParameterInfo(const char* name, int kind, float minimum, float maximum,
                               float defaultValue, const char* unit, const char* description)
    : m_kind(kind), m_name(name), m_unit(unit), m_description(description),
      m_min(minimum), m_max(maximum), m_default(defaultValue)
{
}

CParameterInfo::CParameterInfo(const CParameterInfo& source) : CParameterInfo(&source) {}

CParameterInfo::CParameterInfo(const CParameterInfo* source)
{
    if (!source)
        return;
    m_kind = source->GetKind();
    m_min = source->GetMin();
    m_default = source->GetDefault();
    m_max = source->GetMax();
    m_name = COwnedString(source->GetName());
    m_unit = COwnedString(source->GetUnit());
    m_description = COwnedString(source->GetDescription());
}

CParameterInfoList::CParameterInfoList(int count, const CParameterInfo* descriptors)
{
    for (int i = 0; i < count; ++i) {
        if (descriptors)
            m_items.push_back(std::make_unique<CParameterInfo>(descriptors[i]));
        else
            m_items.push_back(std::make_unique<CParameterInfo>("", CParameterInfo::kContinuous,
                                                               0.0f, 0.0f, 0.0f, "", ""));
    }
}

CParameterInfoList::CParameterInfoList(const CParameterInfoList& source) : CParameterInfoList(&source) {}

CParameterInfoList::CParameterInfoList(const CParameterInfoList* source)
{
    if (!source)
        return;
    for (int i = 0; i < source->GetCount(); ++i) {
        const CParameterInfo* item = source->GetItem(i);
        m_items.push_back(item ? std::make_unique<CParameterInfo>(item) : nullptr);
    }
}

const CParameterInfo* CParameterInfoList::GetItem(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

void ReplaceItem(CParameterInfoList& list, int index, const CParameterInfo& descriptor)
{
    if (index < 0 || index >= static_cast<int>(list.m_items.size()))
        return;
    list.m_items[static_cast<size_t>(index)] = std::make_unique<CParameterInfo>(descriptor);
}

int CJoinedParameterInfoList::GetCount() const
{
    return (m_first ? m_first->GetCount() : 0) + (m_second ? m_second->GetCount() : 0);
}

const CParameterInfo* CJoinedParameterInfoList::GetItem(int index) const
{
    const int firstCount = m_first ? m_first->GetCount() : 0;
    if (index < 0)
        return nullptr;
    if (index < firstCount)
        return m_first->GetItem(index);
    return m_second ? m_second->GetItem(index - firstCount) : nullptr;
}
