#include "PresetButton.h"

CPresetButton::CPresetButton(CParameterControlListener* listener, int parameterIndex, int controlId)
    : CParameterButton(listener, parameterIndex, controlId)
{
    m_popup.SetMaximumWidth(130);
}

CPresetButton::~CPresetButton() = default;

CPresetListBox* CPresetButton::GetList()
{
    return m_popup.GetList().GetHwnd() ? &m_popup.GetList() : nullptr;
}

float CPresetButton::GetValue()
{
    const CPresetListBox* list = GetList();
    const int selection = list ? list->GetSelection() : LB_ERR;
    return selection == LB_ERR ? 0.0f : static_cast<float>(selection);
}

std::string CPresetButton::GetText()
{
    const CPresetListBox* list = GetList();
    const int selection = list ? list->GetSelection() : LB_ERR;
    return selection == LB_ERR ? std::string() : list->GetItemText(selection);
}

int CPresetButton::GetMaxPosition()
{
    const CPresetListBox* list = GetList();
    return list ? list->GetCount() - 1 : -1;
}

bool CPresetButton::EnsurePopup()
{
    return m_popup.GetHwnd() || (GetHwnd() && m_popup.Create(GetHwnd()));
}

POINT CPresetButton::ScreenOrigin() const
{
    POINT origin{0, 0};
    ClientToScreen(GetHwnd(), &origin);
    return origin;
}

// At the editor window's right edge and top; `resize` also makes it as high as the editor and
// closes it to nothing, ready to slide out.
void CPresetButton::PlacePopup(bool resize)
{
    RECT editor{};
    GetWindowRect(GetParent(), &editor);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (!resize)
        flags |= SWP_NOSIZE;
    SetWindowPos(m_popup.GetHwnd(), nullptr, editor.right, editor.top, 0, editor.bottom - editor.top, flags);
}

// The press began the gesture; the release opens or closes the list and ends it. The choice of
// an entry, not the switch, is the value change.
void CPresetButton::Click()
{
    SetState(!IsOn(), false);
    EndGesture();
    RedrawWindow(GetHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
    m_lastPosition = ScreenOrigin();
    if (!EnsurePopup())
        return;
    if (IsOn())
    {
        PlacePopup(true);
        m_popup.SlideOut();
        SetTimer(GetHwnd(), kFollowTimerId, kFollowPeriod, nullptr);
    }
    else
    {
        m_popup.SlideIn();
        KillTimer(GetHwnd(), kFollowTimerId);
    }
}

void CPresetButton::Follow()
{
    const POINT origin = ScreenOrigin();
    if (origin.x != m_lastPosition.x || origin.y != m_lastPosition.y)
    {
        m_lastPosition = origin;
        if (m_popup.GetHwnd())
            PlacePopup(false);
    }
    const HWND editor = GetParent();
    if (m_popup.GetHwnd() && IsWindowVisible(m_popup.GetHwnd()) && !(editor && IsWindowVisible(editor)))
    {
        m_popup.HideNow();
        SetState(false, false);
        KillTimer(GetHwnd(), kFollowTimerId); // nothing left to follow
        Invalidate();
    }
}

LRESULT CPresetButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_TIMER:
        if (wParam == kFollowTimerId)
            Follow();
        return Default();
    case CPresetPopup::kChosenMessage:
        NotifyValueChanged();
        return 1;
    case WM_DESTROY:
    {
        const LRESULT result = CParameterButton::WindowProc(message, wParam, lParam);
        KillTimer(GetHwnd(), kFollowTimerId);
        // The system counts the popup as the editor's top-level window's: it goes with the button.
        if (m_popup.GetHwnd())
            DestroyWindow(m_popup.GetHwnd());
        return result;
    }
    default:
        return CParameterButton::WindowProc(message, wParam, lParam);
    }
}
