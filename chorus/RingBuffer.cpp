#include "RingBuffer.h"
#include <algorithm>

CRingBuffer::CRingBuffer(int length)
{
    Allocate(length);
    Clear();
}

CRingBuffer::CRingBuffer(const CRingBuffer& source)
    : m_size(source.m_size), m_mask(source.m_mask), m_position(source.m_position)
{
    if (source.m_storage) {
        m_storage = std::make_unique<float[]>(static_cast<size_t>(m_size));
        std::copy(source.m_storage.get(), source.m_storage.get() + m_size, m_storage.get());
    }
}

int CRingBuffer::RoundUpToPowerOfTwo(int n)
{
    if (n >= 2 && (n & (n - 1)) == 0)
        return n;
    int bits = 0;
    for (unsigned v = static_cast<unsigned>(n); v; v >>= 1)
        ++bits;
    return bits >= 31 ? (1 << 30) : (1 << bits);
}

bool CRingBuffer::Allocate(int n)
{
    if (n <= 0)
        return m_storage != nullptr;
    const int size = RoundUpToPowerOfTwo(n);
    m_storage = std::make_unique<float[]>(static_cast<size_t>(size));
    m_size = size;
    m_mask = size - 1;
    m_position &= m_mask;
    return m_storage != nullptr;
}

void CRingBuffer::Release()
{
    m_storage.reset();
    m_size = 0;
    m_mask = 0;
    m_position = 0;
}

void CRingBuffer::Clear()
{
    if (m_storage)
        std::fill(m_storage.get(), m_storage.get() + m_size, 0.0f);
}

void CRingBuffer::WriteZeros(int n)
{
    if (n > m_size) {
        Clear();
        m_position = 0;
        return;
    }
    if (!m_storage)
        return;
    for (int i = 0; i < n; ++i) {
        m_storage[static_cast<size_t>(m_position)] = 0.0f;
        m_position = (m_position + 1) & m_mask;
    }
}
