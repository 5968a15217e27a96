#include "ControlTestIds.h"
#include "PixelCapture.h"
#include "SliderTestDialog.h"
#include "TestWindows.h"
#include <gtest/gtest.h>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

using Journal = std::vector<std::string>;

class CRecorder : public CParameterControlListener
{
public:
    Journal journal;
    std::vector<float> values;
    std::function<void(CParameterControl*)> onChange;

    void OnBeginEdit(CParameterControl*) override { journal.push_back("begin"); }
    void OnValueChanged(CParameterControl* control) override
    {
        journal.push_back("changed");
        values.push_back(control->GetValue());
        if (onChange)
            onChange(control);
    }
    void OnEndEdit(CParameterControl*) override { journal.push_back("end"); }
};

const COLORREF kPanel = 0x000080;
const COLORREF kTick = 0x00000B;
const COLORREF kActiveTick = 0x00CFFF;

struct ParameterSliderTest : ::testing::Test
{
    testing_support::CHostWindow host{400, 300};
    CRecorder recorder;
    CSliderTestDialog dialog{&recorder};
    CParameterSlider& slider = dialog.vertical;

    void SetUp() override
    {
        ASSERT_TRUE(dialog.Create(IDD_SLIDERS, host.Get()));
        slider.SetValueRange(0.0f, 100.0f);
        slider.SetSteps(10, 100);
        slider.SetReversed(true);
        slider.SetUnit("%");
        ApplyChorusSkin(slider);
    }

