#include "EditorInputScript.h"
#include "SliderMotion.h"
#include "SliderScale.h"
#include "StereoChorusLayout.h"
#include "TrackbarGeometry.h"
#include "resource.h"
#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <thread>

namespace layout = stereo_chorus_layout;

namespace {

// X key symbols (keysymdef.h).
constexpr std::uint32_t kTab = 0xFF09, kSpace = 0x20, kLeft = 0xFF51, kUp = 0xFF52, kRight = 0xFF53,
                        kDown = 0xFF54, kPageUp = 0xFF55, kPageDown = 0xFF56, kHome = 0xFF50, kEnd = 0xFF57,
                        kShift = 0xFFE1, kControl = 0xFFE3;
constexpr std::uint32_t kHighlight = 0xFFCF00; // the skin's orange-yellow as the screen shows it

struct SRange
{
    float minimum, maximum;
};
const SRange kRanges[9] = {{0, 1}, {-20, 20}, {0, 100}, {0, 100}, {0, 30}, {0, 100}, {0, 20}, {0, 100}, {0, 2}};

const SSliderSetup& SetupOf(int id)
{
    for (const SSliderSetup& setup : layout::kSliders)
        if (setup.id == id)
            return setup;
    return layout::kSliders[0];
}

SPixelRect RectOf(int id)
{
    return layout::ControlRect(*layout::FindControl(id));
}

// The normalised value of a fader standing at `position` (between positions after fine moves).
double NormalisedAt(int id, double position)
{
    const SSliderSetup& setup = SetupOf(id);
    const SRange range = kRanges[setup.parameterIndex];
    SSliderScale scale{range.minimum, range.maximum, true};
    if (setup.squareLaw)
        scale.valueTaper = SquareLawValueTaper, scale.positionTaper = SquareLawPositionTaper;
    return (scale.ToValueAt(position, setup.positions) - range.minimum) / (range.maximum - range.minimum);
}

double ExactDefaultPosition(int id, float value)
{
    const SSliderSetup& setup = SetupOf(id);
    const SRange range = kRanges[setup.parameterIndex];
    return SSliderScale{range.minimum, range.maximum, true}.ToExactPosition(value, setup.positions);
}

class CScript
{
public:
    CScript(CXvfbDisplay& display, int x, int y, const SGestureSource& host)
        : m_display(display), m_x(x), m_y(y), m_host(host) {}

    // The pointer at a point of a control (its own pixels).
    void PointAt(int id, int x, int y) { m_display.MoveTo(m_x + RectOf(id).left + x, m_y + RectOf(id).top + y); }
    void PointAtThumb(int id, int position)
    {
        const SPixelRect rect = RectOf(id);
        const SPixelRect thumb = STrackbarGeometry{rect.Width(), rect.Height()}.Thumb(position, SetupOf(id).positions);
        PointAt(id, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    }
    void Key(std::uint32_t symbol, bool shift = false) { m_display.Key(symbol, shift); }

    // The step must reach the host as exactly begin, change `expected` of `index`, end (or the
    // change alone, unframed).
    void ExpectOneGesture(const char* what, int index, double expected)
    {
        SCOPED_TRACE(what);
        ASSERT_TRUE(WaitUntil([&] { return Count(Last()) >= 1; })) << "no gesture";
        std::this_thread::sleep_for(std::chrono::milliseconds(30)); // nothing more follows
        const std::vector<SHostGesture> got = m_host.received();
        const size_t change = m_host.framed ? 1 : 0;
        ASSERT_EQ(got.size(), m_host.framed ? 3u : 1u);
        if (m_host.framed)
        {
            EXPECT_EQ(got[0].kind, SHostGesture::Begin);
            EXPECT_EQ(got[2].kind, SHostGesture::End);
        }
        EXPECT_EQ(got[change].kind, SHostGesture::Change);
        for (const SHostGesture& gesture : got)
            EXPECT_EQ(gesture.index, index);
        EXPECT_NEAR(got[change].value, expected, 2e-6);
        m_host.clear();
    }
    // The step changes no parameter: nothing reaches the host.
    void ExpectNothing(const char* what)
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(150));
        EXPECT_TRUE(m_host.received().empty()) << what;
        m_host.clear();
    }
    // A drag: one begin, its changes, one end (the changes alone, unframed); the last change
    // `expected`.
    void ExpectOneDrag(const char* what, int index, double expected)
    {
        SCOPED_TRACE(what);
        ASSERT_TRUE(WaitUntil([&] { return Count(Last()) >= 1; }));
        std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the drag's last changes
        const std::vector<SHostGesture> got = m_host.received();
        ASSERT_GE(got.size(), m_host.framed ? 3u : 1u);
        if (m_host.framed)
        {
            EXPECT_EQ(got.front().kind, SHostGesture::Begin);
            EXPECT_EQ(got.back().kind, SHostGesture::End);
            EXPECT_EQ(Count(SHostGesture::Begin), 1);
        }
        EXPECT_NEAR(got[got.size() - (m_host.framed ? 2 : 1)].value, expected, 2e-6);
        for (const SHostGesture& gesture : got)
            EXPECT_EQ(gesture.index, index);
        m_host.clear();
    }
    // What ends a gesture as the host hears it.
    SHostGesture::EKind Last() const { return m_host.framed ? SHostGesture::End : SHostGesture::Change; }
    int Count(SHostGesture::EKind kind)
    {
        int count = 0;
        for (const SHostGesture& gesture : m_host.received())
            count += gesture.kind == kind;
        return count;
    }
    bool FocusMarkOn(int id)
    {
        return WaitUntil([&] {
            return ShowsFocusMark(m_display.Grab(m_x, m_y, layout::DialogWidth(), layout::DialogHeight()), id);
        });
    }

