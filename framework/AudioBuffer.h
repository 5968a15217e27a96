#pragma once

// One channel of 32-bit float samples; frame f lives at pointer + f * stride.
class CAudioBuffer
{
public:
    virtual float* GetWritePointer() = 0;
    virtual const float* GetReadPointer() const = 0;
    virtual int GetLength() const = 0;
    virtual int GetStride() const = 0;
    virtual ~CAudioBuffer() = default;
};

// A list of channels. Buffers belong to whoever made them; a processor never frees one.
class CAudioBufferList
{
public:
    virtual int GetCount() const = 0;
    virtual CAudioBuffer* GetBuffer(int index) const = 0;            // for writing (outputs)
    virtual const CAudioBuffer* GetConstBuffer(int index) const = 0; // for reading (inputs)
    virtual ~CAudioBufferList() = default;
};

// A list of one buffer, or of none.
class CSingleBufferList : public CAudioBufferList
{
public:
    explicit CSingleBufferList(CAudioBuffer* buffer, bool owns = false) : m_buffer(buffer), m_owns(owns) {}
    CSingleBufferList(const CSingleBufferList&) = delete;
    CSingleBufferList& operator=(const CSingleBufferList&) = delete;
    ~CSingleBufferList() override { if (m_owns) delete m_buffer; }

    int GetCount() const override { return m_buffer ? 1 : 0; }
    CAudioBuffer* GetBuffer(int index) const override { return index >= 0 && index < GetCount() ? m_buffer : nullptr; }
    const CAudioBuffer* GetConstBuffer(int index) const override { return GetBuffer(index); }

private:
    CAudioBuffer* m_buffer;
    bool m_owns;
};

// Silence for any number of channels: one zero sample read with stride 0, never a zeroed block.
class CSilentBufferList : public CAudioBufferList
{
public:
    CSilentBufferList(int count, int frames) : m_count(count) { m_zero.length = frames; }

    int GetCount() const override { return m_count; }
    CAudioBuffer* GetBuffer(int) const override { return &m_zero; }
    const CAudioBuffer* GetConstBuffer(int) const override { return &m_zero; }

private:
    struct CZeroBuffer : CAudioBuffer
    {
        float sample = 0.0f;
        int length = 0;
        float* GetWritePointer() override { return &sample; }
        const float* GetReadPointer() const override { return &sample; }
        int GetLength() const override { return length; }
        int GetStride() const override { return 0; }
    };
    int m_count;
    mutable CZeroBuffer m_zero;
};
