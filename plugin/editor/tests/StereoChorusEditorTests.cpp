// The stereo chorus editor in this process, over parameter sets of the test's own making.
#include "StereoChorusEditor.h"
#include "StereoChorusLayout.h"
#include "TrackbarGeometry.h"
#include "TestWindows.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <string>
#include <vector>

namespace {

// Real-unit values and a journal of the indexes written.
class CTestParameterSet : public CParameterSet
{
public:
    explicit CTestParameterSet(int count)
    {
        const CParameterInfo chorus[] = {
            {"Bypass", CParameterInfo::kInteger, 0.0f, 1.0f, 0.0f, "", nullptr},
            {"Gain", CParameterInfo::kContinuous, -20.0f, 20.0f, 0.0f, "dB", nullptr},
            {"Dry", CParameterInfo::kContinuous, 0.0f, 100.0f, 100.0f, "%", nullptr},
            {"Wet", CParameterInfo::kContinuous, 0.0f, 100.0f, 70.0f, "%", nullptr},
            {"Delay", CParameterInfo::kContinuous, 0.0f, 30.0f, 20.0f, "ms", nullptr},
            {"Depth", CParameterInfo::kContinuous, 0.0f, 100.0f, 70.0f, "%", nullptr},
            {"LFO Frequency", CParameterInfo::kContinuous, 0.0f, 20.0f, 0.4f, "Hz", nullptr},
            {"Stereo", CParameterInfo::kContinuous, 0.0f, 100.0f, 100.0f, "%", nullptr},
            {"LFO Type", CParameterInfo::kChoice, 0.0f, 2.0f, 0.0f, nullptr, nullptr},
        };
        for (int i = 0; i < count; ++i)
        {
            m_descriptors.emplace_back(chorus[i % 9]);
            values.push_back(chorus[i % 9].GetDefault());
        }
    }
    int GetCount() const override { return static_cast<int>(values.size()); }
    const CParameterInfo* GetItem(int index) const override
    {
        return index >= 0 && index < GetCount() ? &m_descriptors[static_cast<size_t>(index)] : nullptr;
    }
    float GetValue(int index) const override { return index >= 0 && index < GetCount() ? values[index] : 0.0f; }
    int SetValue(int index, float value) override
    {
        written.push_back(index);
        if (index >= 0 && index < GetCount())
            values[static_cast<size_t>(index)] = value;
        return 1;
    }
    void BeginEdit(int) override {}
    void EndEdit(int) override {}

    std::vector<float> values;
    std::vector<int> written;

private:
    std::vector<CParameterInfo> m_descriptors;
};

CPresetList MakePresets(std::vector<const char*> names)
{
    std::vector<CPreset> presets;
    presets.emplace_back(CPreset::kHeading, nullptr, "Heading", nullptr);
    for (const char* name : names)
        presets.emplace_back(CPreset::kValues, nullptr, name, nullptr);
    return CPresetList(presets.data(), static_cast<int>(presets.size()));
}

BOOL CALLBACK FindList(HWND hwnd, LPARAM found)
{
    if (HWND list = GetDlgItem(hwnd, 1125))
    {
        *reinterpret_cast<HWND*>(found) = list;
        return FALSE;
    }
    return TRUE;
}

struct StereoChorusEditorTest : ::testing::Test
{
    testing_support::CHostWindow host{500, 250};
    CTestParameterSet inputs{9};
    CPresetListView presets;
    CStereoChorusEditor editor;

    HWND Dialog() { return GetWindow(host.Get(), GW_CHILD); }
    HWND Control(int id) { return GetDlgItem(Dialog(), id); }
    int Position(int id) { return static_cast<int>(SendMessageA(Control(id), TBM_GETPOS, 0, 0)); }
    void Key(int id)
    {
        SendMessageA(Control(id), WM_KEYDOWN, VK_UP, 0);
        SendMessageA(Control(id), WM_KEYUP, VK_UP, 0);
    }
    void Click(int id)
    {
        SendMessageA(Control(id), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
        SendMessageA(Control(id), WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    }
    void Refresh() { SendMessageA(Dialog(), WM_TIMER, 0, 0); }
    int ListCount()
    {
        HWND list = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), &FindList, reinterpret_cast<LPARAM>(&list));
        return list ? static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0)) : -1;
    }
};

} // namespace