    HWND Hwnd() { return slider.GetHwnd(); }
    RECT Thumb()
    {
        RECT thumb{};
        SendMessageA(Hwnd(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        return thumb;
    }
    RECT Channel()
    {
        RECT channel{};
        SendMessageA(Hwnd(), TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        if (channel.right - channel.left > channel.bottom - channel.top) // Windows lays it on its side
        {
            std::swap(channel.left, channel.top);
            std::swap(channel.right, channel.bottom);
        }
        return channel;
    }
    int Position() { return static_cast<int>(SendMessageA(Hwnd(), TBM_GETPOS, 0, 0)); }
    HWND Tooltip() { return reinterpret_cast<HWND>(SendMessageA(Hwnd(), TBM_GETTOOLTIPS, 0, 0)); }
    void Mouse(UINT message, int x, int y)
    {
        SendMessageA(Hwnd(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    testing_support::SImage Picture()
    {
        testing_support::RedrawNow(dialog.GetHwnd());
        return testing_support::CaptureClient(Hwnd());
    }
    std::string TooltipText()
    {
        char text[80] = {};
        TOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.lpszText = text;
        SendMessageA(Tooltip(), TTM_ENUMTOOLSA, 0, reinterpret_cast<LPARAM>(&tool));
        tool.lpszText = text;
        SendMessageA(Tooltip(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
        return text;
    }
};

} // namespace

TEST(ParameterSlider, WithoutItsWindowTheValueIsTheMiddleOfTheRange)
{
    CParameterSlider slider(nullptr, 0, 0);
    EXPECT_EQ(slider.GetValue(), 50.0f);
    EXPECT_EQ(slider.GetMaxPosition(), 0);
    EXPECT_EQ(slider.GetMin(), 0.0f);
    EXPECT_EQ(slider.GetMax(), 100.0f);
    slider.SetValue(10.0f); // nothing to move, nothing breaks
}

TEST_F(ParameterSliderTest, ReversedValue25MapsToPosition75AndBack)
{
    slider.SetValue(25.0f);
    EXPECT_EQ(Position(), 75);
    EXPECT_EQ(slider.GetValue(), 25.0f);
    EXPECT_EQ(slider.GetText(), "25 %");
    slider.SetReversed(false);
    EXPECT_EQ(slider.GetValue(), 75.0f);
    slider.SetValue(12.5f);
    EXPECT_EQ(Position(), 12);
    slider.SetValue(12.51f);
    EXPECT_EQ(Position(), 13);
    slider.SetValue(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(Position(), 13);
    EXPECT_TRUE(recorder.journal.empty()); // values set by the program are not user changes
}

TEST_F(ParameterSliderTest, SquareLawRateSliderReadsAbout3Point025AtItsMiddlePosition)
{
    slider.SetTapers(SquareLawValueTaper, SquareLawPositionTaper);
    slider.SetValueRange(0.1f, 10.0f);
    slider.SetSteps(10, 200);
    slider.SetReversed(false);
    slider.SetPosition(100);
    EXPECT_EQ(slider.GetMaxPosition(), 200);
    EXPECT_NEAR(slider.GetValue(), 3.025f, 0.001f);
    EXPECT_EQ(slider.GetMin(), 0.1f);
    EXPECT_EQ(slider.GetMax(), 10.0f);
}

TEST_F(ParameterSliderTest, StepsSetThePositionsAndOneTickEveryPositionsOverTicks)
{
    auto ticks = [&] { return SendMessageA(Hwnd(), TBM_GETNUMTICS, 0, 0); };
    slider.SetSteps(15, 40); // a tick every 2 positions
    EXPECT_EQ(slider.GetMaxPosition(), 40);
    EXPECT_EQ(ticks(), 21);
    slider.SetSteps(10, 100);
    EXPECT_EQ(ticks(), 11);
    slider.SetSteps(500, 100); // no more tick intervals than positions
    EXPECT_EQ(ticks(), 101);
    slider.SetSteps(0, 100); // the two ends only
    EXPECT_EQ(ticks(), 2);
}

TEST_F(ParameterSliderTest, AMouseDragSendsBeginOneChangePerMovementAndEnd)
{
    slider.SetValue(50.0f);
    const RECT thumb = Thumb();
    const int x = (thumb.left + thumb.right) / 2;
    const int y = (thumb.top + thumb.bottom) / 2;
    Mouse(WM_LBUTTONDOWN, x, y);
    Mouse(WM_MOUSEMOVE, x, y - 10);
    Mouse(WM_MOUSEMOVE, x, y - 20);
    Mouse(WM_MOUSEMOVE, x, y - 30);
    Mouse(WM_LBUTTONUP, x, y - 30);

    EXPECT_EQ(recorder.journal, Journal({"begin", "changed", "changed", "changed", "end"}));
    ASSERT_EQ(recorder.values.size(), 3u);
    EXPECT_GT(recorder.values[0], 50.0f); // upward is toward the maximum when reversed
    EXPECT_GT(recorder.values[1], recorder.values[0]);
    EXPECT_GT(recorder.values[2], recorder.values[1]);
    EXPECT_EQ(recorder.values[2], slider.GetValue());
}

TEST_F(ParameterSliderTest, AKeyMovesTheSliderOneStepAsOneWholeGesture)
{
    slider.SetValue(50.0f);
    SendMessageA(Hwnd(), WM_KEYDOWN, VK_UP, 0);
    SendMessageA(Hwnd(), WM_KEYUP, VK_UP, 0);
    EXPECT_EQ(recorder.journal, Journal({"begin", "changed", "end"}));
    EXPECT_EQ(recorder.values, std::vector<float>({51.0f}));
}

TEST_F(ParameterSliderTest, AHorizontalSliderReportsItsMovementsToo)
{
    CParameterSlider& horizontal = dialog.horizontal;
    horizontal.SetSteps(10, 100);
    SendMessageA(horizontal.GetHwnd(), WM_KEYDOWN, VK_RIGHT, 0);
    SendMessageA(horizontal.GetHwnd(), WM_KEYUP, VK_RIGHT, 0);
    EXPECT_EQ(recorder.journal, Journal({"begin", "changed", "end"}));
    EXPECT_EQ(horizontal.GetValue(), 1.0f);
}

TEST_F(ParameterSliderTest, PressingTheThumbShowsItsTooltipWithValueAndUnit)
{
    slider.SetValue(25.0f);
    ASSERT_NE(Tooltip(), nullptr);
    const RECT thumb = Thumb();
    Mouse(WM_LBUTTONDOWN, thumb.right, thumb.bottom); // the border counts as the thumb
    EXPECT_TRUE(IsWindowVisible(Tooltip()));
    EXPECT_EQ(TooltipText(), "25 %");
    Mouse(WM_LBUTTONUP, thumb.right, thumb.bottom);

    const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    Mouse(WM_LBUTTONDOWN, x, y);
    Mouse(WM_MOUSEMOVE, x, y - 12);
    testing_support::PumpMessages();
    EXPECT_TRUE(IsWindowVisible(Tooltip()));
    EXPECT_NE(slider.GetText(), "25 %");
    EXPECT_EQ(TooltipText(), slider.GetText());
    Mouse(WM_LBUTTONUP, x, y - 12);
}

TEST_F(ParameterSliderTest, AClickBesideTheThumbRaisesNoTooltipButStillBeginsAndEnds)
{
    slider.SetValue(50.0f);
    const RECT thumb = Thumb();
    const RECT channel = Channel();
    Mouse(WM_LBUTTONDOWN, (channel.left + channel.right) / 2, thumb.bottom + 15);
    EXPECT_FALSE(IsWindowVisible(Tooltip()));
    Mouse(WM_LBUTTONUP, (channel.left + channel.right) / 2, thumb.bottom + 15);
    ASSERT_GE(recorder.journal.size(), 2u);
    EXPECT_EQ(recorder.journal.front(), "begin");
    EXPECT_EQ(recorder.journal.back(), "end");
    EXPECT_LT(slider.GetValue(), 50.0f); // paged toward the click
}

TEST_F(ParameterSliderTest, EveryBeginGetsOneEndEvenWhenTheCaptureIsTaken)
{
    const RECT thumb = Thumb();
    Mouse(WM_LBUTTONDOWN, thumb.left + 2, thumb.top + 2);
    ReleaseCapture(); // another window takes the mouse before the button is released
    Mouse(WM_LBUTTONUP, thumb.left + 2, thumb.top + 2);
    Mouse(WM_LBUTTONUP, thumb.left + 2, thumb.top + 2); // a stray release ends nothing
    EXPECT_EQ(recorder.journal, Journal({"begin", "end"}));
}

TEST_F(ParameterSliderTest, AListenerThatMovesTheSliderGetsNoNestedNotification)
{
    recorder.onChange = [](CParameterControl* control) {
        control->SetValue(10.0f);
        control->SetPosition(3);
    };
    SendMessageA(Hwnd(), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(recorder.journal, Journal({"begin", "changed", "end"}));
    EXPECT_EQ(Position(), 3);
}

TEST_F(ParameterSliderTest, PaintsFrameBackgroundChannelAndThumbInItsColours)
{
    slider.SetValue(25.0f);
    // With the focus, the focus mark's brackets take the corners.
    SetFocus(Hwnd());
    const auto focused = Picture();
    EXPECT_EQ(focused.Pixel(0, 0), 0x00CFFFu);
    EXPECT_EQ(focused.Pixel(focused.width - 1, focused.height - 1), 0x00CFFFu);
    SetFocus(nullptr);
    const auto picture = Picture();
    const RECT thumb = Thumb();
    const RECT channel = Channel();
    EXPECT_EQ(picture.Pixel(0, 0), kPanel);
    EXPECT_EQ(picture.Pixel(picture.width - 1, picture.height - 1), kPanel);
    // Thumb: highlight 0xDD on top, shadow 0x11 at the bottom, interior from 0xDD down to 0x11.
    EXPECT_EQ(picture.Pixel(thumb.left + 3, thumb.top), RGB(0xDD, 0, 0));
    EXPECT_EQ(picture.Pixel(thumb.left + 3, thumb.bottom - 1), RGB(0x11, 0, 0));
    EXPECT_EQ(picture.Pixel(thumb.left + 3, thumb.top + 1), RGB(0xDD, 0, 0));
    EXPECT_LT(GetRValue(picture.Pixel(thumb.left + 3, thumb.bottom - 2)), 0x40);
    // Channel above the thumb: highlight 0x11 on the left, shadow 0xDD on the right.
    EXPECT_EQ(picture.Pixel(channel.left, channel.top + 5), RGB(0x11, 0, 0));
    EXPECT_EQ(picture.Pixel(channel.right - 1, channel.top + 5), RGB(0xDD, 0, 0));
}

TEST_F(ParameterSliderTest, TicksBetweenTheMinimumEndAndTheThumbShowTheActiveColour)
{
    slider.SetValue(25.0f); // reversed: the minimum is at the bottom, the thumb a quarter up
    const auto picture = Picture();
    const RECT thumb = Thumb();
    const RECT channel = Channel();
    const int gap = ((thumb.right - thumb.left) - (channel.right - channel.left)) / 2 + 2;
    const int leftTick = channel.left - gap - 1;  // one pixel into the left tick
    const int rightTick = channel.right + gap + 1;

    std::vector<int> activeRows, normalRows;
    for (int y = 0; y < picture.height; ++y)
    {
        const COLORREF left = picture.Pixel(leftTick, y);
        EXPECT_EQ(picture.Pixel(rightTick, y), left) << "row " << y; // both sides alike
        if (left == kActiveTick)
            activeRows.push_back(y);
        else if (left == kTick)
            normalRows.push_back(y);
        else
            EXPECT_EQ(left, kPanel) << "row " << y;
    }
    ASSERT_EQ(activeRows.size() + normalRows.size(), 11u);
    const int centre = (thumb.top + thumb.bottom) / 2;
    for (int y : activeRows)
        EXPECT_GE(y, centre);
    for (int y : normalRows)
        EXPECT_LT(y, centre);
    EXPECT_EQ(activeRows.size(), 3u); // positions 100, 90 and 80 lie below the thumb at 75
    // Each tick is tick-length long and starts clear of the thumb.
    const int row = activeRows.front();
    EXPECT_EQ(picture.Pixel(channel.left - gap, row), kActiveTick);
    EXPECT_EQ(picture.Pixel(channel.left - gap - 5, row), kActiveTick);
    EXPECT_EQ(picture.Pixel(channel.left - gap - 6, row), kPanel);
    EXPECT_EQ(picture.Pixel(channel.left - gap + 1, row), kPanel);
}

TEST_F(ParameterSliderTest, WhenTicksWouldBeCloserThanAPixelEveryFreePixelGetsOne)
{
    slider.SetSteps(500, 500);
    const auto picture = Picture();
    const RECT thumb = Thumb();
    const RECT channel = Channel();
    const int gap = ((thumb.right - thumb.left) - (channel.right - channel.left)) / 2 + 2;
    int ticks = 0;
    for (int y = 0; y < picture.height; ++y)
        if (picture.Pixel(channel.left - gap - 1, y) != kPanel)
            ++ticks;
    EXPECT_EQ(ticks, (channel.bottom - channel.top) - (thumb.bottom - thumb.top));
}

TEST_F(ParameterSliderTest, HiddenThumbLeavesTheChannelVisibleAndTheFillShowsTheBands)
{
    slider.SetValue(50.0f);
    slider.SetHideThumb(true);
    slider.SetHideFill(false);
    slider.SetBandMode(1);
    slider.SetBandA(0.0f, 100.0f); // the whole channel
    slider.SetBandB(50.0f, 50.0f); // nothing
    slider.SetFillColours(RGB(0, 255, 0), RGB(255, 0, 0));
    slider.RebuildChannel();
    const auto picture = Picture();
    const RECT channel = Channel();
    const int middle = (channel.top + channel.bottom) / 2;
    // Band A fills the left half of the channel's interior with the fill gradient; band B is empty.
    const COLORREF filled = picture.Pixel(channel.left + 1, middle);
    EXPECT_GT(GetRValue(filled), 0x40);
    EXPECT_GT(GetGValue(filled), 0x40);
    EXPECT_EQ(GetGValue(picture.Pixel(channel.right - 2, middle)), 0);
    // Reversed: the end colour (red) at the top, the start colour (green) at the bottom.
    EXPECT_GT(GetRValue(picture.Pixel(channel.left + 1, channel.top + 2)), 0xE0);
    EXPECT_GT(GetGValue(picture.Pixel(channel.left + 1, channel.bottom - 3)), 0xE0);
}

TEST_F(ParameterSliderTest, LinkedBandsFollowTheValueFromTheMiddleOfTheirStarts)
{
    slider.SetBandMode(2);
    slider.SetBandA(20.0f, 20.0f);
    slider.SetBandB(40.0f, 40.0f);
    slider.SetValue(70.0f);
    EXPECT_EQ(slider.GetValue(), 70.0f);
    EXPECT_EQ(Position(), 30);
    // The active ticks now run from the reference (30) to the value (70).
    const auto picture = Picture();
    const RECT thumb = Thumb();
    const RECT channel = Channel();
    const int gap = ((thumb.right - thumb.left) - (channel.right - channel.left)) / 2 + 2;
    int active = 0;
    for (int y = 0; y < picture.height; ++y)
        if (picture.Pixel(channel.left - gap - 1, y) == kActiveTick)
            ++active;
    EXPECT_EQ(active, 5); // values 30, 40, 50, 60 and 70
}

TEST_F(ParameterSliderTest, TransparentSliderShowsTheParentsPixelsInsteadOfItsFrame)
{
    const auto opaque = Picture();
    EXPECT_EQ(opaque.Pixel(1, 1), kPanel);
    slider.SetTransparent(true);
    const auto transparent = Picture();
    const RECT area = slider.GetWindowRectIn(dialog.GetHwnd());
    HDC dc = GetDC(dialog.GetHwnd());
    const COLORREF parent = GetPixel(dc, area.left - 1, area.top - 1);
    ReleaseDC(dialog.GetHwnd(), dc);
    EXPECT_EQ(transparent.Pixel(1, 1), parent);
    EXPECT_NE(transparent.Pixel(1, 1), kPanel);

    // Moving the thumb leaves no trace of it behind.
    const RECT before = Thumb();
    slider.SetValue(10.0f);
    testing_support::PumpMessages();
    const auto moved = testing_support::CaptureClient(Hwnd());
    EXPECT_EQ(moved.Pixel(before.left + 3, (before.top + before.bottom) / 2), parent);
}

TEST_F(ParameterSliderTest, ATransparentSliderDraggedByMouseKeepsItsThumbAndLeavesNoTrace)
{
    slider.SetTransparent(true);
    Picture();
    HDC dc = GetDC(dialog.GetHwnd());
    const RECT area = slider.GetWindowRectIn(dialog.GetHwnd());
    const COLORREF parent = GetPixel(dc, area.left - 1, area.top - 1);
    ReleaseDC(dialog.GetHwnd(), dc);

    const RECT before = Thumb();
    const int x = (before.left + before.right) / 2, y = (before.top + before.bottom) / 2;
    Mouse(WM_LBUTTONDOWN, x, y);
    Mouse(WM_MOUSEMOVE, x, y + 40); // the trackbar repaints itself at once, before its parent
    Mouse(WM_LBUTTONUP, x, y + 40);
    testing_support::PumpMessages();
    const RECT after = Thumb();
    ASSERT_GT(after.top, before.bottom);
    const auto picture = testing_support::CaptureClient(Hwnd());
    EXPECT_EQ(picture.Pixel(after.left + 3, after.top), RGB(0xDD, 0, 0));
    EXPECT_EQ(picture.Pixel(before.left + 3, y), parent);
}
