#pragma once
#include <windows.h>
#include <string>

namespace win {

// A C++ object bound to one window. It takes the window over by subclassing, sees every message
// first through WindowProc (derived classes handle theirs and pass the rest on to the base), and
// hands what it does not handle to the window's own procedure with Default().
//
// Notifications a child control sends its parent (WM_NOTIFY, WM_DRAWITEM, WM_CTLCOLOR*,
// WM_VSCROLL/WM_HSCROLL, WM_COMMAND) are first offered to the child's object through
// OnChildNotify, so that a control can handle its own notifications.
//
// The binding ends when the window is destroyed or the object is deleted, whichever comes first.
class CWindow
{
public:
    CWindow() = default;
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;
    virtual ~CWindow();

    HWND GetHwnd() const { return m_hwnd; }
    // The object bound to a window, or null.
    static CWindow* FromHandle(HWND hwnd);

    // Takes over an existing window; fails for a null window, a window that already has an object
    // or an object that already has a window.
    bool SubclassWindow(HWND hwnd);
    // Gives the window back its own procedure and forgets it; returns it.
    HWND UnsubclassWindow();

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void Invalidate(bool erase = true) const;
    RECT GetClientRect() const;
    // The window rectangle in the client coordinates of `other` (screen coordinates for null).
    RECT GetWindowRectIn(HWND other) const;
    HWND GetParent() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    int GetWindowId() const; // the dialog control id
    std::string GetCaption() const; // the window text

protected:
    // Called after the object is bound and before the window's procedure is replaced.
    virtual void PreSubclassWindow() {}
    // The message handling of the class; the base passes every message to Default().
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // A notification this window sent its parent. Return true with *result set to consume it;
    // false lets the parent handle it as usual.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // The current message, handled by the window's own procedure.
    LRESULT Default();
    // The current message with other parameters, handled by the window's own procedure.
    LRESULT Default(WPARAM wParam, LPARAM lParam);

    // Used by dialogs, which receive their window during creation.
    void Attach(HWND hwnd, bool owned);

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    static bool ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    void Detach();

    struct SMessage
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    HWND m_hwnd = nullptr;
    WNDPROC m_previous = nullptr;
    bool m_owned = false; // created by this object, so destroyed with it
    SMessage m_current{};
};

} // namespace win