TEST_F(StereoChorusEditorTest, WithoutADialogTheEditorKnowsItsSizeAndChangesNothing)
{
    int width = 1, height = 1;
    editor.GetPreferredSize(width, height);
    EXPECT_EQ(width, stereo_chorus_layout::DialogWidth()); // a 96-dpi screen, nothing chosen
    EXPECT_EQ(height, stereo_chorus_layout::DialogHeight());
    editor.SetVisible(true);
    editor.Move(0, 0, 100, 100);
    editor.SetChanged(1);
    EXPECT_EQ(editor.GetChanged(), 0);
    EXPECT_STREQ(editor.GetName(), "");
    editor.Close();
    EXPECT_EQ(editor.Open(nullptr), 0); // a child dialog needs its parent
}

TEST_F(StereoChorusEditorTest, TheChangedFlagFollowsTheUsersGesturesAndMoveSizesTheWindow)
{
    const CEditorContext context(&inputs, nullptr, &presets);
    editor.SetContext(&context);
    ASSERT_EQ(editor.Open(host.Get()), 1);
    Refresh();
    EXPECT_EQ(editor.GetChanged(), 0);
    Key(IDC_DEPTH_SLIDER);
    EXPECT_EQ(inputs.written, std::vector<int>({5}));
    EXPECT_EQ(editor.GetChanged(), 1);
    editor.SetChanged(0);
    EXPECT_EQ(editor.GetChanged(), 0);

    editor.Move(10, 20, 310, 220);
    RECT rect{};
    GetWindowRect(Dialog(), &rect);
    EXPECT_EQ(rect.right - rect.left, 300);
    EXPECT_EQ(rect.bottom - rect.top, 200);
}

TEST_F(StereoChorusEditorTest, AnInputSetOfAnotherSizeLeavesEveryControlUnbound)
{
    CTestParameterSet other(5);
    const CEditorContext context(&other, nullptr, &presets);
    editor.SetContext(&context);
    ASSERT_EQ(editor.Open(host.Get()), 1);
    const int delay = Position(IDC_DELAY_SLIDER);
    other.values[4] = 10.0f;
    Refresh();
    EXPECT_EQ(Position(IDC_DELAY_SLIDER), delay);
    SendMessageA(Control(IDC_GAIN_SLIDER), TBM_SETPOS, TRUE, 20);
    Key(IDC_GAIN_SLIDER);
    Click(IDC_BYPASS_BUTTON);
    Click(IDC_WAVEFORM_BUTTON);
    EXPECT_TRUE(other.written.empty());
    EXPECT_EQ(editor.GetChanged(), 0);
}

TEST_F(StereoChorusEditorTest, TheWaveformButtonShowsTheCustomWaveAsOnAndAClickFromThereSetsTheSine)
{
    const CEditorContext context(&inputs, nullptr, &presets);
    editor.SetContext(&context);
    ASSERT_EQ(editor.Open(host.Get()), 1);
    inputs.values[8] = 2.0f;
    Refresh();
    Click(IDC_WAVEFORM_BUTTON);
    EXPECT_EQ(inputs.written, std::vector<int>({8}));
    EXPECT_EQ(inputs.values[8], 0.0f);
}

