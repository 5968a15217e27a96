// The dialog's share of the keyboard and the wheel: the tab order, the focus cues, the fader under
// the pointer, and the keys and notches a host forwards.
#include "BasePluginDialog.h"
#include "ControlKeys.h"
#include "FocusMark.h"
#include "SliderMotion.h"
#include <cstdlib>
#include <windowsx.h>

bool CBasePluginDialog::OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message)
    {
    case WM_NEXTDLGCTL: // Tab through the dialog manager, or from a control
        if (lParam || m_tabOrder.empty())
            return false;
        MoveFocus(wParam != 0);
        return true;
    case WM_CHANGEUISTATE:
    case WM_UPDATEUISTATE:
        // Only the focus cue matters here; the host's own windows keep theirs.
        if (HIWORD(wParam) & UISF_HIDEFOCUS)
            SetFocusCues(LOWORD(wParam) == UIS_CLEAR);
        return true;
    case WM_QUERYUISTATE:
        result = m_focusCues ? 0 : UISF_HIDEFOCUS;
        return true;
    case WM_MOUSEWHEEL:
    {
        m_wheelRest += GET_WHEEL_DELTA_WPARAM(wParam);
        const int notches = m_wheelRest / WHEEL_DELTA;
        m_wheelRest -= notches * WHEEL_DELTA;
        const POINT screen{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        for (int i = 0; i < std::abs(notches); ++i)
            WheelAt(screen, notches > 0 ? 1 : -1, (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0);
        return true;
    }
    default:
        return false;
    }
}

void CBasePluginDialog::MoveFocus(bool backward)
{
    const HWND focus = GetFocus();
    const int current = focus && ::GetParent(focus) == GetHwnd() ? GetDlgCtrlID(focus) : 0;
    const int next = NextInOrder(m_tabOrder, current, backward);
    if (const HWND control = GetDlgItem(GetHwnd(), next))
        SetFocus(control);
}

void CBasePluginDialog::SetFocusCues(bool shown)
{
    if (m_focusCues == shown)
        return;
    m_focusCues = shown;
    if (const HWND focus = GetFocus(); focus && ::GetParent(focus) == GetHwnd())
        InvalidateRect(focus, nullptr, FALSE);
}

// The topmost control under the point that takes the notch: a fader, not the group frame around
// it (frames come first in the template, so they lie on top).
bool CBasePluginDialog::WheelAt(POINT screen, int notch, bool fine)
{
    for (HWND child = GetWindow(GetHwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    {
        RECT area{};
        if (IsWindowVisible(child) && GetWindowRect(child, &area) && PtInRect(&area, screen) &&
            SendMessageA(child, control_keys::kWheelNotch, static_cast<WPARAM>(notch), fine ? 1 : 0))
            return true;
    }
    return false;
}

bool CBasePluginDialog::OnEditorKey(const SEditorKey& key)
{
    if (key.key == EEditorKey::Tab)
    {
        if (m_tabOrder.empty())
            return false;
        SetFocusCues(true);
        MoveFocus((key.modifiers & kEditorShift) != 0);
        return true;
    }
    const HWND focus = GetFocus();
    if (!focus || ::GetParent(focus) != GetHwnd())
        return false;
    return SendMessageA(focus, control_keys::kForwardedKey, static_cast<WPARAM>(key.key), key.modifiers) != 0;
}

bool CBasePluginDialog::OnForwardedWheel(float distance, unsigned modifiers)
{
    const int notches = slider_motion::WholeNotches(distance);
    POINT screen{};
    if (notches == 0 || !GetCursorPos(&screen))
        return false;
    bool taken = false;
    for (int i = 0; i < std::abs(notches); ++i)
        taken = WheelAt(screen, notches > 0 ? 1 : -1, (modifiers & kEditorShift) != 0) || taken;
    return taken;
}
