#pragma once
#include "ControlScale.h"
#include "X11Display.h"
#include <functional>
#include <string>
#include <vector>

// A small menu in a popup beside the pointer: one row per entry, the checked one marked, a click
// on a row chooses it and closes the menu; a click outside any row closes it too. Runs on the
// display's thread like every window of it.
class CX11PopupMenu : public CX11WindowHandler
{
public:
    using Chosen = std::function<void(int index)>;

    explicit CX11PopupMenu(CX11Display& display);

    // Shows the entries at screen point (x, y), drawn at `scale`; `chosen` hears the row clicked.
    void Show(std::vector<std::string> entries, int checked, int x, int y, const SControlScale& scale, Chosen chosen);
    void Hide();
    bool IsShown() const { return m_shown; }
    int RowHeight() const { return m_scale.Px(18); }

    void OnPaint(CCanvas& canvas) override;
    void OnPointer(EPointer kind, int x, int y) override;

private:
    CX11Display& m_display;
    int m_popup;
    std::vector<std::string> m_entries;
    int m_checked = -1;
    int m_hover = -1;
    bool m_shown = false;
    SControlScale m_scale;
    Chosen m_chosen;
};
