#pragma once
// A private X server for tests that need a display: Xvfb on a free display number (it picks one
// itself and tells us through a pipe), DISPLAY pointing at it, and a connection of the test's own
// for host windows, XTest input and screenshots. The screen (1600 x 900) holds the editor at 300 %.
#include <cstdint>
#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

typedef struct xcb_connection_t xcb_connection_t;

class CXvfbDisplay
{
public:
    CXvfbDisplay();
    ~CXvfbDisplay();
    CXvfbDisplay(const CXvfbDisplay&) = delete;
    CXvfbDisplay& operator=(const CXvfbDisplay&) = delete;

    bool IsRunning() const { return m_connection != nullptr; }
    const std::string& Error() const { return m_error; }
    xcb_connection_t* Connection() const { return m_connection; }
    std::uint32_t Root() const { return m_root; }

    // A host's top-level window, dark grey, mapped at (x, y).
    std::uint32_t CreateHostWindow(int x, int y, int width, int height);
    void DestroyWindow(std::uint32_t window);
    void MoveWindow(std::uint32_t window, int x, int y);
    void ResizeWindow(std::uint32_t window, int width, int height);
    void UnmapWindow(std::uint32_t window);
    std::vector<std::uint32_t> Children(std::uint32_t window) const;
    // The names of the mapped override-redirect windows (the editor's popups: list, tooltip).
    std::vector<std::string> PopupNames() const;
    // The first mapped override-redirect window with that name: its origin and size; false for none.
    bool FindPopup(const std::string& name, int& x, int& y, int& width, int& height) const;
    // Where the window's top-left corner lies on the screen.
    void Origin(std::uint32_t window, int& x, int& y) const;

    // Real input through XTest, at screen coordinates.
    void MoveTo(int x, int y);
    void Press();
    void Release();
    void Click(int x, int y);
    // The key of an X key symbol (keysymdef.h), pressed and released, with Shift or Control held.
    void Key(std::uint32_t symbol, bool shift = false, bool control = false);
    // Holds or lets go of a key (Shift during a drag).
    void HoldKey(std::uint32_t symbol, bool down);
    // One wheel notch (button 4 away from the user, 5 toward) where the pointer is.
    void Wheel(bool away);

    // The window that has the keyboard (0 for none, 1 for whichever is under the pointer).
    std::uint32_t InputFocus() const;
    // A click of the right button.
    void RightClick(int x, int y);
    // The X resources (the root window's RESOURCE_MANAGER), as a desktop's settings leave them.
    void SetResources(const std::string& resources);

    // The screen's pixels (0x00RRGGBB) of a rectangle; empty when it cannot be read.
    std::vector<std::uint32_t> Grab(int x, int y, int width, int height) const;
    bool SavePng(const std::string& path, int x, int y, int width, int height) const;

private:
    pid_t m_server = -1;
    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
    std::string m_error;
};

// Polls `done` until it holds or `seconds` pass (a bound on waiting, not a timing check).
bool WaitUntil(const std::function<bool()>& done, double seconds = 5.0);
