// The X11 editor's display on a web page: windows become pictures on the page's screen (see
// WebScreen.h), and the page calls in with pointer events, timer ticks and repaints. The page
// is single-threaded, so the lock is never contended and there is no thread of our own.
#include "WebScreen.h"
#include <algorithm>

SWebScreen& WebScreen()
{
    static SWebScreen screen;
    return screen;
}

CX11Display::CX11Display() = default;

CX11Display::~CX11Display()
{
    Close();
}

// A page has no X connection; the marker only tells IsOpen that the editor is shown.
bool CX11Display::Open(std::uint32_t, int width, int height, CX11WindowHandler* main, CX11TimerHandler* timers)
{
    Close();
    SWebScreen& screen = WebScreen();
    screen = SWebScreen{};
    SWebWindow window;
    window.handler = main;
    window.width = width;
    window.height = height;
    window.shown = true;
    screen.windows.push_back(std::move(window));
    screen.timerHandler = timers;
    m_main.id = 1;
    m_connection = reinterpret_cast<xcb_connection_t*>(&m_main);
    return true;
}

void CX11Display::Close()
{
    if (!m_connection)
        return;
    WebScreen() = SWebScreen{};
    m_connection = nullptr;
    m_main = SWindow{};
}

void CX11Display::PlaceMain(int, int, int width, int height)
{
    SWebWindow& main = WebScreen().windows.at(0);
    main.width = width;
    main.height = height;
    Invalidate();
}

// The page has no place for the editor but its own corner: a new size is all a placing gives.
void CX11Display::ResizeMain(int width, int height)
{
    if (m_connection && width > 0 && height > 0)
        PlaceMain(0, 0, width, height);
}

void CX11Display::ShowMain(bool show)
{
    WebScreen().windows.at(0).shown = show;
}

int CX11Display::CreatePopup(CX11WindowHandler* handler, bool)
{
    SWebWindow popup;
    popup.handler = handler;
    WebScreen().windows.push_back(std::move(popup));
    return static_cast<int>(WebScreen().windows.size()) - 2;
}

void CX11Display::PlacePopup(int popup, int x, int y, int width, int height)
{
    SWebWindow& window = WebScreen().windows.at(static_cast<size_t>(popup) + 1);
    window.x = x;
    window.y = y;
    window.width = width;
    window.height = height;
    Invalidate();
}

void CX11Display::ShowPopup(int popup, bool show)
{
    WebScreen().windows.at(static_cast<size_t>(popup) + 1).shown = show;
    Invalidate();
}

void CX11Display::SetPopupName(int, const std::string&) {}

// Popups are placed relative to the editor's corner.
bool CX11Display::MainOrigin(int& x, int& y)
{
    x = 0;
    y = 0;
    return true;
}

bool CX11Display::MainViewable()
{
    return WebScreen().windows.at(0).shown;
}

void CX11Display::Invalidate()
{
    WebScreen().dirty = true;
}

void CX11Display::SetTimer(int id, unsigned periodMs)
{
    KillTimer(id);
    SWebScreen& screen = WebScreen();
    screen.timers.push_back(SWebTimer{id, static_cast<double>(periodMs), screen.nowMs + periodMs});
}

void CX11Display::KillTimer(int id)
{
    auto& timers = WebScreen().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(), [id](const SWebTimer& t) { return t.id == id; }),
                 timers.end());
}

void CX11Display::SetHandCursor(bool hand)
{
    WebScreen().hand = hand;
}

// The browser gives the keyboard to the element clicked (the page's editor canvas) by itself.
void CX11Display::TakeKeyboardFocus() {}
