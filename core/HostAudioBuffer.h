#pragma once
#include "AudioBuffer.h"

// One host channel for the current block: the host's pointer, not owned, stride 1.
class CHostAudioBuffer : public CAudioBuffer
{
public:
    void Set(float* samples, int length)
    {
        m_samples = samples;
        m_length = length;
    }
    float* GetWritePointer() override { return m_samples + m_offset; }
    const float* GetReadPointer() const override { return m_samples + m_offset; }
    int GetLength() const override { return m_length; }
    int GetStride() const override { return 1; }

private:
    float* m_samples = nullptr;
    int m_offset = 0;
    int m_length = 0;
};

// A list over one of the adapter's arrays of channel buffers, built on the stack per block.
class CBufferArrayList : public CAudioBufferList
{
public:
    CBufferArrayList(CHostAudioBuffer* buffers, int count) : m_buffers(buffers), m_count(buffers ? count : 0) {}
    int GetCount() const override { return m_count; }
    CAudioBuffer* GetBuffer(int index) const override
    {
        return index >= 0 && index < m_count ? &m_buffers[index] : nullptr;
    }
    const CAudioBuffer* GetConstBuffer(int index) const override { return GetBuffer(index); }

private:
    CHostAudioBuffer* m_buffers;
    int m_count;
};
