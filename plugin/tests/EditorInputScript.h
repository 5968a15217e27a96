#pragma once
// One script of keyboard, wheel and mouse input for the Linux editor in any format's test host:
// real X input (XTest) at the editor's place on the test's X server, and after every step a check
// of what the host received, as that host records it.
#include "XvfbDisplay.h"
#include <functional>
#include <vector>

struct SHostGesture
{
    enum EKind
    {
        Begin,
        Change,
        End
    };
    EKind kind;
    int index;    // host parameter index
    double value; // normalised
};

struct SGestureSource
{
    // Everything the host received since the last Clear, in order.
    std::function<std::vector<SHostGesture>()> received;
    std::function<void()> clear;
    // Whether the host hears where a gesture begins and ends. A VST 2 host does not: it receives
    // each change alone.
    bool framed = true;
};

// From the parameters' defaults, with the editor's top-left corner at screen point (x, y): Tab and
// Shift+Tab, every fader key, Space on each switch, the wheel and Shift+wheel, a double click, a
// Ctrl click and a Shift drag. Each change must reach the host as one gesture (begin, the change,
// end; the change alone where the host is not told of gestures) with the value the fader's steps
// give; a key that changes nothing, as none.
// With `picture`, the editor is saved there as a PNG while Bypass has the focus, to be looked at.
void RunEditorInputScript(CXvfbDisplay& display, int x, int y, const SGestureSource& host,
                          const char* picture = nullptr);

// A parameter's value in its own unit (as CLAP and LV2 hosts receive it) normalised to 0..1, by
// host index (0 Bypass, 1 Gain .. 8 LFO Type).
double NormalisedValue(int index, double value);

// Whether the keyboard's focus mark shows around control `id` in a picture of the editor.
bool ShowsFocusMark(const std::vector<std::uint32_t>& picture, int id);
