#include "ButtonTestDialog.h"
#include "ButtonTestIds.h"
#include "ControlRecorder.h"
#include "TestWindows.h"
#include <gtest/gtest.h>

using testing_support::SImage;

namespace {

struct PresetDropDownTest : ::testing::Test
{
    testing_support::CHostWindow host{480, 320};
    CRecorder recorder;
    CButtonTestDialog dialog{&recorder};
    CPresetButton& button = dialog.presets;
    win::CFont font = CreateListFont();

    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create(IDD_BUTTONS, host.Get()));
        testing_support::Place(dialog.GetHwnd(), 20, 30, 300, 160);
        ApplySwitchSkin(button, true);
    }

    HWND Popup() { return button.GetPopup().GetHwnd(); }
    HWND List() { return button.GetPopup().GetList().GetHwnd(); }
    void Fill()
    {
        ASSERT_TRUE(button.EnsurePopup());
        FillPresetList(*button.GetList(), font.Get());
    }
    void Click()
    {
        SendMessageA(button.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(button.GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    // One tick of the slide animation, as its timer gives it.
    void Tick() { SendMessageA(Popup(), WM_TIMER, CPresetPopup::kTimerId, 0); }
    void FollowTick() { SendMessageA(button.GetHwnd(), WM_TIMER, CPresetButton::kFollowTimerId, 0); }
    RECT PopupRect()
    {
        RECT rect{};
        GetWindowRect(Popup(), &rect);
        return rect;
    }
    int PopupWidth()
    {
        const RECT rect = PopupRect();
        return rect.right - rect.left;
    }
    RECT EditorRect()
    {
        RECT rect{};
        GetWindowRect(dialog.GetHwnd(), &rect);
        return rect;
    }
    RECT ItemRect(int index)
    {
        RECT rect{};
        SendMessageA(List(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
        return rect;
    }
    void OpenFully()
    {
        Click();
        for (int i = 0; i < 5; ++i)
            Tick();
    }
    // Puts the mouse cursor over the list, or far away from it.
    void CursorOverList(bool over)
    {
        const RECT popup = PopupRect();
        if (over)
            SetCursorPos((popup.left + popup.right) / 2, (popup.top + popup.bottom) / 2);
        else
            SetCursorPos(popup.left - 200, popup.bottom + 100);
    }
    void ClickItem(int index)
    {
        const RECT item = ItemRect(index);
        const LPARAM at = MAKELPARAM(item.left + 20, (item.top + item.bottom) / 2);
        SendMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(List(), WM_LBUTTONUP, 0, at);
    }
};

} // namespace

TEST(PresetButton, WithoutAListItHasNoPositionsNoValueAndNoText)
{
    CPresetButton button(nullptr, 9, 0);
    EXPECT_EQ(button.GetMaxPosition(), -1);
    EXPECT_EQ(button.GetMax(), -1.0f);
    EXPECT_EQ(button.GetValue(), 0.0f);
    EXPECT_EQ(button.GetText(), "");
    EXPECT_FALSE(button.EnsurePopup()); // no window to hang it on
    EXPECT_EQ(button.GetList(), nullptr);
}

TEST_F(PresetDropDownTest, AnEmptyListHasMaxPositionMinusOneValueZeroAndNoText)
{
    ASSERT_TRUE(button.EnsurePopup());
    EXPECT_EQ(button.GetMaxPosition(), -1);
    EXPECT_EQ(button.GetValue(), 0.0f);
    EXPECT_EQ(button.GetText(), "");
    button.SetValue(3.0f); // the button keeps no preset of its own
    EXPECT_EQ(button.GetValue(), 0.0f);

    Fill();
    EXPECT_EQ(button.GetMaxPosition(), 12);
    EXPECT_EQ(button.GetValue(), 0.0f); // nothing chosen yet
    EXPECT_EQ(button.GetText(), "");
}

TEST_F(PresetDropDownTest, TheListSlidesOutOfTheEditorsRightEdgeBy30PixelsATickUpTo130AndBack)
{
    Fill();
    Click();
    EXPECT_TRUE(button.IsOn());
    ASSERT_TRUE(IsWindowVisible(Popup()));
    const RECT editor = EditorRect();
    EXPECT_EQ(PopupRect().left, editor.right);
    EXPECT_EQ(PopupRect().top, editor.top);
    EXPECT_EQ(PopupRect().bottom - PopupRect().top, editor.bottom - editor.top);

    std::vector<int> widths{PopupWidth()};
    for (int i = 0; i < 6; ++i)
    {
        Tick();
        widths.push_back(PopupWidth());
    }
    EXPECT_EQ(widths, std::vector<int>({0, 30, 60, 90, 120, 130, 130}));
    EXPECT_TRUE(button.GetPopup().IsOpening());
    // The list fills the popup.
    RECT list{};
    GetWindowRect(List(), &list);
    EXPECT_EQ(list.right - list.left, 130 - 2);

    Click();
    EXPECT_FALSE(button.IsOn());
    widths = {PopupWidth()};
    for (int i = 0; i < 4; ++i)
    {
        Tick();
        widths.push_back(PopupWidth());
    }
    EXPECT_EQ(widths, std::vector<int>({130, 100, 70, 40, 10}));
    EXPECT_TRUE(IsWindowVisible(Popup()));
    Tick();
    EXPECT_FALSE(IsWindowVisible(Popup()));
    EXPECT_EQ(button.GetPopup().GetWidth(), 0);
}

TEST_F(PresetDropDownTest, TheListSlidesOutAndBackWithoutTakingActivationFromTheHostWindow)
{
    Fill();
    SetForegroundWindow(host.Get());
    SetActiveWindow(host.Get());
    ASSERT_EQ(GetActiveWindow(), host.Get());
    for (int slide = 0; slide < 2; ++slide) { // out, then back in
        Click();
        for (int tick = 0; tick < 6; ++tick)
            Tick();
        EXPECT_EQ(GetActiveWindow(), host.Get()) << (slide ? "sliding in" : "sliding out");
        EXPECT_EQ(GetForegroundWindow(), host.Get()) << (slide ? "sliding in" : "sliding out");
    }
}

TEST_F(PresetDropDownTest, ASecondClickDuringTheSlideReversesItFromTheCurrentWidth)
{
    Fill();
    Click();
    Tick();
    Tick();
    Click();
    std::vector<int> widths{PopupWidth()};
    Tick();
    widths.push_back(PopupWidth());
    EXPECT_EQ(widths, std::vector<int>({60, 30}));
    Tick();
    Tick();
    EXPECT_FALSE(IsWindowVisible(Popup()));
}

TEST_F(PresetDropDownTest, TheOpenListFollowsTheEditorWhenItMoves)
{
    Fill();
    OpenFully();
    SetWindowPos(host.Get(), nullptr, 70, 45, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_NE(PopupRect().left, EditorRect().right); // not before the follow timer's tick
    FollowTick();
    EXPECT_EQ(PopupRect().left, EditorRect().right);
    EXPECT_EQ(PopupRect().top, EditorRect().top);
    EXPECT_EQ(PopupWidth(), 130);
}

TEST_F(PresetDropDownTest, TheOpenListHidesWithTheEditorAndTheSwitchGoesOff)
{
    Fill();
    OpenFully();
    ShowWindow(dialog.GetHwnd(), SW_HIDE);
    FollowTick();
    EXPECT_FALSE(IsWindowVisible(Popup()));
    EXPECT_FALSE(button.IsOn());
    EXPECT_FALSE(button.IsPressed());
    EXPECT_EQ(button.GetPopup().GetWidth(), 0);

    // Shown again, the next click opens it from nothing.
    ShowWindow(dialog.GetHwnd(), SW_SHOW);
    Click();
    EXPECT_TRUE(button.IsOn());
    EXPECT_EQ(PopupWidth(), 0);
}

TEST_F(PresetDropDownTest, SwitchingTheListOpenOrShutIsAGestureButNoValueChange)
{
    Fill();
    Click();
    Click();
    EXPECT_EQ(recorder.journal, Journal({"begin", "end", "begin", "end"}));
}

TEST_F(PresetDropDownTest, AnEntryChosenWithTheMouseIsReportedAsTheValue)
{
    Fill();
    OpenFully();
    CursorOverList(true);
    ClickItem(3);
    EXPECT_EQ(recorder.journal, Journal({"begin", "end", "changed"}));
    EXPECT_EQ(recorder.values, std::vector<float>({3.0f}));
    EXPECT_EQ(button.GetText(), "Crazy Voice");
    EXPECT_EQ(button.GetMaxPosition(), 12);
}

TEST_F(PresetDropDownTest, AHeadingChosenWithTheMouseSendsNothing)
{
    Fill();
    OpenFully();
    CursorOverList(true);
    ClickItem(11); // "Extra"
    ClickItem(0);  // "Factory Presets"
    EXPECT_EQ(recorder.journal, Journal({"begin", "end"}));
}

TEST_F(PresetDropDownTest, AKeyboardChangeWithTheCursorElsewhereGoesBackToTheFirstEntry)
{
    Fill();
    OpenFully();
    CursorOverList(true);
    ClickItem(2);
    ASSERT_EQ(button.GetValue(), 2.0f);
    CursorOverList(false);
    SendMessageA(List(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(button.GetValue(), 0.0f);
    EXPECT_EQ(recorder.values, std::vector<float>({2.0f})); // nothing more reported

    // With the cursor over the list the keyboard chooses like the mouse.
    CursorOverList(true);
    SendMessageA(List(), LB_SETCURSEL, 4, 0);
    SendMessageA(List(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(recorder.values, std::vector<float>({2.0f, 5.0f}));
}

TEST_F(PresetDropDownTest, HeadingsHaveRulesAndBoldNamesAndTheChosenEntryItsOwnColours)
{
    Fill();
    OpenFully();
    CursorOverList(true);
    ClickItem(2);
    testing_support::RedrawNow(Popup());
    const SImage list = testing_support::CaptureClient(List());
    auto row = [&](int index) { return (ItemRect(index).top + ItemRect(index).bottom) / 2; };
    const RECT heading = ItemRect(0);
    const int middle = (heading.top + heading.bottom) / 2;
    // The short rule before the heading's name, in the heading's colour.
    for (int x = 4; x < 8; ++x)
        EXPECT_EQ(list.Pixel(x, middle), kSkinText) << x;
    EXPECT_EQ(list.Pixel(2, middle), kSkinPanel);
    // The long rule after a short name runs to two pixels before the list's right edge.
    const RECT client = [&] { RECT r{}; GetClientRect(List(), &r); return r; }();
    const RECT extra = ItemRect(11);
    int ruleEnd = -1;
    for (int y = extra.top; y < extra.bottom; ++y)
        if (list.Pixel(client.right - 3, y) == kSkinText)
            ruleEnd = y;
    EXPECT_GE(ruleEnd, extra.top);
    EXPECT_EQ(list.Pixel(client.right - 2, ruleEnd), kSkinPanel);
    // Ordinary entries: panel background, red names; the chosen one on its own brush.
    EXPECT_EQ(list.Pixel(client.right - 3, row(1)), kSkinPanel);
    EXPECT_EQ(list.Pixel(client.right - 3, row(2)), 0x0000AA);
    int red = 0, yellow = 0;
    for (int x = 0; x < client.right; ++x)
    {
        red += list.Pixel(x, row(1)) == kSkinRed || list.Pixel(x, row(1) - 1) == kSkinRed;
        yellow += GetGValue(list.Pixel(x, row(2))) > 0x80 || GetGValue(list.Pixel(x, row(2) - 1)) > 0x80;
    }
    EXPECT_GT(red, 3);
    EXPECT_GT(yellow, 3);
    // Entries are as high as the list's font.
    EXPECT_EQ(heading.bottom - heading.top, 13);
}

TEST_F(PresetDropDownTest, DestroyingTheEditorTakesThePopupAlong)
{
    Fill();
    OpenFully();
    const HWND popup = Popup();
    ASSERT_TRUE(IsWindow(popup));
    DestroyWindow(dialog.GetHwnd());
    EXPECT_FALSE(IsWindow(popup));
    EXPECT_EQ(button.GetList(), nullptr);
    EXPECT_EQ(button.GetMaxPosition(), -1);
}
