#pragma once
#include "BgDialog.h"
#include "ControlBinding.h"

// The effect-independent Windows editor window: the bitmap background of CBgDialog with the
// parameter binding of CControlBinding, refreshed by a 50 ms timer, answering the controls'
// tooltips and offering hooks for an About area.
class CBasePluginDialog : public CBgDialog, public CControlBinding
{
public:
    CBasePluginDialog() = default;
    ~CBasePluginDialog() override;

    // The About area of the window, in client pixels; none here.
    virtual bool HitTestAbout(int x, int y) const;
    virtual void ShowAbout() {}

protected:
    // Starts the refresh timer.
    bool OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT OnToolTipText(LPARAM lParam);
};