    CXvfbDisplay& m_display;
    int m_x, m_y;
    SGestureSource m_host;
};

} // namespace

double NormalisedValue(int index, double value)
{
    const SRange range = kRanges[index >= 0 && index < 9 ? index : 0];
    return (value - range.minimum) / (range.maximum - range.minimum);
}

bool ShowsFocusMark(const std::vector<std::uint32_t>& picture, int id)
{
    const SPixelRect rect = RectOf(id);
    const auto at = [&](int x, int y) { return picture[static_cast<size_t>(y) * layout::DialogWidth() + x]; };
    return picture.size() == static_cast<size_t>(layout::DialogWidth()) * layout::DialogHeight() &&
           at(rect.left, rect.top) == kHighlight && at(rect.right - 1, rect.bottom - 1) == kHighlight &&
           at(rect.left + 1, rect.top) == kHighlight;
}

void RunEditorInputScript(CXvfbDisplay& display, int x, int y, const SGestureSource& host, const char* picture)
{
    CScript s(display, x, y, host);
    host.clear();
    // A click on the plain panel gives the editor the keyboard and changes nothing.
    display.Click(x + layout::DialogWidth() - 10, y + layout::DialogHeight() / 2);
    ASSERT_TRUE(WaitUntil([&] {
        int focusX = -1, focusY = -1;
        const std::uint32_t focus = display.InputFocus();
        if (focus > 1)
            display.Origin(focus, focusX, focusY);
        return focusX == x && focusY == y;
    })) << "the click gives the editor's window the keyboard";
    s.Key(kTab);
    s.ExpectNothing("Tab");
    EXPECT_TRUE(s.FocusMarkOn(IDC_GAIN_SLIDER)) << "Tab reaches Gain first and marks it";

    // Gain: 40 positions, 0 dB at 20, the maximum at the top.
    const int gain = IDC_GAIN_SLIDER, gainIndex = 1;
    const struct
    {
        const char* what;
        std::uint32_t symbol;
        bool shift;
        double position; // where the fader stands afterwards
    } keys[] = {
        {"Up", kUp, false, 19},         {"Shift+Up", kUp, true, 18.9},     {"Down", kDown, false, 19.9},
        {"Page Up", kPageUp, false, 15.9}, {"Page Down", kPageDown, false, 19.9}, {"End", kEnd, false, 0},
        {"Home", kHome, false, 40},     {"Right", kRight, false, 39},      {"Left", kLeft, false, 40},
    };
    for (const auto& key : keys)
    {
        s.Key(key.symbol, key.shift);
        s.ExpectOneGesture(key.what, gainIndex, NormalisedAt(gain, key.position));
    }
    s.Key(kLeft);
    s.ExpectNothing("Left at the minimum");

    s.Key(kTab, true);
    EXPECT_TRUE(s.FocusMarkOn(IDC_WET_SLIDER)) << "Shift+Tab from the first goes round to the last";
    s.Key(kUp);
    s.ExpectOneGesture("Up on Wet", 3, NormalisedAt(IDC_WET_SLIDER, 29));
    for (int i = 0; i < 6; ++i) // Gain, Delay, Depth, Rate, Stereo, the waveform
        s.Key(kTab);
    EXPECT_TRUE(s.FocusMarkOn(IDC_WAVEFORM_BUTTON));
    s.Key(kSpace);
    s.ExpectOneGesture("Space on the waveform", 8, 0.5);
    s.Key(kTab);
    s.Key(kSpace);
    EXPECT_TRUE(WaitUntil([&] { return display.PopupNames().size() == 1; })) << "Space slides the list out";
    s.Key(kSpace);
    EXPECT_TRUE(WaitUntil([&] { return display.PopupNames().empty(); })) << "and back in";
    s.ExpectNothing("the presets switch");
    s.Key(kTab);
    s.Key(kSpace);
    s.ExpectOneGesture("Space on Bypass", 0, 1.0);
    EXPECT_TRUE(s.FocusMarkOn(IDC_BYPASS_BUTTON));
    if (picture)
        display.SavePng(picture, x, y, layout::DialogWidth(), layout::DialogHeight());

    // The wheel works the fader under the pointer, focused or not: Depth, 70 % at position 30.
    const int depth = IDC_DEPTH_SLIDER, depthIndex = 5;
    s.PointAt(depth, 5, 5);
    display.Wheel(true);
    s.ExpectOneGesture("wheel", depthIndex, NormalisedAt(depth, 29));
    s.m_display.HoldKey(kShift, true);
    display.Wheel(false);
    s.m_display.HoldKey(kShift, false);
    s.ExpectOneGesture("Shift+wheel", depthIndex, NormalisedAt(depth, 29.1));

    // A double click on the thumb: the first click is an empty gesture, the second the reset.
    s.PointAtThumb(depth, 29);
    display.Press();
    display.Release();
    display.Press();
    display.Release();
    if (host.framed)
        ASSERT_TRUE(WaitUntil([&] { return s.Count(SHostGesture::End) >= 2; })) << "double click";
    else
        ASSERT_TRUE(WaitUntil([&] { return s.Count(SHostGesture::Change) >= 1; })) << "double click";
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    std::vector<SHostGesture> got = host.received();
    ASSERT_EQ(got.size(), host.framed ? 5u : 1u);
    const SHostGesture& reset = got[host.framed ? 3 : 0];
    EXPECT_EQ(reset.kind, SHostGesture::Change);
    EXPECT_NEAR(reset.value, 0.7, 2e-6) << "the double click resets Depth to 70 %";
    host.clear();

    // A Ctrl click anywhere on the fader puts Delay to exactly its 20 ms, between positions 33 and
    // 34 (where it showed 20.1); the click gives it the focus, and Up moves it a step from there.
    const int delay = IDC_DELAY_SLIDER;
    const double delayDefault = ExactDefaultPosition(delay, 20.0f);
    s.PointAt(delay, 5, 5);
    display.HoldKey(kControl, true);
    display.Press();
    display.Release();
    display.HoldKey(kControl, false);
    s.ExpectOneGesture("Ctrl click on Delay", 4, NormalisedAt(delay, delayDefault));
    EXPECT_NEAR(NormalisedAt(delay, delayDefault), 20.0 / 30.0, 1e-6);
    s.Key(kUp);
    s.ExpectOneGesture("Up on Delay", 4, NormalisedAt(delay, delayDefault - 1));

    // Shift drags at a tenth of the speed: 20 pixels down move the thumb two pixels' worth.
    const SPixelRect rect = RectOf(depth);
    const SPixelRect thumb = STrackbarGeometry{rect.Width(), rect.Height()}.Thumb(30, 100);
    const int thumbX = (thumb.left + thumb.right) / 2, thumbY = (thumb.top + thumb.bottom) / 2;
    s.PointAt(depth, thumbX, thumbY);
    display.HoldKey(kShift, true);
    display.Press();
    for (int dy : {10, 20})
    {
        s.PointAt(depth, thumbX, thumbY + dy);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    display.Release();
    display.HoldKey(kShift, false);
    const double perPixel = STrackbarGeometry{rect.Width(), rect.Height()}.PositionsPerPixel(100);
    s.ExpectOneDrag("Shift drag", depthIndex, NormalisedAt(depth, 30 + 20 * perPixel * slider_motion::kFineDragSpeed));
}
