#pragma once
#include <cstdint>
#include <memory>

// A power-of-two array of samples with a masked position, so every wrap is a mask.
class CRingBuffer
{
public:
    CRingBuffer() = default;                 // empty: size 0, no storage
    explicit CRingBuffer(int length);        // allocated and cleared
    CRingBuffer(const CRingBuffer& source);  // deep copy
    CRingBuffer& operator=(const CRingBuffer&) = delete;

    // Rounds n up to a power of two (at least 2) and obtains new, uncleared storage.
    // n = 0 does nothing. Returns false when there is no storage afterwards.
    bool Allocate(int n);
    void Release();
    void Clear();
    // Writes n zeros from the position on; more than the whole line clears it and rewinds.
    void WriteZeros(int n);

    int GetSize() const { return m_size; }
    int GetMask() const { return m_mask; }
    int GetPosition() const { return m_position; }
    void SetPosition(int position) { m_position = position & m_mask; }
    float* Data() { return m_storage.get(); }
    const float* Data() const { return m_storage.get(); }

    // Smallest power of two >= n, and at least 2 (1 -> 2, 3529 -> 4096).
    static int RoundUpToPowerOfTwo(int n);

private:
    std::unique_ptr<float[]> m_storage;
    int m_size = 0;
    int m_mask = 0;
    int m_position = 0;
};
