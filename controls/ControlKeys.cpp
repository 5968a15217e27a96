#include "ControlKeys.h"
#include "FocusMark.h"
#include "FramePainting.h"

namespace control_keys {

namespace {

struct SGdiFill
{
    HDC dc;
    void FillSolid(int x, int y, int width, int height, std::uint32_t colour)
    {
        ::FillSolid(dc, x, y, width, height, colour);
    }
};

bool Held(int virtualKey)
{
    return (GetKeyState(virtualKey) & 0x8000) != 0;
}

} // namespace

SEditorKey FromKeyDown(WPARAM virtualKey)
{
    SEditorKey key;
    switch (virtualKey)
    {
    case VK_TAB: key.key = EEditorKey::Tab; break;
    case VK_SPACE: key.key = EEditorKey::Space; break;
    case VK_LEFT: key.key = EEditorKey::Left; break;
    case VK_RIGHT: key.key = EEditorKey::Right; break;
    case VK_UP: key.key = EEditorKey::Up; break;
    case VK_DOWN: key.key = EEditorKey::Down; break;
    case VK_PRIOR: key.key = EEditorKey::PageUp; break;
    case VK_NEXT: key.key = EEditorKey::PageDown; break;
    case VK_HOME: key.key = EEditorKey::Home; break;
    case VK_END: key.key = EEditorKey::End; break;
    default: break;
    }
    key.modifiers = (Held(VK_SHIFT) ? kEditorShift : 0u) | (Held(VK_CONTROL) ? kEditorControl : 0u);
    return key;
}

bool OnCommonInput(HWND control, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_MOUSEWHEEL:
        result = SendMessageA(GetParent(control), message, wParam, lParam);
        return true;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(control, nullptr, FALSE);
        return false;
    default:
        return false;
    }
}

void MoveFocus(HWND control, bool backward)
{
    ShowFocusCues(control);
    SendMessageA(GetParent(control), WM_NEXTDLGCTL, backward ? 1 : 0, FALSE);
}

void ShowFocusCues(HWND control)
{
    SendMessageA(GetParent(control), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
}

bool ShowsFocusMark(HWND control)
{
    return GetFocus() == control && !(SendMessageA(GetParent(control), WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void PaintFocusMark(HDC dc, const RECT& rect, COLORREF colour, int line)
{
    SGdiFill surface{dc};
    DrawFocusMark(surface, SPixelRect{rect.left, rect.top, rect.right, rect.bottom}, colour, line);
}

} // namespace control_keys
