#pragma once
// For tests of the editor embedded in a host's window on the test program's private X server:
// the server itself, where the editor and its controls lie on the screen, what it shows.
#include "XvfbDisplay.h"
#include <cstdint>
#include <vector>

// The test program's Xvfb, started once before its first test and stopped after its last.
CXvfbDisplay* TestDisplay();

// The entries of a folder (/proc/self/fd, /proc/self/task), to see what a test left open.
int CountEntries(const char* folder);
// A PNG file's pixels (0x00RRGGBB, a row after another); empty when it cannot be read.
std::vector<std::uint32_t> ReadPng(const char* path, int& width, int& height);

// The editor inside `parent`, at its top-left corner.
class CEmbeddedEditorView
{
public:
    CEmbeddedEditorView(const CXvfbDisplay& display, const std::uint32_t& parent)
        : m_display(display), m_parent(parent)
    {
    }
    int X() const;
    int Y() const;
    // A point of a control, in screen pixels.
    int ScreenX(int id, int x) const;
    int ScreenY(int id, int y) const;
    // The top-left pixel: the editor's black once it has painted, the host's grey while hidden.
    std::uint32_t Corner() const;
    // Waits until the fader `id` shows its thumb at `top`.
    bool WaitForThumb(int id, int top) const;

private:
    const CXvfbDisplay& m_display;
    const std::uint32_t& m_parent; // the fixture sets it up after building this
};
