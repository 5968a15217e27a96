// The editor window's keyboard focus, forwarded keys and wheel; its painting and pointer routing
// are X11EditorWindow.cpp.
#include "X11EditorWindow.h"
#include "FocusMark.h"
#include <cmath>

namespace {

// X has no double-click of its own; these are the usual desktop defaults.
constexpr auto kDoubleClickTime = std::chrono::milliseconds(400);
constexpr int kDoubleClickDistance = 4;

} // namespace

bool CX11EditorWindow::OnKey(const SEditorKey& key)
{
    if (key.key == EEditorKey::Tab && m_tabOrder.empty())
        return false;
    if (key.key == EEditorKey::Tab)
        m_focused = NextInOrder(m_tabOrder, m_focused, (key.modifiers & kEditorShift) != 0);
    else if (!m_focused || !m_focused->OnKey(key))
        return false;
    m_focusShown = true;
    m_display.Invalidate();
    return true;
}

void CX11EditorWindow::OnWheel(int notch, int x, int y)
{
    WheelAt(notch, (m_display.EventModifiers() & kEditorShift) != 0, x, y);
}

// The topmost control under the point that takes the wheel: a fader, not the frame around it.
bool CX11EditorWindow::WheelAt(int notch, bool fine, int x, int y)
{
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it)
        if ((*it)->Rect().Contains(x, y) && (*it)->OnWheel(notch, fine))
            return true;
    return false;
}

bool CX11EditorWindow::OnForwardedWheel(int notches, unsigned modifiers)
{
    if (!m_pointerInside || notches == 0)
        return false;
    bool taken = false;
    for (int i = 0; i < std::abs(notches); ++i)
        taken = WheelAt(notches > 0 ? 1 : -1, (modifiers & kEditorShift) != 0, m_pointerX, m_pointerY) || taken;
    return taken;
}

// A click gives the clicked control the focus (elsewhere it keeps it) and the window the keyboard.
void CX11EditorWindow::FocusOnPress(CX11Control* control)
{
    m_display.TakeKeyboardFocus();
    if (control && control->TakesFocus() && control != m_focused)
    {
        m_focused = control;
        m_display.Invalidate();
    }
}

bool CX11EditorWindow::IsDoubleClick(CX11Control* control, int x, int y)
{
    const auto now = std::chrono::steady_clock::now();
    const bool twice = control == m_lastClick.control && now - m_lastClick.when <= kDoubleClickTime &&
                       std::abs(x - m_lastClick.x) <= kDoubleClickDistance &&
                       std::abs(y - m_lastClick.y) <= kDoubleClickDistance;
    // A third click starts a new pair.
    m_lastClick = twice ? SClick{} : SClick{control, now, x, y};
    return twice;
}

void CX11EditorWindow::PaintFocusMark(CCanvas& canvas) const
{
    if (m_focusShown && m_focused)
        DrawFocusMark(canvas, m_focused->Rect(), m_focusMarkColour, m_focused->Scale().Line());
}
