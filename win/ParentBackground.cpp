#include "ParentBackground.h"

namespace win {

bool PaintParentBackground(HWND child, HDC target)
{
    const HWND parent = child ? GetParent(child) : nullptr;
    if (!parent || !target)
        return false;
    RECT area{};
    GetWindowRect(child, &area);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&area), 2);
    POINT origin{};
    SetViewportOrgEx(target, -area.left, -area.top, &origin);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(target), 0);
    SetViewportOrgEx(target, origin.x, origin.y, nullptr);
    return true;
}

} // namespace win
