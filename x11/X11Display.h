#pragma once
#include "Canvas.h"
#include "X11Keymap.h"
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

typedef struct xcb_connection_t xcb_connection_t;

enum class EPointer
{
    Press,   // the left button went down
    Release, // the left button came up
    Move,    // the pointer moved, the button held or not
    Leave,   // the pointer left the window
    Menu     // the right button went down
};

// What a window of CX11Display reports to; every call comes on the display's own thread with the
// display's lock held.
class CX11WindowHandler
{
public:
    virtual void OnPaint(CCanvas& canvas) = 0;
    virtual void OnPointer(EPointer kind, int x, int y) = 0;
    // A key pressed while the window has the keyboard; false gives it on to the host's window.
    virtual bool OnKey(const SEditorKey&) { return false; }
    // A wheel notch at window point (x, y); `notch` > 0 away from the user.
    virtual void OnWheel(int /*notch*/, int /*x*/, int /*y*/) {}
    virtual ~CX11WindowHandler() = default;
};

// Told of timers; on the display's thread with its lock held.
class CX11TimerHandler
{
public:
    virtual void OnTimer(int id) = 0;
    virtual ~CX11TimerHandler() = default;
};

// A connection of its own to the X server, a child window embedded in the host's window, and
// popup windows beside it, all run by a thread of its own: events, timers and painting never
// depend on the host's idle calls. X errors (a host that destroyed its window first) arrive as
// events and are dropped; no process-wide error handler is installed.
class CX11Display
{
public:
    CX11Display();
    ~CX11Display();
    CX11Display(const CX11Display&) = delete;
    CX11Display& operator=(const CX11Display&) = delete;

    // Connects, makes the child window of `parent` (an X window id) and starts the thread. False
    // (and nothing left open) without a display or with a parent that does not exist.
    bool Open(std::uint32_t parent, int width, int height, CX11WindowHandler* main, CX11TimerHandler* timers);
    // Stops the thread, destroys the windows and disconnects. Safe when the host has destroyed
    // the parent already.
    void Close();
    bool IsOpen() const { return m_connection != nullptr; }

    // The lock the thread holds while it calls the handlers; take it to touch what they use.
    std::mutex& Lock() { return m_lock; }
    std::uint32_t MainWindow() const { return m_main.id; }

    // With the lock held, or on the display's thread:
    // Moves and sizes the embedded window inside its parent.
    void PlaceMain(int x, int y, int width, int height);
    // Maps or unmaps the embedded window, for hosts that hide an editor without closing it.
    void ShowMain(bool show);
    // Gives the embedded window a new size where it is, and repaints it.
    void ResizeMain(int width, int height);

    // On the display's thread only (from a handler):
    // A borderless popup (override-redirect) at screen position x, y; hidden until shown.
    int CreatePopup(CX11WindowHandler* handler, bool border);
    void PlacePopup(int popup, int x, int y, int width, int height);
    void ShowPopup(int popup, bool show);
    void SetPopupName(int popup, const std::string& name);
    // The main window's top-left corner in root (screen) coordinates.
    bool MainOrigin(int& x, int& y);
    // Whether the main window shows: the host has not hidden (unmapped) it or its own window.
    bool MainViewable();
    void Invalidate(); // every window repaints
    void SetTimer(int id, unsigned periodMs);
    void KillTimer(int id);
    void SetHandCursor(bool hand);
    // The modifiers (kEditorShift, kEditorControl) held with the input event being handled.
    unsigned EventModifiers() const { return m_modifiers; }
    // Gives the embedded window the keyboard, as a click on a control does.
    void TakeKeyboardFocus();

private:
    struct SWindow
    {
        std::uint32_t id = 0;
        CX11WindowHandler* handler = nullptr;
        int width = 0;
        int height = 0;
        bool shown = false;
        bool destroyed = false; // by the host, with its own window
    };
    struct STimer
    {
        int id;
        std::chrono::milliseconds period;
        std::chrono::steady_clock::time_point due;
    };

    void Run();
    void Wake();
    void HandleEvents();
    void FireTimers();
    int MillisecondsToNextTimer() const;
    void Paint(SWindow& window);
    SWindow* Find(std::uint32_t id);
    void Destroy(SWindow& window);
    void HandleButton(const void* event, bool press);
    void HandleKey(void* event);

    xcb_connection_t* m_connection = nullptr;
    std::uint32_t m_root = 0;
    std::uint32_t m_parent = 0;
    CX11Keymap m_keymap;
    unsigned m_modifiers = 0;
    std::uint8_t m_depth = 0;
    std::uint32_t m_visual = 0;
    std::uint32_t m_gc = 0;
    std::uint32_t m_handCursor = 0;
    std::uint32_t m_maxPutBytes = 0;
    SWindow m_main;
    std::vector<SWindow> m_popups;
    std::vector<STimer> m_timers;
    CX11TimerHandler* m_timerHandler = nullptr;
    bool m_dirty = true;
    std::mutex m_lock;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    int m_wake[2] = {-1, -1}; // a pipe that ends the thread's wait
};
