#pragma once
#include "OwnedString.h"
#include <memory>
#include <vector>

// Describes one parameter: kind 2 is continuous, kinds 0 and 1 are integer-valued (1: a choice).
class CParameterInfo
{
public:
    enum { kInteger = 0, kChoice = 1, kContinuous = 2 };

    CParameterInfo() = default; // the blank descriptor: continuous, no strings, all numbers 0
    CParameterInfo(const char* name, int kind, float minimum, float maximum, float defaultValue,
                   const char* unit, const char* description);
    CParameterInfo(const CParameterInfo& source);
    explicit CParameterInfo(const CParameterInfo* source); // copies through the operations
    CParameterInfo& operator=(const CParameterInfo&) = delete;

    virtual int GetKind() const { return m_kind; }
    virtual const char* GetName() const { return m_name.Get(); }
    virtual const char* GetUnit() const { return m_unit.Get(); }
    virtual const char* GetDescription() const { return m_description.Get(); }
    virtual float GetMin() const { return m_min; }
    virtual float GetDefault() const { return m_default; }
    virtual float GetMax() const { return m_max; }
    virtual ~CParameterInfo() = default;

private:
    int m_kind = kContinuous;
    COwnedString m_name;
    COwnedString m_unit;
    COwnedString m_description;
    float m_min = 0.0f;
    float m_max = 0.0f;
    float m_default = 0.0f;
};

// An owning list of descriptors; an entry may be empty.
class CParameterInfoList
{
public:
    CParameterInfoList() = default;
    CParameterInfoList(int count, const CParameterInfo* descriptors);
    CParameterInfoList(const CParameterInfoList& source);
    explicit CParameterInfoList(const CParameterInfoList* source);
    CParameterInfoList& operator=(const CParameterInfoList&) = delete;

    virtual int GetCount() const { return static_cast<int>(m_items.size()); }
    virtual const CParameterInfo* GetItem(int index) const;
    virtual ~CParameterInfoList() = default;

    friend void ReplaceItem(CParameterInfoList& list, int index, const CParameterInfo& descriptor);

private:
    std::vector<std::unique_ptr<CParameterInfo>> m_items;
};

void ReplaceItem(CParameterInfoList& list, int index, const CParameterInfo& descriptor);

// A read-only view answering as one list made of two others (neither owned).
class CJoinedParameterInfoList : public CParameterInfoList
{
public:
    CJoinedParameterInfoList(const CParameterInfoList* first, const CParameterInfoList* second)
        : m_first(first), m_second(second) {}
    int GetCount() const override;
    const CParameterInfo* GetItem(int index) const override;

private:
    const CParameterInfoList* m_first;
    const CParameterInfoList* m_second;
};
