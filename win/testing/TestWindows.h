#pragma once
#include <windows.h>

namespace testing_support {

// A visible top-level window that hosts a dialog in a test, as a plug-in host's window would.
class CHostWindow
{
public:
    CHostWindow(int width, int height, COLORREF background = RGB(255, 255, 255));
    CHostWindow(const CHostWindow&) = delete;
    CHostWindow& operator=(const CHostWindow&) = delete;
    ~CHostWindow();
    HWND Get() const { return m_hwnd; }

private:
    HWND m_hwnd = nullptr;
};

// Handles every queued message, painting included.
void PumpMessages();
// Invalidates a window and its children, erases and repaints them now.
void RedrawNow(HWND hwnd);
// Moves and sizes a window (client coordinates of its parent).
void Place(HWND hwnd, int x, int y, int width, int height);

} // namespace testing_support
