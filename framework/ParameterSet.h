#pragma once
#include "ParameterInfo.h"

// Told where a user gesture on one parameter starts and ends.
class CParameterEditing
{
public:
    virtual void BeginEdit(int index) = 0;
    virtual void EndEdit(int index) = 0;
    virtual ~CParameterEditing() = default;
};

// Reads and writes parameter values by index, in the parameters' own units.
class CParameterSet : public CParameterEditing
{
public:
    virtual int GetCount() const = 0;
    virtual const CParameterInfo* GetItem(int index) const = 0;
    virtual float GetValue(int index) const = 0;
    virtual int SetValue(int index, float value) = 0;
    // Many values changed at once (a preset was applied): whoever shows them should read them
    // all again.
    virtual void ValuesReplaced() {}
    ~CParameterSet() override = default;
};

// Real values over a store that keeps 0..1 values: real = min + (max - min) * normalised, both
// ways unclamped; a zero-range parameter always stores 0.
class CNormalizedParameterSet : public CParameterSet
{
public:
    CNormalizedParameterSet(const CParameterInfoList* descriptors, int offset, CParameterSet* store)
        : m_descriptors(descriptors), m_offset(offset), m_store(store) {}

    int GetCount() const override { return m_descriptors ? m_descriptors->GetCount() : 0; }
    const CParameterInfo* GetItem(int index) const override;
    float GetValue(int index) const override;
    int SetValue(int index, float value) override;
    void BeginEdit(int) override {}
    void EndEdit(int) override {}

    // The 0..1 value that stands for `value` of `info`.
    static float Normalize(const CParameterInfo& info, float value);

private:
    const CParameterInfoList* m_descriptors;
    int m_offset;
    CParameterSet* m_store;
};
