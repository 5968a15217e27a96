#include "SharedValueArray.h"

CSharedValueArray::CSharedValueArray(int count)
    : m_count(count > 0 ? count : 0), m_values(std::make_unique<std::atomic<float>[]>(static_cast<size_t>(m_count)))
{
    for (int i = 0; i < m_count; ++i)
        m_values[static_cast<size_t>(i)].store(0.0f, std::memory_order_relaxed);
}
