#include "BasePluginDialog.h"
#include <commctrl.h>
#include <windowsx.h>
#include <algorithm>
#include <cstring>

namespace {

const UINT_PTR kRefreshTimer = 0;

} // namespace

CBasePluginDialog::~CBasePluginDialog() = default;

bool CBasePluginDialog::HitTestAbout(int, int) const
{
    return false;
}

bool CBasePluginDialog::OnInitDialog()
{
    CBgDialog::OnInitDialog();
    SetTimer(GetHwnd(), kRefreshTimer, CControlBinding::kRefreshPeriodMs, nullptr);
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
    LRESULT handled = 0;
    if (OnInputMessage(message, wParam, lParam, handled))
        return handled;
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
