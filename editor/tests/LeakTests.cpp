#include "EditorTestIds.h"
#include "LiveObjects.h"
#include "TestDialogs.h"
#include "TestWindows.h"
#include <gtest/gtest.h>

namespace {

// Opens the editor with its controls, paints it, moves a slider and closes it again.
void OpenPaintAndClose(HWND host)
{
    CSkinnedDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SKINNED, host));
    testing_support::RedrawNow(dialog.GetHwnd());
    HWND slider = dialog.sliders[0]->GetHwnd();
    SendMessageA(slider, WM_KEYDOWN, VK_UP, 0);
    SendMessageA(slider, WM_KEYUP, VK_UP, 0);
    testing_support::PumpMessages();
}

} // namespace

TEST(EditorLeaks, OpeningAndClosingTheDialog200TimesLeavesNoGdiObjectOrWindowBehind)
{
    testing_support::CHostWindow host(300, 200);
    OpenPaintAndClose(host.Get()); // the first opening loads what the system keeps for good
    testing_support::PumpMessages();
    const int objects = testing_support::CountGdiObjects();
    const int windows = testing_support::CountWindows();
    ASSERT_GT(objects, 0);

    for (int i = 0; i < 200; ++i)
        OpenPaintAndClose(host.Get());
    testing_support::PumpMessages();

    EXPECT_EQ(testing_support::CountGdiObjects(), objects);
    EXPECT_EQ(testing_support::CountWindows(), windows);
}

TEST(EditorLeaks, ClosingTheHostWindowFirstAlsoLeavesNothingBehind)
{
    {
        testing_support::CHostWindow host(300, 200);
        OpenPaintAndClose(host.Get());
    }
    const int objects = testing_support::CountGdiObjects();
    const int windows = testing_support::CountWindows();
    for (int i = 0; i < 20; ++i)
    {
        testing_support::CHostWindow host(300, 200);
        CSkinnedDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_SKINNED, host.Get()));
        testing_support::RedrawNow(dialog.GetHwnd());
        DestroyWindow(host.Get()); // the host goes first; the dialog object dies afterwards
        EXPECT_EQ(dialog.GetHwnd(), nullptr);
    }
    testing_support::PumpMessages();
    EXPECT_EQ(testing_support::CountGdiObjects(), objects);
    EXPECT_EQ(testing_support::CountWindows(), windows);
}
