#include "Preset.h"

CPresetList::CPresetList(const CPreset* templates, int count)
{
    if (!templates || count <= 0)
        return;
    m_presetCount = count;
    for (int i = 0; i < count; ++i) {
        m_items.push_back(std::make_unique<CPreset>(templates[i]));
        if (m_items.back()->GetKind() != CPreset::kValues)
            --m_presetCount;
    }
}

const CPreset* CPresetList::GetItem(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[static_cast<size_t>(index)].get() : nullptr;
}
