#pragma once
#include "PresetListBox.h"
#include "Window.h"

// The borderless popup that holds the preset list and slides it out sideways: its width grows
// by a step every timer tick up to a maximum, or shrinks until the popup disappears.
class CPresetPopup : public win::CWindow
{
public:
    // Sent to the owner button when an entry is chosen with the mouse; wParam is its index.
    static constexpr UINT kChosenMessage = WM_USER + 102;
    static constexpr int kStep = 30;         // pixels per tick
    static constexpr UINT kTickPeriod = 25;  // milliseconds
    static constexpr UINT_PTR kTimerId = 0;

    CPresetPopup();
    ~CPresetPopup() override;

    // Creates the popup (hidden) and its list; `owner` receives kChosenMessage. False on failure.
    bool Create(HWND owner);
    CPresetListBox& GetList() { return m_list; }
    const CPresetListBox& GetList() const { return m_list; }

    void SlideOut();
    void SlideIn();
    void HideNow();
    // One animation step; the timer calls it every tick.
    void Step();

    bool IsOpening() const { return m_opening; }
    int GetWidth() const { return m_width; }
    void SetMaximumWidth(int width) { m_maximumWidth = width; }
    // Pixels per tick of the slide, kStep at 1x.
    void SetStep(int step) { m_step = step > 0 ? step : kStep; }
    int GetMaximumWidth() const { return m_maximumWidth; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void TakeSizeFromWindow();
    void OnSelectionChange();

    HWND m_owner = nullptr;
    CPresetListBox m_list;
    int m_width = 0;
    int m_height = 0;
    bool m_opening = false;
    int m_maximumWidth = 130;
    int m_step = kStep;
};
