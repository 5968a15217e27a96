#include "PluginDialogFixture.h"
#include <commctrl.h>
#include <cmath>

namespace {

using Journal = std::vector<std::string>;

struct CCountingListener : CParameterControlListener
{
    int changes = 0;
    void OnBeginEdit(CParameterControl*) override {}
    void OnValueChanged(CParameterControl*) override { ++changes; }
    void OnEndEdit(CParameterControl*) override {}
};

struct CCountingNotify : CEditorNotify
{
    int calls = 0;
    void Notify() override { ++calls; }
};

void Key(CParameterSlider& slider, WPARAM key)
{
    SendMessageA(slider.GetHwnd(), WM_KEYDOWN, key, 0);
    SendMessageA(slider.GetHwnd(), WM_KEYUP, key, 0);
}

void Mouse(CParameterSlider& slider, UINT message, int x, int y)
{
    SendMessageA(slider.GetHwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
}

} // namespace

TEST_F(PluginDialogTest, RefreshShowsEveryParameterInItsControlAndWritesNothingBack)
{
    CCountingListener other;
    dialog.amount.AddListener(&other);
    Refresh();
    EXPECT_EQ(Position(dialog.level), 20); // 0 dB in the middle of 40 positions
    EXPECT_EQ(Position(dialog.mode), 1);
    EXPECT_EQ(Position(dialog.amount), 30); // 70 % on a reversed slider
    inputs.values[3] = 25.0f;
    Refresh();
    EXPECT_EQ(Position(dialog.amount), 75);
    EXPECT_EQ(other.changes, 2); // other listeners see every refreshed value
    EXPECT_TRUE(inputs.journal.empty());
    EXPECT_EQ(dialog.GetChanged(), 0);
}

TEST_F(PluginDialogTest, UserGesturesSetTheirParameterAndRaiseTheChangedFlag)
{
    Refresh();
    Key(dialog.amount, VK_UP);
    EXPECT_EQ(inputs.journal, Journal({"begin 3", "set 3", "end 3"})); // a key is a whole gesture
    EXPECT_EQ(inputs.values[3], 71.0f);
    EXPECT_EQ(dialog.GetChanged(), 1);

    inputs.journal.clear();
    RECT thumb{};
    SendMessageA(dialog.level.GetHwnd(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    Mouse(dialog.level, WM_LBUTTONDOWN, x, y);
    Mouse(dialog.level, WM_MOUSEMOVE, x, y - 8);
    Mouse(dialog.level, WM_MOUSEMOVE, x, y - 16);
    Mouse(dialog.level, WM_LBUTTONUP, x, y - 16);
    EXPECT_EQ(inputs.journal, Journal({"begin 1", "set 1", "set 1", "end 1"}));
    EXPECT_GT(inputs.values[1], 0.0f);
    EXPECT_EQ(inputs.values[1], dialog.level.GetValue());
}

TEST_F(PluginDialogTest, AContextOfOtherSizeLeavesEveryControlUnboundUntilBoundAgain)
{
    CRecordingParameterSet small{{
        CParameterInfo("Bypass", CParameterInfo::kInteger, 0.0f, 1.0f, 0.0f, "", nullptr),
        CParameterInfo("Level", CParameterInfo::kContinuous, -20.0f, 20.0f, 10.0f, "dB", nullptr),
    }};
    Refresh();
    dialog.AttachContext(CEditorContext(&small, nullptr, &presetView));
    EXPECT_EQ(dialog.FindControl(1001), nullptr);
    Key(dialog.amount, VK_UP);
    Key(dialog.level, VK_UP); // its index is in the new set, but it is not bound there
    Refresh();
    EXPECT_EQ(Position(dialog.level), 19);
    EXPECT_TRUE(small.journal.empty());
    EXPECT_TRUE(inputs.journal.empty());

    dialog.BindControls(); // only what fits the new table is bound
    EXPECT_EQ(dialog.FindControl(1001), &dialog.level);
    EXPECT_EQ(dialog.FindControl(1003), nullptr);
    Refresh();
    EXPECT_EQ(Position(dialog.level), 10);
    Key(dialog.amount, VK_UP);
    EXPECT_TRUE(small.journal.empty());
}

TEST_F(PluginDialogTest, SetupSliderTakesUnitAndRangeAndGivesIntegerParametersOnePositionPerUnit)
{
    EXPECT_EQ(dialog.level.GetUnit(), "dB");
    EXPECT_EQ(dialog.level.GetMin(), -20.0f);
    EXPECT_EQ(dialog.level.GetMax(), 20.0f);
    EXPECT_EQ(dialog.level.GetFormat(), "%.0f"); // continuous: the dialog chooses
    EXPECT_EQ(dialog.mode.GetMaxPosition(), 2);
    EXPECT_EQ(SendMessageA(dialog.mode.GetHwnd(), TBM_GETNUMTICS, 0, 0), 3);
    EXPECT_EQ(dialog.mode.GetUnit(), "");

    CRecordingParameterSet signedSteps{{
        CParameterInfo("Bypass", CParameterInfo::kInteger, 0.0f, 1.0f, 0.0f, "", nullptr),
        CParameterInfo("Level", CParameterInfo::kContinuous, -20.0f, 20.0f, 0.0f, "dB", nullptr),
        CParameterInfo("Transpose", CParameterInfo::kInteger, -12.0f, 12.0f, 0.0f, "st", nullptr),
    }};
    dialog.AttachContext(CEditorContext(&signedSteps, nullptr, nullptr));
    dialog.SetupSlider(dialog.mode);
    EXPECT_EQ(dialog.mode.GetMaxPosition(), 24);
    EXPECT_EQ(dialog.mode.GetFormat(), "%+.0f");
    dialog.SetupSlider(dialog.amount); // beyond the set: left as it was
    EXPECT_EQ(dialog.amount.GetUnit(), "%");
    EXPECT_EQ(dialog.amount.GetMaxPosition(), 100);
}

TEST_F(PluginDialogTest, AValuesPresetSetsEveryBoundParameterThroughItsControlButNeverTheFirst)
{
    dialog.presets.Choose(1);
    EXPECT_EQ(inputs.journal, Journal({"set 1", "set 2", "set 3"}));
    EXPECT_EQ(inputs.values, std::vector<float>({0.0f, 5.0f, 2.0f, 40.0f}));
    EXPECT_EQ(dialog.GetChanged(), 1);

    inputs.journal.clear();
    dialog.presets.Choose(2); // values beyond the ranges arrive limited by the sliders
    EXPECT_EQ(inputs.journal, Journal({"set 1", "set 2", "set 3"}));
    EXPECT_EQ(inputs.values, std::vector<float>({0.0f, 20.0f, 2.0f, 0.0f}));
}

TEST_F(PluginDialogTest, TheRandomPresetDrawsOnlyTheMarkedParametersOntoSliderPositions)
{
    for (int draw = 0; draw < 20; ++draw)
    {
        inputs.journal.clear();
        dialog.presets.Choose(3);
        ASSERT_EQ(inputs.journal, Journal({"set 2", "set 3"}));
        EXPECT_EQ(inputs.values[0], 0.0f);
        EXPECT_EQ(inputs.values[1], 0.0f);
        const float mode = inputs.values[2];
        EXPECT_TRUE(mode == 0.0f || mode == 1.0f || mode == 2.0f) << mode;
        const int position = Position(dialog.amount);
        EXPECT_EQ(inputs.values[3], dialog.amount.GetValue());
        EXPECT_NEAR(inputs.values[3], 100.0f - position, 1e-4f);
        Refresh(); // a drawn value maps back onto its own position
        EXPECT_EQ(Position(dialog.amount), position);
        Sleep(1); // another seed
    }
}

TEST_F(PluginDialogTest, AHeadingOrAnIndexBeyondTheListChangesNothingButTheChangedFlag)
{
    dialog.presets.Choose(0);
    EXPECT_TRUE(inputs.journal.empty());
    EXPECT_EQ(dialog.GetChanged(), 1);
    dialog.presets.Choose(4);
    dialog.ApplyPreset(-1);
    presetView.SetList(nullptr);
    dialog.presets.Choose(1);
    EXPECT_TRUE(inputs.journal.empty());
}

TEST_F(PluginDialogTest, TooltipTextIsTheBoundControlsValueWithUnitAndEmptyForAnythingElse)
{
    Refresh();
    auto ask = [&](HWND tool, UINT flags, NMTTDISPINFOA& info) {
        info = NMTTDISPINFOA{};
        info.hdr.code = TTN_NEEDTEXTA;
        info.hdr.idFrom = reinterpret_cast<UINT_PTR>(tool);
        info.uFlags = flags;
        lstrcpyA(info.szText, "stale");
        return SendMessageA(dialog.GetHwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    };
    NMTTDISPINFOA info;
    EXPECT_EQ(ask(dialog.amount.GetHwnd(), TTF_IDISHWND, info), 1);
    EXPECT_STREQ(info.szText, "70 %");
    EXPECT_EQ(ask(GetDlgItem(dialog.GetHwnd(), IDC_LABEL), TTF_IDISHWND, info), 1);
    EXPECT_STREQ(info.szText, "");
    EXPECT_EQ(ask(dialog.amount.GetHwnd(), 0, info), 0);
    EXPECT_STREQ(info.szText, "stale");
    EXPECT_EQ(SendMessageA(dialog.GetHwnd(), WM_NOTIFY, 0, 0), 0);

    dialog.amount.SetUnit(std::string(100, 'u'));
    EXPECT_EQ(ask(dialog.amount.GetHwnd(), TTF_IDISHWND, info), 1);
    EXPECT_EQ(std::string(info.szText), "70 " + std::string(76, 'u')); // 79 characters and the end
}

TEST_F(PluginDialogTest, TheAboutAreaOpensOnAClickAndShowsTheHandCursor)
{
    const HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    SendMessageA(dialog.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCursor(), hand);
    SendMessageA(dialog.GetHwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 5));
    EXPECT_EQ(GetCursor(), arrow);
    SendMessageA(dialog.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(dialog.GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    SendMessageA(dialog.GetHwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 5));
    SendMessageA(dialog.GetHwnd(), WM_LBUTTONUP, 0, MAKELPARAM(50, 5));
    EXPECT_EQ(dialog.aboutShown, 1);
}

TEST_F(PluginDialogTest, RaisingTheChangedFlagTellsTheContextsNotifyTarget)
{
    CCountingNotify notify;
    dialog.AttachContext(CEditorContext(&inputs, &outputs, &presetView, &notify));
    dialog.BindControls();
    Key(dialog.amount, VK_DOWN);
    EXPECT_EQ(notify.calls, 1);
    dialog.SetChanged(0);
    EXPECT_EQ(dialog.GetChanged(), 0);
    EXPECT_EQ(notify.calls, 1);
}

TEST(PluginDialog, WithoutAContextNothingIsBoundOrWritten)
{
    testing_support::CHostWindow host(300, 200);
    CTestPluginDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_PLUGIN, host.Get()));
    dialog.BindControls();
    EXPECT_EQ(dialog.FindControl(1001), nullptr);
    SendMessageA(dialog.GetHwnd(), WM_TIMER, 0, 0);
    SendMessageA(dialog.level.GetHwnd(), WM_KEYDOWN, VK_UP, 0);
    dialog.ApplyPreset(0);
    dialog.SetupSlider(dialog.level);
    EXPECT_EQ(dialog.level.GetMin(), 0.0f);
    EXPECT_EQ(dialog.GetChanged(), 0);
}
