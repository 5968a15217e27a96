#pragma once
#include "AudioBuffer.h"
#include <vector>

// A channel over memory the test owns: frame f at data + f * stride.
class CVectorBuffer : public CAudioBuffer
{
public:
    CVectorBuffer(float* data, int length, int stride = 1) : m_data(data), m_length(length), m_stride(stride) {}
    float* GetWritePointer() override { return m_data; }
    const float* GetReadPointer() const override { return m_data; }
    int GetLength() const override { return m_length; }
    int GetStride() const override { return m_stride; }

private:
    float* m_data;
    int m_length;
    int m_stride;
};

// A list of channels over the test's buffers.
class CVectorBufferList : public CAudioBufferList
{
public:
    explicit CVectorBufferList(std::vector<CVectorBuffer*> buffers) : m_buffers(std::move(buffers)) {}
    int GetCount() const override { return static_cast<int>(m_buffers.size()); }
    CAudioBuffer* GetBuffer(int index) const override
    {
        return index >= 0 && index < GetCount() ? m_buffers[static_cast<size_t>(index)] : nullptr;
    }
    const CAudioBuffer* GetConstBuffer(int index) const override { return GetBuffer(index); }

private:
    std::vector<CVectorBuffer*> m_buffers;
};
