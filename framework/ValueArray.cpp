#include "ValueArray.h"
#include <algorithm>

namespace {

// array[i] = view[i] for equal counts: one copy when both keep plain values.
void CopyValues(CValueArray* array, const CValueArray* view)
{
    const int count = array->GetCount();
    const float* from = view->PlainValues();
    if (float* to = array->PlainValues(); to && from) {
        std::copy(from, from + count, to);
        return;
    }
    for (int i = 0; i < count; ++i)
        array->SetValue(i, view->GetValue(i));
}

} // namespace

CValueArray::CValueArray(const float* source, int count)
{
    if (count <= 0)
        return;
    if (source)
        m_values.assign(source, source + count);
    else
        m_values.assign(static_cast<size_t>(count), 0.0f);
}

CValueArray::CValueArray(const CValueArray& source) : CValueArray(&source) {}

CValueArray::CValueArray(const CValueArray* source)
{
    if (!source)
        return;
    const int count = source->GetCount();
    m_values.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    for (int i = 0; i < count; ++i)
        m_values.push_back(source->GetValue(i));
}

int CValueArray::GetCount() const { return static_cast<int>(m_values.size()); }

float CValueArray::GetValue(int index) const
{
    if (index < 0 || index >= static_cast<int>(m_values.size()))
        return 0.0f;
    return m_values[static_cast<size_t>(index)];
}

void CValueArray::SetValue(int index, float value)
{
    if (index < 0 || index >= static_cast<int>(m_values.size()))
        return;
    m_values[static_cast<size_t>(index)] = value;
}

int CJoinedValueArray::GetCount() const
{
    return (m_first ? m_first->GetCount() : 0) + (m_second ? m_second->GetCount() : 0);
}

float CJoinedValueArray::GetValue(int index) const
{
    const int firstCount = m_first ? m_first->GetCount() : 0;
    if (index < firstCount)
        return m_first ? m_first->GetValue(index) : 0.0f;
    return m_second ? m_second->GetValue(index - firstCount) : 0.0f;
}

CValueArrayList::CValueArrayList(int capacity, int size) : used(capacity > 0 ? capacity : 0)
{
    for (int i = 0; i < capacity; ++i)
        m_items.push_back(std::make_unique<CValueArray>(nullptr, size));
}

CValueArrayList::CValueArrayList(const CValueArrayList& source) : used(source.used)
{
    for (const auto& item : source.m_items)
        m_items.push_back(std::make_unique<CValueArray>(*item));
}

CValueArray* CValueArrayList::GetItem(int index) const
{
    if (index < 0 || index >= GetCapacity())
        return nullptr;
    return m_items[static_cast<size_t>(index)].get();
}

void CValueArrayList::Assign(int index, const CValueArray* source)
{
    CValueArray* entry = GetItem(index);
    if (!entry || !source || entry->GetCount() != source->GetCount())
        return;
    CopyValues(entry, source);
}

bool ValuesEqual(const CValueArray* view, const CValueArray* array)
{
    if (!view || !array || !array->HasStorage() || view->GetCount() != array->GetCount())
        return false;
    const float* a = view->PlainValues();
    const float* b = array->PlainValues();
    if (a && b) {
        for (int i = 0, n = array->GetCount(); i < n; ++i)
            if (!(a[i] == b[i]))
                return false;
        return true;
    }
    for (int i = 0; i < array->GetCount(); ++i)
        if (!(view->GetValue(i) == array->GetValue(i)))
            return false;
    return true;
}

void ValuesToStep(const CValueArray* view, CValueArray* array, int frames)
{
    if (!view || !array || array->GetCount() == 0 || view->GetCount() != array->GetCount())
        return;
    const float factor = frames == 0 ? 0.0f : 1.0f / static_cast<float>(frames);
    const float* from = view->PlainValues();
    if (float* to = array->PlainValues(); to && from) {
        for (int i = 0, n = array->GetCount(); i < n; ++i)
            to[i] = (to[i] - from[i]) * factor;
        return;
    }
    for (int i = 0; i < array->GetCount(); ++i)
        array->SetValue(i, (array->GetValue(i) - view->GetValue(i)) * factor);
}

void AssignValues(CValueArray* array, const CValueArray* view)
{
    if (!view || !array || array->GetCount() == 0 || view->GetCount() != array->GetCount())
        return;
    CopyValues(array, view);
}
