#pragma once
#include "ValueArray.h"
#include <atomic>
#include <memory>

// A value array that the host's threads share: setParameter writes it from any thread while the
// audio thread and getParameter read it. Each value is a relaxed atomic float, so a reader sees
// the old or the new value of one parameter and never a torn one; on x86 that is a plain move.
// It keeps nothing in the base's storage (HasStorage is false): whole-array work such as the
// audio path's comparison runs on a plain snapshot taken with AssignValues.
class CSharedValueArray : public CValueArray
{
public:
    explicit CSharedValueArray(int count);
    CSharedValueArray(const CSharedValueArray&) = delete;
    CSharedValueArray& operator=(const CSharedValueArray&) = delete;

    int GetCount() const override { return m_count; }
    // Inline, so that the core's own calls, which know the type, take no call.
    float GetValue(int index) const override
    {
        if (index < 0 || index >= m_count)
            return 0.0f;
        return m_values[static_cast<size_t>(index)].load(std::memory_order_relaxed);
    }
    void SetValue(int index, float value) override
    {
        if (index < 0 || index >= m_count)
            return;
        m_values[static_cast<size_t>(index)].store(value, std::memory_order_relaxed);
    }
    // Every value into to[0 .. GetCount() - 1], without a call per value: the audio path's snapshot.
    void CopyTo(float* to) const
    {
        for (int i = 0; i < m_count; ++i)
            to[i] = m_values[static_cast<size_t>(i)].load(std::memory_order_relaxed);
    }
    // The values themselves, for a loop that reads each once while it does its own work.
    const std::atomic<float>* Values() const { return m_values.get(); }
    const float* PlainValues() const override { return nullptr; }
    float* PlainValues() override { return nullptr; }

private:
    int m_count;
    std::unique_ptr<std::atomic<float>[]> m_values;
};
