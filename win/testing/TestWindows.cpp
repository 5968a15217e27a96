#include "TestWindows.h"

namespace testing_support {

namespace {

// Erases with the colour kept in the window's user data.
LRESULT CALLBACK HostProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_ERASEBKGND)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    RECT client{};
    GetClientRect(hwnd, &client);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)));
    FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
    DeleteObject(brush);
    return 1;
}

const char* HostClass()
{
    static const char* name = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = HostProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "TestHostWindow";
        windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        RegisterClassA(&windowClass);
        return "TestHostWindow";
    }();
    return name;
}

} // namespace

CHostWindow::CHostWindow(int width, int height, COLORREF background)
{
    m_hwnd = CreateWindowExA(0, HostClass(), "host", WS_POPUP | WS_CLIPCHILDREN, 0, 0, width, height,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(background));
    ShowWindow(m_hwnd, SW_SHOWNOACTIVATE);
}

CHostWindow::~CHostWindow()
{
    if (IsWindow(m_hwnd))
        DestroyWindow(m_hwnd);
    PumpMessages();
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
    {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void RedrawNow(HWND hwnd)
{
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages();
}

void Place(HWND hwnd, int x, int y, int width, int height)
{
    SetWindowPos(hwnd, nullptr, x, y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace testing_support
