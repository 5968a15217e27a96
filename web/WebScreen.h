#pragma once
#include "Canvas.h"
#include "X11Display.h"
#include <memory>
#include <vector>

// What the X11 editor's windows become on a web page: the editor's window and its popups (the
// preset list, the tooltip, the About box) as pictures the page shows at their places, relative
// to the editor's top-left corner, with the timers the page's animation frames drive. One editor
// per page, so there is one screen.
struct SWebWindow
{
    CX11WindowHandler* handler = nullptr;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool shown = false;
    std::unique_ptr<CCanvas> picture; // the last painting
    int version = 0;                  // counts the paintings
};

struct SWebTimer
{
    int id;
    double periodMs;
    double dueMs;
};

struct SWebScreen
{
    std::vector<SWebWindow> windows; // [0] the editor, then the popups in creation order
    std::vector<SWebTimer> timers;
    CX11TimerHandler* timerHandler = nullptr;
    bool dirty = true;
    bool hand = false;
    double nowMs = 0.0;
};

SWebScreen& WebScreen();
