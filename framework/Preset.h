#pragma once
#include "OwnedString.h"
#include "ValueArray.h"
#include <memory>
#include <vector>

// One entry of a preset menu: kind 0 a preset (real values in parameter order), kind 1 the random
// preset (a non-zero entry marks a parameter to draw), kind 2 a group heading (no values).
class CPreset
{
public:
    enum { kValues = 0, kRandom = 1, kHeading = 2 };

    CPreset(int kind, const CValueArray* values, const char* name, const char* comment)
        : m_kind(kind), m_name(name), m_comment(comment), m_values(values) {}
    CPreset(const CPreset& source)
        : m_kind(source.GetKind()), m_name(source.GetName()), m_comment(source.GetComment()),
          m_values(&source.GetValues()) {}
    CPreset& operator=(const CPreset&) = delete;

    virtual int GetKind() const { return m_kind; }
    virtual const char* GetName() const { return m_name.Get(); }
    virtual const char* GetComment() const { return m_comment.Get(); }
    virtual const CValueArray& GetValues() const { return m_values; }
    virtual ~CPreset() = default;

private:
    int m_kind;
    COwnedString m_name;
    COwnedString m_comment;
    CValueArray m_values;
};

// A flat, ordered preset menu; GetPresetCount counts only the kind-0 entries.
class CPresetList
{
public:
    CPresetList(const CPreset* templates = nullptr, int count = 0);
    CPresetList(const CPresetList&) = delete;
    CPresetList& operator=(const CPresetList&) = delete;

    virtual int GetCount() const { return static_cast<int>(m_items.size()); }
    virtual int GetPresetCount() const { return m_presetCount; }
    virtual const CPreset* GetItem(int index) const;
    virtual ~CPresetList() = default;

private:
    std::vector<std::unique_ptr<CPreset>> m_items;
    int m_presetCount = 0;
};
