#include "BasePluginDialog.h"
#include "ParameterSlider.h"
#include <commctrl.h>
#include <windowsx.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const UINT_PTR kRefreshTimer = 0;
const UINT kRefreshPeriodMs = 50;
// rand() spread over 0..1 in single precision.
const float kRandScale = 1.0f / RAND_MAX;

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

CBasePluginDialog::~CBasePluginDialog() = default;

void CBasePluginDialog::AttachContext(const CEditorContext& context)
{
    m_inputs = context.GetInputParameters();
    m_outputs = context.GetOutputParameters();
    m_presets = context.GetPresetListView();
    m_notify = context.GetSpare();
    // A new context may bring sets of other sizes; every entry starts empty either way.
    m_inputControls.assign(static_cast<size_t>(CountOf(m_inputs)), nullptr);
    m_outputControls.assign(static_cast<size_t>(CountOf(m_outputs)), nullptr);
}

void CBasePluginDialog::BindInputControl(int index, CParameterControl* control)
{
    if (index >= 0 && index < static_cast<int>(m_inputControls.size()))
        m_inputControls[static_cast<size_t>(index)] = control;
}

void CBasePluginDialog::BindOutputControl(int index, CParameterControl* control)
{
    if (index >= 0 && index < static_cast<int>(m_outputControls.size()))
        m_outputControls[static_cast<size_t>(index)] = control;
}

void CBasePluginDialog::SetChanged(int changed)
{
    m_changed = changed;
    if (changed && m_notify)
        m_notify->Notify();
}

bool CBasePluginDialog::HitTestAbout(int, int) const
{
    return false;
}

CParameterControl* CBasePluginDialog::FindControl(int controlId) const
{
    if (!m_inputs)
        return nullptr;
    for (CParameterControl* control : m_inputControls)
        if (control && control->GetControlId() == controlId)
            return control;
    return nullptr;
}

void CBasePluginDialog::SetupSlider(CParameterSlider& slider) const
{
    const int index = slider.GetParameterIndex();
    if (!m_inputs || index < 0 || index >= m_inputs->GetCount())
        return;
    const CParameterInfo* info = m_inputs->GetItem(index);
    if (!info)
        return;
    if (info->GetUnit())
        slider.SetUnit(info->GetUnit());
    slider.SetValueRange(info->GetMin(), info->GetMax());
    if (info->GetKind() == CParameterInfo::kInteger || info->GetKind() == CParameterInfo::kChoice)
    {
        // One position per whole number, each with its tick.
        const int steps = static_cast<int>(info->GetMax() - info->GetMin());
        slider.SetSteps(steps, steps);
        slider.SetFormat(info->GetMin() < 0.0f ? "%+.0f" : "%.0f");
    }
}

void CBasePluginDialog::RefreshControls()
{
    m_refreshing = true;
    if (m_inputs)
        Refresh(m_inputControls, *m_inputs);
    if (m_outputs)
        Refresh(m_outputControls, *m_outputs);
    m_refreshing = false;
}

// Other listeners of a control see every refreshed value; this dialog ignores them (see
// OnValueChanged), so a refresh never writes back.
void CBasePluginDialog::Refresh(const ControlTable& table, const CParameterSet& set)
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

// Only a control the concrete dialog has bound speaks for its parameter: one left out of the
// tables (a context the dialog does not know) changes nothing.
bool CBasePluginDialog::IsBoundInput(const CParameterControl* control) const
{
    if (!m_inputs || !control)
        return false;
    const int index = control->GetParameterIndex();
    return index >= 0 && index < m_inputs->GetCount() && index < static_cast<int>(m_inputControls.size()) &&
           m_inputControls[static_cast<size_t>(index)] == control;
}

void CBasePluginDialog::OnBeginEdit(CParameterControl* control)
{
    if (IsBoundInput(control))
        m_inputs->BeginEdit(control->GetParameterIndex());
}

void CBasePluginDialog::OnValueChanged(CParameterControl* control)
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

void CBasePluginDialog::OnEndEdit(CParameterControl* control)
{
    if (IsBoundInput(control))
        m_inputs->EndEdit(control->GetParameterIndex());
}

void CBasePluginDialog::ApplyPreset(int index)
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
        break;
    }
}

// Entry 0 of the input set is the adapter's Bypass, entries 1.. the effect's parameters in the
// order of the preset's values. Each value reaches its parameter through the control, so it is
// limited to what the control can show.
void CBasePluginDialog::ApplyValues(const CPreset& preset)
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
void CBasePluginDialog::DrawRandomPositions(const CPreset& preset)
{
    std::srand(GetTickCount());
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

bool CBasePluginDialog::OnInitDialog()
{
    CBgDialog::OnInitDialog();
    SetTimer(GetHwnd(), kRefreshTimer, kRefreshPeriodMs, nullptr);
    return false;
}

// The tool id of a control's tooltip is the control's window.
LRESULT CBasePluginDialog::OnToolTipText(LPARAM lParam)
{
    auto* info = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    if (!info || info->uFlags == 0)
        return 0;
    const HWND tool = reinterpret_cast<HWND>(info->hdr.idFrom);
    CParameterControl* control = IsWindow(tool) ? FindControl(GetDlgCtrlID(tool)) : nullptr;
    const std::string text = control ? control->GetText() : std::string();
    const size_t length = std::min(text.size(), sizeof info->szText - 1);
    std::memcpy(info->szText, text.data(), length);
    info->szText[length] = '\0';
    info->lpszText = info->szText;
    return 1;
}

LRESULT CBasePluginDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_TIMER:
        RefreshControls();
        return Default();
    case WM_DESTROY:
    {
        const LRESULT result = Default();
        KillTimer(GetHwnd(), kRefreshTimer);
        return result;
    }
    case WM_NOTIFY:
        if (lParam && reinterpret_cast<const NMHDR*>(lParam)->code == TTN_NEEDTEXTA)
            return OnToolTipText(lParam);
        return CBgDialog::WindowProc(message, wParam, lParam);
    case WM_LBUTTONDOWN:
        if (HitTestAbout(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
            ShowAbout();
        return Default();
    case WM_MOUSEMOVE:
    {
        const bool about = HitTestAbout(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (HCURSOR cursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(about ? IDC_HAND : IDC_ARROW)))
            SetCursor(cursor);
        return Default();
    }
    default:
        return CBgDialog::WindowProc(message, wParam, lParam);
    }
}
