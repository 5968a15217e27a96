// Creating and destroying the controls, with the preset list opened and closed, leaves no GDI
// object and no window behind.
#include "ButtonTestDialog.h"
#include "ButtonTestIds.h"
#include "LiveObjects.h"
#include "TestWindows.h"
#include <gtest/gtest.h>

namespace {

// One life of an editor-like window: every control painted in its skin, the preset list filled,
// slid out to its full width and back in, then everything destroyed.
void OneLife(HWND host)
{
    CButtonTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_BUTTONS, host));
    ApplySwitchSkin(dialog.toggle);
    ApplyWaveformSkin(dialog.picture);
    ApplySwitchSkin(dialog.presets, true);
    ApplyLabelSkin(dialog.label);
    dialog.label.SetTransparent(true);
    ApplyFrameSkin(dialog.centreFrame);
    win::CFont font = CreateListFont();
    ASSERT_TRUE(dialog.presets.EnsurePopup());
    FillPresetList(*dialog.presets.GetList(), font.Get());
    testing_support::RedrawNow(dialog.GetHwnd());

    const HWND button = dialog.presets.GetHwnd();
    const HWND popup = dialog.presets.GetPopup().GetHwnd();
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    for (int i = 0; i < 5; ++i)
        SendMessageA(popup, WM_TIMER, CPresetPopup::kTimerId, 0);
    SendMessageA(dialog.presets.GetList()->GetHwnd(), LB_SETCURSEL, 3, 0);
    testing_support::RedrawNow(popup);
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    for (int i = 0; i < 5; ++i)
        SendMessageA(popup, WM_TIMER, CPresetPopup::kTimerId, 0);
    dialog.toggle.SetValue(1.0f);
    dialog.picture.SetValue(1.0f);
    testing_support::RedrawNow(dialog.GetHwnd());
}

} // namespace

TEST(ButtonLeaks, TwoHundredLivesWithTheListOpenedAndClosedLeaveNoGdiObjectOrWindow)
{
    testing_support::CHostWindow host(480, 320);
    OneLife(host.Get()); // the first life may set up what every later one shares
    testing_support::PumpMessages();
    const int gdiBefore = testing_support::CountGdiObjects();
    const int windowsBefore = testing_support::CountWindows();
    for (int i = 0; i < 200; ++i)
    {
        OneLife(host.Get());
        if (HasFatalFailure())
            return;
    }
    testing_support::PumpMessages();
    EXPECT_EQ(testing_support::CountGdiObjects(), gdiBefore);
    EXPECT_EQ(testing_support::CountWindows(), windowsBefore);
}
