#include "PresetPopup.h"
#include "ResourceModule.h"

namespace {

// The class procedure is the system's own, never this module's: the class may outlive the module
// that registered it (a plug-in unloaded and loaded again), and each popup is subclassed anyway.
const char* PopupClass()
{
    static const char* name = [] {
        WNDCLASSA windowClass{};
        windowClass.style = CS_SAVEBITS;
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = win::ResourceModule();
        windowClass.lpszClassName = "win32ui.PresetPopup";
        RegisterClassA(&windowClass); // fails harmlessly when already registered
        return windowClass.lpszClassName;
    }();
    return name;
}

} // namespace

CPresetPopup::CPresetPopup() = default;

CPresetPopup::~CPresetPopup() = default;

bool CPresetPopup::Create(HWND owner)
{
    if (GetHwnd())
        return false;
    const HWND hwnd = CreateWindowExA(0, PopupClass(), "", WS_POPUP | WS_BORDER, 0, 0, 20, 20, owner, nullptr,
                                      win::ResourceModule(), nullptr);
    if (!hwnd)
        return false;
    Attach(hwnd, true);
    if (GetHwnd() != hwnd || !m_list.Create(hwnd))
    {
        if (GetHwnd() == hwnd)
            UnsubclassWindow();
        DestroyWindow(hwnd);
        return false;
    }
    m_owner = owner;
    return true;
}

void CPresetPopup::TakeSizeFromWindow()
{
    RECT rect{};
    GetWindowRect(GetHwnd(), &rect);
    m_width = rect.right - rect.left;
    m_height = rect.bottom - rect.top;
}

void CPresetPopup::SlideOut()
{
    if (!GetHwnd())
        return;
    m_opening = true;
    ShowWindow(GetHwnd(), SW_SHOWNOACTIVATE); // the host window keeps the keyboard and its title bar
    SetTimer(GetHwnd(), kTimerId, kTickPeriod, nullptr);
    TakeSizeFromWindow();
}

void CPresetPopup::SlideIn()
{
    if (!GetHwnd())
        return;
    ShowWindow(GetHwnd(), SW_SHOWNOACTIVATE); // the host window keeps the keyboard and its title bar
    SetTimer(GetHwnd(), kTimerId, kTickPeriod, nullptr);
    m_opening = false;
    TakeSizeFromWindow();
}

void CPresetPopup::HideNow()
{
    if (!GetHwnd())
        return;
    ShowWindow(GetHwnd(), SW_HIDE);
    KillTimer(GetHwnd(), kTimerId);
    m_opening = false;
    TakeSizeFromWindow();
    m_width = 0;
}

void CPresetPopup::Step()
{
    if (!GetHwnd())
        return;
    m_width += m_opening ? m_step : -m_step;
    if (m_width < 0)
    {
        m_width = 0;
        KillTimer(GetHwnd(), kTimerId);
        ShowWindow(GetHwnd(), SW_HIDE);
    }
    else if (m_width > m_maximumWidth)
    {
        m_width = m_maximumWidth;
        KillTimer(GetHwnd(), kTimerId);
    }
    SetWindowPos(GetHwnd(), nullptr, 0, 0, m_width, m_height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    if (m_list.GetHwnd())
        RedrawWindow(m_list.GetHwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ERASE | RDW_INVALIDATE);
}

// A choice made with the mouse goes to the owner; a heading is no choice. A selection moved by
// the keyboard while the mouse is elsewhere goes back to the top.
void CPresetPopup::OnSelectionChange()
{
    if (!m_list.GetHwnd())
        return;
    const int selection = m_list.GetSelection();
    const CPresetListItem* item = m_list.GetItem(selection);
    if (!item || item->heading)
        return;
    POINT cursor{};
    RECT area{};
    GetCursorPos(&cursor);
    GetWindowRect(GetHwnd(), &area);
    if (PtInRect(&area, cursor))
        SendMessageA(m_owner, kChosenMessage, static_cast<WPARAM>(selection), 0);
    else
        m_list.Send(LB_SETCURSEL, 0);
}

LRESULT CPresetPopup::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message)
    {
    case WM_SIZE:
    {
        const LRESULT result = Default();
        if (m_list.GetHwnd())
        {
            const RECT client = GetClientRect();
            MoveWindow(m_list.GetHwnd(), 0, 0, client.right, client.bottom, TRUE);
        }
        return result;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == LBN_SELCHANGE && LOWORD(wParam) == CPresetListBox::kControlId)
        {
            OnSelectionChange();
            return 0;
        }
        return Default();
    case WM_TIMER:
        if (wParam == kTimerId)
        {
            Step();
            return 0;
        }
        return Default();
    case WM_DESTROY:
        KillTimer(GetHwnd(), kTimerId);
        m_width = m_height = 0;
        m_opening = false;
        return Default();
    default:
        return CWindow::WindowProc(message, wParam, lParam);
    }
}
