#include "Dialog.h"
#include "LiveObjects.h"
#include "TestWindows.h"
#include "WindowTestIds.h"
#include <commctrl.h>
#include <gtest/gtest.h>
#include <algorithm>
#include <memory>
#include <vector>

namespace {

// A control that records the notifications it sent and may consume them.
class CNotifyingControl : public win::CWindow
{
public:
    std::vector<UINT> reflected;
    std::vector<UINT> notifyCodes;
    bool consume = false;
    LRESULT reply = 0;

protected:
    bool OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* result) override
    {
        reflected.push_back(message);
        if (message == WM_NOTIFY)
            notifyCodes.push_back(reinterpret_cast<const NMHDR*>(lParam)->code);
        if (!consume)
            return false;
        *result = reply;
        return true;
    }
};

class CTestDialog : public win::CDialog
{
public:
    CNotifyingControl ownerDraw, trackbar, label, push;
    std::vector<UINT> seen; // what reached the dialog's own handling
    bool initialised = false;
    bool boundMissing = true;

protected:
    void DoDataExchange() override
    {
        BindControl(IDC_OWNERDRAW, ownerDraw);
        BindControl(IDC_TRACKBAR, trackbar);
        BindControl(IDC_LABEL, label);
        BindControl(IDC_PUSH, push);
        CNotifyingControl missing;
        boundMissing = BindControl(999, missing);
    }
    bool OnInitDialog() override
    {
        initialised = true;
        return CDialog::OnInitDialog();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        seen.push_back(message);
        return CDialog::WindowProc(message, wParam, lParam);
    }
};

bool Saw(const std::vector<UINT>& messages, UINT message)
{
    return std::find(messages.begin(), messages.end(), message) != messages.end();
}

struct DialogTest : ::testing::Test
{
    testing_support::CHostWindow host{400, 300};
    CTestDialog dialog;
    void SetUp() override { ASSERT_TRUE(dialog.Create(IDD_REFLECTION, host.Get())); }
};

} // namespace

TEST(Dialog, MissingTemplateCreatesNothing)
{
    testing_support::CHostWindow host(100, 100);
    const int windows = testing_support::CountWindows();
    CTestDialog dialog;
    EXPECT_FALSE(dialog.Create(12345, host.Get()));
    EXPECT_EQ(dialog.GetHwnd(), nullptr);
    EXPECT_FALSE(dialog.initialised);
    EXPECT_EQ(testing_support::CountWindows(), windows);
}

TEST_F(DialogTest, InitialisationBindsTheTemplateControlsToTheirObjects)
{
    EXPECT_TRUE(dialog.initialised);
    EXPECT_EQ(GetParent(dialog.GetHwnd()), host.Get());
    EXPECT_EQ(win::CWindow::FromHandle(dialog.GetHwnd()), &dialog);
    EXPECT_EQ(dialog.trackbar.GetHwnd(), GetDlgItem(dialog.GetHwnd(), IDC_TRACKBAR));
    EXPECT_EQ(dialog.label.GetCaption(), "Label");
    EXPECT_EQ(win::CWindow::FromHandle(dialog.push.GetHwnd()), &dialog.push);
    EXPECT_FALSE(dialog.boundMissing);
}

TEST_F(DialogTest, ScrollAndCustomDrawNotificationsReachTheTrackbarAndThenTheDialog)
{
    dialog.seen.clear();
    SendMessageA(dialog.trackbar.GetHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    testing_support::RedrawNow(dialog.GetHwnd());

    EXPECT_TRUE(Saw(dialog.trackbar.reflected, WM_VSCROLL));
    EXPECT_TRUE(Saw(dialog.trackbar.notifyCodes, static_cast<UINT>(NM_CUSTOMDRAW)));
    EXPECT_TRUE(Saw(dialog.seen, WM_VSCROLL)); // not consumed: the dialog handles it too
}

TEST_F(DialogTest, AConsumedNotificationNeverReachesTheDialog)
{
    dialog.trackbar.consume = true;
    dialog.seen.clear();
    SendMessageA(dialog.trackbar.GetHwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_TRUE(Saw(dialog.trackbar.reflected, WM_VSCROLL));
    EXPECT_FALSE(Saw(dialog.seen, WM_VSCROLL));
}

TEST_F(DialogTest, OwnerDrawColourAndCommandNotificationsReachTheirSenders)
{
    dialog.label.consume = true;
    dialog.label.reply = reinterpret_cast<LRESULT>(GetStockObject(BLACK_BRUSH));
    testing_support::RedrawNow(dialog.GetHwnd());
    SendMessageA(dialog.push.GetHwnd(), BM_CLICK, 0, 0);

    EXPECT_TRUE(Saw(dialog.ownerDraw.reflected, WM_DRAWITEM));
    EXPECT_TRUE(Saw(dialog.label.reflected, WM_CTLCOLORSTATIC));
    EXPECT_TRUE(Saw(dialog.push.reflected, WM_COMMAND));
    HDC dc = GetDC(dialog.GetHwnd());
    EXPECT_EQ(SendMessageA(dialog.GetHwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(dialog.label.GetHwnd())),
              dialog.label.reply);
    ReleaseDC(dialog.GetHwnd(), dc);
}

TEST(Dialog, DeletingTheObjectDestroysItsWindowAndFreesTheControls)
{
    testing_support::CHostWindow host(400, 300);
    const int windows = testing_support::CountWindows();
    auto dialog = std::make_unique<CTestDialog>();
    ASSERT_TRUE(dialog->Create(IDD_REFLECTION, host.Get()));
    HWND hwnd = dialog->GetHwnd();
    HWND trackbar = dialog->trackbar.GetHwnd();
    dialog.reset();
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_FALSE(IsWindow(trackbar));
    EXPECT_EQ(testing_support::CountWindows(), windows);
}

TEST(Dialog, DestroyingTheWindowFirstUnbindsDialogAndControls)
{
    testing_support::CHostWindow host(400, 300);
    CTestDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_REFLECTION, host.Get()));
    DestroyWindow(dialog.GetHwnd());
    EXPECT_EQ(dialog.GetHwnd(), nullptr);
    EXPECT_EQ(dialog.trackbar.GetHwnd(), nullptr);
    EXPECT_EQ(dialog.push.GetHwnd(), nullptr);
}
