#pragma once
#include "BgDialog.h"
#include "ControlBinding.h"
#include <vector>

// The effect-independent Windows editor window: the bitmap background of CBgDialog with the
// parameter binding of CControlBinding, refreshed by a 50 ms timer, answering the controls'
// tooltips and offering hooks for an About area. Tab moves the focus through the controls in an
// order of the concrete dialog's, the wheel reaches the fader under the pointer, and the focus
// mark shows once the keyboard is used (BasePluginDialogInput.cpp).
class CBasePluginDialog : public CBgDialog, public CControlBinding
{
public:
    CBasePluginDialog() = default;
    ~CBasePluginDialog() override;

    // The About area of the window, in client pixels; none here.
    virtual bool HitTestAbout(int x, int y) const;
    virtual void ShowAbout() {}
    // Wheel notches a host forwards (positive away from the user), for the control under the
    // pointer; whether one took them.
    bool OnForwardedWheel(float distance, unsigned modifiers);

protected:
    // Starts the refresh timer.
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The controls Tab visits, by control id.
    void SetTabOrder(std::vector<int> controlIds) { m_tabOrder = std::move(controlIds); }
    bool OnEditorKey(const SEditorKey& key) override;

private:
    LRESULT OnToolTipText(LPARAM lParam);
    // BasePluginDialogInput.cpp
    bool OnInputMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void MoveFocus(bool backward);
    void SetFocusCues(bool shown);
    bool WheelAt(POINT screen, int notch, bool fine);

    std::vector<int> m_tabOrder;
    bool m_focusCues = false; // hidden until the keyboard is used, as Windows does
    int m_wheelRest = 0;      // a high-resolution wheel's part of a notch
};
