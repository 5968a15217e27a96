#include "Window.h"
#include "ResourceModule.h"
#include <cstdio>
#include <vector>

namespace win {

namespace {

// The window property that points at the bound object. Its name carries the module handle, so
// that two modules with their own copy of this layer never take each other's objects.
const char* BindingProperty()
{
    static const std::string name = [] {
        char text[48];
        std::snprintf(text, sizeof text, "win32ui.%p", static_cast<void*>(ResourceModule()));
        return std::string(text);
    }();
    return name.c_str();
}

// The child control that sent a notification, or null for a message that is not one.
HWND NotifyingChild(UINT message, LPARAM lParam)
{
    switch (message)
    {
    case WM_NOTIFY:
        return lParam ? reinterpret_cast<const NMHDR*>(lParam)->hwndFrom : nullptr;
    case WM_DRAWITEM:
    {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}

} // namespace

CWindow::~CWindow()
{
    if (!m_hwnd)
        return;
    const bool owned = m_owned;
    const HWND hwnd = UnsubclassWindow();
    if (owned)
        DestroyWindow(hwnd);
}

CWindow* CWindow::FromHandle(HWND hwnd)
{
    return hwnd ? static_cast<CWindow*>(GetPropA(hwnd, BindingProperty())) : nullptr;
}

bool CWindow::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hwnd || FromHandle(hwnd) || !IsWindow(hwnd))
        return false;
    if (!SetPropA(hwnd, BindingProperty(), this))
        return false;
    m_hwnd = hwnd;
    m_owned = false;
    PreSubclassWindow();
    m_previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure)));
    return true;
}

void CWindow::Attach(HWND hwnd, bool owned)
{
    if (SubclassWindow(hwnd))
        m_owned = owned;
}

HWND CWindow::UnsubclassWindow()
{
    const HWND hwnd = m_hwnd;
    if (!hwnd)
        return nullptr;
    // Only undo our own subclassing: a procedure installed after ours stays in place.
    if (m_previous &&
        GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&Procedure))
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
    Detach();
    return hwnd;
}

void CWindow::Detach()
{
    if (m_hwnd)
        RemovePropA(m_hwnd, BindingProperty());
    m_hwnd = nullptr;
    m_owned = false;
}

LRESULT CALLBACK CWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindow* window = FromHandle(hwnd);
    if (!window)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    const LRESULT result = window->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY && window->m_hwnd == hwnd)
        window->UnsubclassWindow();
    return result;
}

LRESULT CWindow::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    const SMessage outer = m_current;
    m_current = SMessage{message, wParam, lParam};
    LRESULT result = 0;
    if (!ReflectToChild(message, wParam, lParam, &result))
        result = WindowProc(message, wParam, lParam);
    m_current = outer;
    return result;
}

bool CWindow::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    CWindow* child = FromHandle(NotifyingChild(message, lParam));
    return child && child->OnChildNotify(message, wParam, lParam, result);
}

LRESULT CWindow::WindowProc(UINT, WPARAM, LPARAM)
{
    return Default();
}

bool CWindow::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return false;
}

LRESULT CWindow::Default()
{
    return Default(m_current.wParam, m_current.lParam);
}

LRESULT CWindow::Default(WPARAM wParam, LPARAM lParam)
{
    if (!m_hwnd)
        return 0;
    if (!m_previous)
        return DefWindowProcA(m_hwnd, m_current.message, wParam, lParam);
    return CallWindowProcA(m_previous, m_hwnd, m_current.message, wParam, lParam);
}

LRESULT CWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return m_hwnd ? SendMessageA(m_hwnd, message, wParam, lParam) : 0;
}

void CWindow::Invalidate(bool erase) const
{
    if (m_hwnd)
        InvalidateRect(m_hwnd, nullptr, erase);
}

RECT CWindow::GetClientRect() const
{
    RECT rect{};
    if (m_hwnd)
        ::GetClientRect(m_hwnd, &rect);
    return rect;
}

RECT CWindow::GetWindowRectIn(HWND other) const
{
    RECT rect{};
    if (m_hwnd && GetWindowRect(m_hwnd, &rect) && other)
        MapWindowPoints(HWND_DESKTOP, other, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND CWindow::GetParent() const
{
    return m_hwnd ? ::GetParent(m_hwnd) : nullptr;
}

DWORD CWindow::GetStyle() const
{
    return m_hwnd ? static_cast<DWORD>(GetWindowLongA(m_hwnd, GWL_STYLE)) : 0;
}

DWORD CWindow::GetExStyle() const
{
    return m_hwnd ? static_cast<DWORD>(GetWindowLongA(m_hwnd, GWL_EXSTYLE)) : 0;
}

int CWindow::GetWindowId() const
{
    return m_hwnd ? GetDlgCtrlID(m_hwnd) : 0;
}

std::string CWindow::GetCaption() const
{
    if (!m_hwnd)
        return {};
    std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(m_hwnd)) + 1, '\0');
    const int length = GetWindowTextA(m_hwnd, text.data(), static_cast<int>(text.size()));
    return std::string(text.data(), static_cast<size_t>(length > 0 ? length : 0));
}

} // namespace win
