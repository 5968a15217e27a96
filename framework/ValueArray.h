#pragma once
#include <memory>
#include <vector>

// An owning array of parameter values in real units. Reads past the end give 0.0 and writes
// there are ignored, so callers never need to check sizes on the audio thread.
class CValueArray
{
public:
    CValueArray() = default;
    CValueArray(const float* source, int count);
    CValueArray(const CValueArray& source);
    explicit CValueArray(const CValueArray* source); // copies any view through its operations
    CValueArray& operator=(const CValueArray&) = delete;

    virtual int GetCount() const;
    virtual float GetValue(int index) const;
    virtual void SetValue(int index, float value);
    virtual ~CValueArray() = default;

    // The values as one plain array when this array answers from its own storage; nullptr for
    // views and shared arrays, which only their operations can read or write. Lets whole-array
    // work on the audio thread skip a call per value.
    virtual const float* PlainValues() const { return m_values.empty() ? nullptr : m_values.data(); }
    virtual float* PlainValues() { return m_values.empty() ? nullptr : m_values.data(); }

    bool HasStorage() const { return !m_values.empty(); }
    float* Data() { return m_values.data(); }

private:
    std::vector<float> m_values;
};

// A read-only view that answers as one array made of two others.
class CJoinedValueArray : public CValueArray
{
public:
    CJoinedValueArray(const CValueArray* first = nullptr, const CValueArray* second = nullptr)
        : m_first(first), m_second(second) {}
    int GetCount() const override;
    float GetValue(int index) const override;
    void SetValue(int, float) override {}
    const float* PlainValues() const override { return nullptr; }
    float* PlainValues() override { return nullptr; }
    void SetFirst(const CValueArray* first) { m_first = first; }
    void SetSecond(const CValueArray* second) { m_second = second; }

private:
    const CValueArray* m_first;
    const CValueArray* m_second;
};

// The parameter ramp handed to processing: entry 0 holds the values at frame 0, entry k + 1 the
// per-frame increment of entry k; `used` entries are valid (0: nothing changes in this block).
class CValueArrayList
{
public:
    CValueArrayList(int capacity, int size);
    CValueArrayList(const CValueArrayList& source);
    CValueArrayList& operator=(const CValueArrayList&) = delete;

    virtual int GetUsed() const { return used; }
    virtual CValueArray* GetItem(int index) const;
    virtual ~CValueArrayList() = default;
    virtual void Assign(int index, const CValueArray* source);

    int GetCapacity() const { return static_cast<int>(m_items.size()); }

    int used;

private:
    std::vector<std::unique_ptr<CValueArray>> m_items;
};

// True when both hold the same count and every value compares equal as a 32-bit float.
bool ValuesEqual(const CValueArray* view, const CValueArray* array);
// array[i] = (array[i] - view[i]) / frames, 0 when frames is 0; only for equal non-zero counts.
void ValuesToStep(const CValueArray* view, CValueArray* array, int frames);
// array[i] = view[i]; only for equal non-zero counts.
void AssignValues(CValueArray* array, const CValueArray* view);
