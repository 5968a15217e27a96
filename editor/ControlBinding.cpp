#include "ControlBinding.h"
#include <algorithm>
#include <cstdlib>
#if defined(_WIN32)
#include <windows.h>
#else
#include <time.h>
#endif

namespace {

// rand() spread over 0..1 in single precision.
const float kRandScale = 1.0f / static_cast<float>(RAND_MAX);

int CountOf(const CParameterSet* set)
{
    return set && set->GetCount() > 0 ? set->GetCount() : 0;
}

// Rounds half-way cases down, as the sliders do.
int NearestPosition(float position)
{
    const int whole = static_cast<int>(position);
    return position - static_cast<float>(whole) > 0.5f ? whole + 1 : whole;
}

} // namespace

unsigned MillisecondTicks()
{
#if defined(_WIN32)
    return GetTickCount();
#else
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<unsigned>(now.tv_sec * 1000u + now.tv_nsec / 1000000);
#endif
}

CControlBinding::~CControlBinding() = default;

void CControlBinding::AttachContext(const CEditorContext& context)
{
    m_inputs = context.GetInputParameters();
    m_outputs = context.GetOutputParameters();
    m_presets = context.GetPresetListView();
    m_notify = context.GetSpare();
    // A new context may bring sets of other sizes; every entry starts empty either way.
    m_inputControls.assign(static_cast<size_t>(CountOf(m_inputs)), nullptr);
    m_outputControls.assign(static_cast<size_t>(CountOf(m_outputs)), nullptr);
}

void CControlBinding::BindInputControl(int index, CParameterControl* control)
{
    if (index >= 0 && index < static_cast<int>(m_inputControls.size()))
        m_inputControls[static_cast<size_t>(index)] = control;
}

void CControlBinding::BindOutputControl(int index, CParameterControl* control)
{
    if (index >= 0 && index < static_cast<int>(m_outputControls.size()))
        m_outputControls[static_cast<size_t>(index)] = control;
}

void CControlBinding::SetChanged(int changed)
{
    m_changed = changed;
    if (changed && m_notify)
        m_notify->Notify();
}

CParameterControl* CControlBinding::FindControl(int controlId) const
{
    if (!m_inputs)
        return nullptr;
    for (CParameterControl* control : m_inputControls)
        if (control && control->GetControlId() == controlId)
            return control;
    return nullptr;
}

void CControlBinding::RefreshControls()
{
    m_refreshing = true;
    if (m_inputs)
        Refresh(m_inputControls, *m_inputs);
    if (m_outputs)
        Refresh(m_outputControls, *m_outputs);
    m_refreshing = false;
}

// Other listeners of a control see every refreshed value; this binding ignores them (see
// OnValueChanged), so a refresh never writes back.
void CControlBinding::Refresh(const ControlTable& table, const CParameterSet& set)
{
    const int count = std::min(set.GetCount(), static_cast<int>(table.size()));
    for (int i = 0; i < count; ++i)
    {
        CParameterControl* control = table[static_cast<size_t>(i)];
        if (!control)
            continue;
        control->SetValue(set.GetValue(i));
        control->NotifyValueChanged();
    }
}

// Only a control the concrete editor has bound speaks for its parameter: one left out of the
// tables (a context the editor does not know) changes nothing.
bool CControlBinding::IsBoundInput(const CParameterControl* control) const
{
    if (!m_inputs || !control)
        return false;
    const int index = control->GetParameterIndex();
    return index >= 0 && index < m_inputs->GetCount() && index < static_cast<int>(m_inputControls.size()) &&
           m_inputControls[static_cast<size_t>(index)] == control;
}

bool CControlBinding::OnForwardedKey(const SEditorKey& key, bool down)
{
    if (!down)
    {
        const bool taken = key.key != EEditorKey::None && key.key == m_keyTaken;
        m_keyTaken = EEditorKey::None;
        return taken;
    }
    m_keyTaken = key.key != EEditorKey::None && OnEditorKey(key) ? key.key : EEditorKey::None;
    return m_keyTaken != EEditorKey::None;
}

void CControlBinding::OnBeginEdit(CParameterControl* control)
{
    if (IsBoundInput(control))
        m_inputs->BeginEdit(control->GetParameterIndex());
}

void CControlBinding::OnValueChanged(CParameterControl* control)
{
    if (!m_inputs || !control || m_refreshing)
        return;
    if (IsBoundInput(control))
        m_inputs->SetValue(control->GetParameterIndex(), control->GetValue());
    else if (control == m_presetControl)
        ApplyPreset(static_cast<int>(control->GetValue()));
    else
        return;
    SetChanged(1);
}

void CControlBinding::OnEndEdit(CParameterControl* control)
{
    if (IsBoundInput(control))
        m_inputs->EndEdit(control->GetParameterIndex());
}

void CControlBinding::ApplyPreset(int index)
{
    if (!m_presets || !m_inputs || index < 0 || index >= m_presets->GetCount() || m_inputControls.empty())
        return;
    const CPreset* preset = m_presets->GetItem(index);
    if (!preset)
        return;
    switch (preset->GetKind())
    {
    case CPreset::kValues:
        ApplyValues(*preset);
        break;
    case CPreset::kRandom:
        DrawRandomPositions(*preset);
        break;
    default: // a heading only groups the entries after it
        return;
    }
    m_inputs->ValuesReplaced();
}

// Entry 0 of the input set is the adapter's Bypass, entries 1.. the effect's parameters in the
// order of the preset's values. Each value reaches its parameter through the control, so it is
// limited to what the control can show.
void CControlBinding::ApplyValues(const CPreset& preset)
{
    const int count = std::min(m_inputs->GetCount(), static_cast<int>(m_inputControls.size()));
    for (int k = 1; k < count; ++k)
    {
        CParameterControl* control = m_inputControls[static_cast<size_t>(k)];
        if (!control)
            continue;
        control->SetValue(preset.GetValues().GetValue(k - 1));
        control->NotifyValueChanged();
    }
}

// The preset's values flag the parameters to draw. Each drawn parameter lands on one of its
// control's positions.
void CControlBinding::DrawRandomPositions(const CPreset& preset)
{
    std::srand(MillisecondTicks());
    std::srand(static_cast<unsigned>(std::rand()));
    for (int i = 0; i < 10; ++i)
        std::rand();
    const int count = std::min(m_inputs->GetCount(), static_cast<int>(m_inputControls.size()));
    for (int k = 1; k < count; ++k)
    {
        CParameterControl* control = m_inputControls[static_cast<size_t>(k)];
        if (!control || preset.GetValues().GetValue(k - 1) == 0.0f)
            continue;
        const int maximum = control->GetMaxPosition();
        if (maximum < 0) // no position to land on
            continue;
        const float drawn = static_cast<float>(std::rand()) * kRandScale * static_cast<float>(maximum);
        control->SetPosition(std::min(NearestPosition(drawn), maximum));
        control->NotifyValueChanged();
    }
}