TEST_F(StereoChorusEditorTest, ANewContextReachesAnOpenEditor)
{
    ASSERT_EQ(editor.Open(host.Get()), 1); // no context yet: nothing to configure or list
    EXPECT_EQ(ListCount(), 0);
    const CPresetList first = MakePresets({"One", "Two"});
    presets.SetList(&first);
    const CEditorContext context(&inputs, nullptr, &presets);
    editor.SetContext(&context);
    EXPECT_EQ(ListCount(), 3);
    EXPECT_EQ(SendMessageA(Control(IDC_GAIN_SLIDER), TBM_GETRANGEMAX, 0, 0), 40);
    EXPECT_EQ(SendMessageA(Control(IDC_RATE_SLIDER), TBM_GETRANGEMAX, 0, 0), 200);
    Refresh();
    EXPECT_EQ(Position(IDC_RATE_SLIDER), 172);

    const CPresetList second = MakePresets({"Only"});
    presets.SetList(&second);
    editor.SetContext(&context);
    EXPECT_EQ(ListCount(), 2);
    editor.SetContext(nullptr);
    Key(IDC_DEPTH_SLIDER);
    EXPECT_TRUE(inputs.written.empty());
}

// The X11 editor draws from the shared layout and trackbar geometry; these must be where the
// template and the common controls put every window, channel, thumb and tick.
TEST_F(StereoChorusEditorTest, EveryControlChannelThumbAndTickLiesWhereTheSharedLayoutPutsIt)
{
    const CEditorContext context(&inputs, nullptr, &presets);
    editor.SetContext(&context);
    ASSERT_EQ(editor.Open(host.Get()), 1);
    Refresh();
    RECT client{};
    GetClientRect(Dialog(), &client);
    EXPECT_EQ(client.right, stereo_chorus_layout::DialogWidth());
    EXPECT_EQ(client.bottom, stereo_chorus_layout::DialogHeight());
    for (const SControlLayout& control : stereo_chorus_layout::kControls)
    {
        RECT window{};
        GetWindowRect(Control(control.id), &window);
        MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&window), 2);
        const SPixelRect expected = stereo_chorus_layout::ControlRect(control);
        EXPECT_EQ((SPixelRect{window.left, window.top, window.right, window.bottom}), expected) << control.id;
    }
    for (const SSliderSetup& slider : stereo_chorus_layout::kSliders)
    {
        const HWND hwnd = Control(slider.id);
        RECT size{}, channel{}, thumb{};
        GetClientRect(hwnd, &size);
        const STrackbarGeometry geometry{size.right, size.bottom};
        SendMessageA(hwnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
        EXPECT_EQ((SPixelRect{channel.left, channel.top, channel.right, channel.bottom}), geometry.Channel())
            << slider.id;
        for (int position : {0, 1, slider.positions / 3, slider.positions - 1, slider.positions})
        {
            SendMessageA(hwnd, TBM_SETPOS, TRUE, position);
            SendMessageA(hwnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
            EXPECT_EQ((SPixelRect{thumb.left, thumb.top, thumb.right, thumb.bottom}),
                      geometry.Thumb(position, slider.positions))
                << slider.id << " at " << position;
        }
        EXPECT_EQ(SendMessageA(hwnd, TBM_GETNUMTICS, 0, 0),
                  STrackbarGeometry::TickCount(slider.positions, slider.positions / slider.ticks))
            << slider.id;
    }
}

// A drag puts the thumb where the common controls' trackbar puts it for the same pointer height.
TEST_F(StereoChorusEditorTest, ADragMovesTheThumbToThePositionTheSharedGeometryComputes)
{
    const CEditorContext context(&inputs, nullptr, &presets);
    editor.SetContext(&context);
    ASSERT_EQ(editor.Open(host.Get()), 1);
    Refresh();
    const HWND hwnd = Control(IDC_DEPTH_SLIDER);
    RECT size{}, thumb{};
    GetClientRect(hwnd, &size);
    const STrackbarGeometry geometry{size.right, size.bottom};
    SendMessageA(hwnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int x = (thumb.left + thumb.right) / 2;
    SendMessageA(hwnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, (thumb.top + thumb.bottom) / 2));
    for (int y : {10, 25, 40, 41, 57, 80, 200})
    {
        SendMessageA(hwnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y));
        EXPECT_EQ(Position(IDC_DEPTH_SLIDER), geometry.PositionAt(y, 100)) << y;
    }
    SendMessageA(hwnd, WM_LBUTTONUP, 0, MAKELPARAM(x, 200));
}
