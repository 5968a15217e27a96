// The switch's keyboard: Space clicks it as one whole gesture, Tab moves on; the wheel belongs to
// the fader under the pointer, which the dialog finds.
#include "ControlKeys.h"
#include "ParameterButton.h"

bool CParameterButton::OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    result = 0;
    switch (message)
    {
    case WM_KEYDOWN:
        return OnKey(control_keys::FromKeyDown(wParam));
    case WM_KEYUP:
    case WM_CHAR:
        // The system button would click on the release of Space as well.
        return wParam == VK_SPACE || wParam == ' ';
    case control_keys::kForwardedKey:
        result = OnKey(SEditorKey{static_cast<EEditorKey>(wParam), static_cast<unsigned>(lParam)});
        return true;
    default:
        return control_keys::OnCommonInput(GetHwnd(), message, wParam, lParam, result);
    }
}

bool CParameterButton::OnKey(const SEditorKey& key)
{
    if (key.key == EEditorKey::Tab)
    {
        control_keys::MoveFocus(GetHwnd(), (key.modifiers & kEditorShift) != 0);
        return true;
    }
    if (key.key != EEditorKey::Space || m_editing)
        return false;
    control_keys::ShowFocusCues(GetHwnd());
    m_editing = true;
    NotifyBeginEdit();
    Click();
    return true;
}
