#include "SharedValueArray.h"

CSharedValueArray::CSharedValueArray(int count)
    : m_count(count > 0 ? count : 0), m_values(std::make_unique<std::atomic<float>[]>(static_cast<size_t>(m_count)))
{
    for (int i = 0; i < m_count; ++i)
        m_values[static_cast<size_t>(i)].store(0.0f, std::memory_order_relaxed);
}

float CSharedValueArray::GetValue(int index) const
{
    if (index < 0 || index >= m_count)
        return 0.0f;
    return m_values[static_cast<size_t>(index)].load(std::memory_order_relaxed);
}

void CSharedValueArray::SetValue(int index, float value)
{
    if (index < 0 || index >= m_count)
        return;
    m_values[static_cast<size_t>(index)].store(value, std::memory_order_relaxed);
}
