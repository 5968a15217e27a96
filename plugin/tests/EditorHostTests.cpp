// Loads the built Windows plug-in as a host does and drives its editor through the dispatcher and
// with the messages a user's mouse and keyboard produce.
#include "EditorSession.h"
#include "LiveObjects.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <algorithm>
#include <cmath>
#include <string>

namespace {

const int kPresetListId = 1125; // the list inside the preset popup

class EditorHost : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { library = std::make_unique<PluginLibrary>(PLUGIN_PATH); }
    static void TearDownTestSuite() { library.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(library->IsLoaded()) << "cannot load " << PLUGIN_PATH;
        session = std::make_unique<CEditorSession>(*library);
        ASSERT_NE(session->Effect(), nullptr);
    }
    void TearDown() override { session.reset(); }

    AEffect* Effect() { return session->Effect(); }
    HWND Dialog() { return session->Dialog(); }
    HWND Control(int id) { return GetDlgItem(Dialog(), id); }
    // Opens the editor and lets its refresh show the current values.
    void Open()
    {
        ASSERT_EQ(session->OpenEditor(), 1);
        ASSERT_NE(Dialog(), nullptr);
        Refresh();
        session->calls.clear();
    }
    // What the editor's 50 ms timer does.
    void Refresh() { SendMessageA(Dialog(), WM_TIMER, 0, 0); }
    int Position(int id) { return static_cast<int>(SendMessageA(Control(id), TBM_GETPOS, 0, 0)); }
    int Positions(int id) { return static_cast<int>(SendMessageA(Control(id), TBM_GETRANGEMAX, 0, 0)); }
    RECT Thumb(int id)
    {
        RECT thumb{};
        SendMessageA(Control(id), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
        return thumb;
    }
    void Mouse(HWND window, UINT message, int x, int y)
    {
        SendMessageA(window, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    std::string Tooltip(int id)
    {
        NMTTDISPINFOA info{};
        info.hdr.hwndFrom = reinterpret_cast<HWND>(SendMessageA(Control(id), TBM_GETTOOLTIPS, 0, 0));
        info.hdr.idFrom = reinterpret_cast<UINT_PTR>(Control(id));
        info.hdr.code = TTN_NEEDTEXTA;
        info.uFlags = TTF_IDISHWND;
        lstrcpyA(info.szText, "stale");
        EXPECT_EQ(SendMessageA(Dialog(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info)), 1);
        return info.szText;
    }
    void Click(int id)
    {
        const HWND control = Control(id);
        RECT client{};
        GetClientRect(control, &client);
        Mouse(control, WM_LBUTTONDOWN, client.right / 2, client.bottom / 2);
        Mouse(control, WM_LBUTTONUP, client.right / 2, client.bottom / 2);
    }
    // Opens the preset list with the presets switch and waits until it is all out.
    HWND OpenPresetList()
    {
        Click(IDC_PRESETS_BUTTON);
        const DWORD start = GetTickCount();
        HWND popup = nullptr;
        RECT area{};
        while (GetTickCount() - start < 5000)
        {
            PumpMessagesFor(25);
            popup = session->PresetPopup();
            if (popup && GetWindowRect(popup, &area) && area.right - area.left >= 130)
                break;
        }
        return popup;
    }
    // Chooses entry `index` of the open preset list with the mouse.
    void ChoosePreset(HWND popup, int index)
    {
        const HWND list = GetDlgItem(popup, kPresetListId);
        RECT item{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        POINT point{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
        POINT screen = point;
        ClientToScreen(list, &screen);
        SetCursorPos(screen.x, screen.y);
        Mouse(list, WM_LBUTTONDOWN, point.x, point.y);
        Mouse(list, WM_LBUTTONUP, point.x, point.y);
    }
    // The waveform button as it shows, against one of the face bitmaps of the plug-in: whether
    // every pixel of the face that is not its backdrop is there, centred.
    bool ShowsWaveformFace(int bitmapId)
    {
        testing_support::RedrawNow(Dialog());
        const auto button = testing_support::CaptureClient(Control(IDC_WAVEFORM_BUTTON));
        const HBITMAP bitmap = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA("StereoChorus.dll"),
                                                               MAKEINTRESOURCEA(bitmapId), IMAGE_BITMAP, 0, 0, 0));
        if (!bitmap)
            return false;
        HDC memory = CreateCompatibleDC(nullptr);
        const HGDIOBJ previous = SelectObject(memory, bitmap);
        const auto face = testing_support::CaptureDc(memory, 0, 0, 32, 32);
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(bitmap);
        const int x0 = (button.width - face.width) / 2, y0 = (button.height - face.height) / 2;
        for (int y = 0; y < face.height; ++y)
            for (int x = 0; x < face.width; ++x)
                if (face.Pixel(x, y) != WAVE_FACE_BACKDROP && button.Pixel(x0 + x, y0 + y) != face.Pixel(x, y))
                    return false;
        return true;
    }
    // Every call since the editor opened must be an automation (a VST 2 host hears of no
    // gesture's begin or end); the automations' index and value.
    std::vector<std::pair<int, float>> Automations()
    {
        std::vector<std::pair<int, float>> automations;
        for (const SHostCall& call : session->calls)
        {
            EXPECT_EQ(call.opcode, audioMasterAutomate);
            if (call.opcode == audioMasterAutomate)
                automations.emplace_back(call.index, call.value);
        }
        return automations;
    }
    // The calls since they were last cleared must be exactly one automation of `index` with the
    // normalised `value`; then they are cleared.
    void ExpectOneGesture(const char* what, int index, double value)
    {
        SCOPED_TRACE(what);
        ASSERT_EQ(session->calls.size(), 1u);
        EXPECT_EQ(session->calls[0].opcode, audioMasterAutomate);
        EXPECT_EQ(session->calls[0].index, index);
        EXPECT_NEAR(session->calls[0].value, value, 2e-6);
        session->calls.clear();
    }
    // A key as the system delivers it to the window with the focus, Shift held or not.
    void Key(UINT virtualKey, bool shift = false)
    {
        BYTE keys[256] = {};
        GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        SetKeyboardState(keys);
        PostMessageA(GetFocus(), WM_KEYDOWN, virtualKey, 1);
        PostMessageA(GetFocus(), WM_KEYUP, virtualKey, 0xC0000001);
        testing_support::PumpMessages();
        keys[VK_SHIFT] = 0;
        SetKeyboardState(keys);
    }
    // One notch of the wheel with the pointer over the middle of control `id`; the system gives it
    // to the window with the focus.
    void Wheel(int id, bool away, bool shift)
    {
        RECT area{};
        GetWindowRect(Control(id), &area);
        PostMessageA(GetFocus() ? GetFocus() : Dialog(), WM_MOUSEWHEEL,
                     MAKEWPARAM(shift ? MK_SHIFT : 0, away ? WHEEL_DELTA : -WHEEL_DELTA),
                     MAKELPARAM((area.left + area.right) / 2, (area.top + area.bottom) / 2));
        testing_support::PumpMessages();
    }
    bool ShowsFocusMark(int id)
    {
        testing_support::RedrawNow(Dialog());
        const auto picture = testing_support::CaptureClient(Control(id));
        return picture.width > 2 && picture.Pixel(0, 0) == 0x00CFFF &&
               picture.Pixel(picture.width - 1, picture.height - 1) == 0x00CFFF;
    }
    // The normalised value of an identity slider (the maximum at the top) standing at `position`.
    static double ExactNormalisedAt(double position, int positions) { return 1.0 - position / positions; }

    static std::unique_ptr<PluginLibrary> library;
    std::unique_ptr<CEditorSession> session;
};
std::unique_ptr<PluginLibrary> EditorHost::library;

// Sliders run from the maximum at position 0 down to the minimum; the normalised value of a
// position of an identity slider is therefore 1 - position / positions.
float NormalisedAt(int position, int positions)
{
    return 1.0f - static_cast<float>(position) / static_cast<float>(positions);
}

const int kRandomEntry = 12;

} // namespace

TEST_F(EditorHost, EditRectIsAllZerosBeforeOpeningAndTheDialogsSizeAfterwards)
{
    ERect* rect = nullptr;
    EXPECT_EQ(session->Dispatch(effEditGetRect, 0, 0, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->top | rect->left | rect->bottom | rect->right, 0);

    Open();
    RECT window{};
    GetWindowRect(Dialog(), &window);
    EXPECT_EQ(session->Dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->right, window.right - window.left);
    EXPECT_EQ(rect->bottom, window.bottom - window.top);
    EXPECT_GE(rect->right, 400 + 4); // the background bitmap and its margin fit
    EXPECT_GE(rect->bottom, 165 + 4);
    EXPECT_TRUE(IsWindowVisible(Dialog()));
    EXPECT_EQ(GetWindowLongA(Dialog(), GWL_STYLE) & WS_CHILD, WS_CHILD);
}

TEST_F(EditorHost, OpeningTwiceLeavesOneDialogAndClosingWithoutOpeningIsHarmless)
{
    session->CloseEditor();
    session->CloseEditor();
    EXPECT_EQ(session->CountEditorWindows(), 0);
    Open();
    Open();
    EXPECT_EQ(session->CountEditorWindows(), 1);
    session->CloseEditor();
    EXPECT_EQ(session->CountEditorWindows(), 0);
    session->CloseEditor();
    ERect* rect = nullptr;
    session->Dispatch(effEditGetRect, 0, 0, &rect);
    EXPECT_EQ(rect->right | rect->bottom, 0);
    EXPECT_EQ(session->Dispatch(effEditIdle), 0);
}

TEST_F(EditorHost, AHundredOpenAndCloseCyclesLeaveNoGdiObjectOrWindowBehind)
{
    auto cycle = [&] {
        session->OpenEditor();
        testing_support::RedrawNow(Dialog());
        Refresh();
        session->Dispatch(effEditIdle);
        session->CloseEditor();
    };
    cycle(); // the first opening loads what the system keeps for good
    testing_support::PumpMessages();
    const int objects = testing_support::CountGdiObjects();
    const int windows = testing_support::CountWindows();
    for (int i = 0; i < 100; ++i)
        cycle();
    testing_support::PumpMessages();
    EXPECT_EQ(testing_support::CountGdiObjects(), objects);
    EXPECT_EQ(testing_support::CountWindows(), windows);
}

// Hosts close the plug-in without closing its editor first. The dialog must go with it, and its
// refresh timer must not run on over parameters that no longer exist.
TEST_F(EditorHost, ClosingThePluginWithItsEditorOpenDestroysTheEditorCleanly)
{
    session->OpenEditor();
    testing_support::RedrawNow(Dialog());
    session->CloseEditor();
    testing_support::PumpMessages();
    const int objects = testing_support::CountGdiObjects();
    const int windows = testing_support::CountWindows();

    Open();
    const HWND dialog = Dialog();
    testing_support::RedrawNow(dialog);
    session->ClosePlugin();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(session->CountEditorWindows(), 0);
    PumpMessagesFor(150); // three timer periods
    EXPECT_EQ(testing_support::CountGdiObjects(), objects);
    EXPECT_EQ(testing_support::CountWindows(), windows);
}

TEST_F(EditorHost, AHostThatDestroysItsWindowFirstCanStillCloseTheEditorAndThePlugin)
{
    Open();
    const HWND dialog = Dialog();
    DestroyWindow(session->Parent());
    EXPECT_FALSE(IsWindow(dialog));
    PumpMessagesFor(60);
    session->CloseEditor();
    ERect* rect = nullptr;
    session->Dispatch(effEditGetRect, 0, 0, &rect);
    EXPECT_EQ(rect->right | rect->bottom, 0);
    session->ClosePlugin();
}

TEST_F(EditorHost, AtTheDefaultsGainDelayAndRateSitAtTheirPositions)
{
    Open();
    EXPECT_EQ(Positions(IDC_GAIN_SLIDER), 40);
    EXPECT_EQ(Position(IDC_GAIN_SLIDER), 20);
    EXPECT_EQ(Positions(IDC_DELAY_SLIDER), 100);
    EXPECT_EQ(Position(IDC_DELAY_SLIDER), 33);
    EXPECT_EQ(Positions(IDC_RATE_SLIDER), 200);
    EXPECT_EQ(Position(IDC_RATE_SLIDER), 172);
    EXPECT_EQ(Position(IDC_DEPTH_SLIDER), 30);
    EXPECT_EQ(Position(IDC_DRY_SLIDER), 0);
    EXPECT_EQ(Position(IDC_WET_SLIDER), 30);
    EXPECT_EQ(Position(IDC_STEREO_SLIDER), 0);
    EXPECT_TRUE(session->calls.empty());
}

TEST_F(EditorHost, DraggingTheDepthThumbAutomatesDepthOncePerMovement)
{
    Open();
    const HWND depth = Control(IDC_DEPTH_SLIDER);
    const RECT thumb = Thumb(IDC_DEPTH_SLIDER);
    const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    std::vector<int> positions;
    Mouse(depth, WM_LBUTTONDOWN, x, y);
    for (int step = 1; step <= 3; ++step)
    {
        Mouse(depth, WM_MOUSEMOVE, x, y + 7 * step);
        positions.push_back(Position(IDC_DEPTH_SLIDER));
    }
    Mouse(depth, WM_LBUTTONUP, x, y + 21);

    const auto automations = Automations();
    ASSERT_EQ(automations.size(), 3u);
    for (size_t i = 0; i < 3; ++i)
    {
        EXPECT_EQ(automations[i].first, 5);
        EXPECT_NEAR(automations[i].second, NormalisedAt(positions[i], 100), 1e-6f);
    }
    EXPECT_GT(positions[0], 30); // downward is toward the minimum
    EXPECT_LT(automations[2].second, automations[0].second);
    EXPECT_EQ(Effect()->getParameter(Effect(), 5), automations[2].second);
}

TEST_F(EditorHost, APositionSetWithItsScrollNotificationAutomatesThatValue)
{
    Open();
    const HWND delay = Control(IDC_DELAY_SLIDER);
    SendMessageA(delay, TBM_SETPOS, TRUE, 50);
    SendMessageA(Dialog(), WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, 50), reinterpret_cast<LPARAM>(delay));
    SendMessageA(Dialog(), WM_VSCROLL, MAKEWPARAM(TB_ENDTRACK, 0), reinterpret_cast<LPARAM>(delay));
    SendMessageA(Control(IDC_RATE_SLIDER), TBM_SETPOS, TRUE, 100);
    SendMessageA(Dialog(), WM_VSCROLL, MAKEWPARAM(TB_THUMBTRACK, 100),
                 reinterpret_cast<LPARAM>(Control(IDC_RATE_SLIDER)));
    const auto automations = Automations();
    ASSERT_EQ(automations.size(), 2u);
    EXPECT_EQ(automations[0].first, 4);
    EXPECT_NEAR(automations[0].second, 0.5f, 1e-6f);
    EXPECT_EQ(automations[1].first, 6);
    EXPECT_FLOAT_EQ(automations[1].second, 0.25f); // the square-law taper: half way is a quarter
}

TEST_F(EditorHost, AHostParameterChangeShowsAtTheNextRefreshAndIsNotWrittenBack)
{
    Open();
    Effect()->setParameter(Effect(), 5, 0.25f);
    Effect()->setParameter(Effect(), 1, 0.75f);
    EXPECT_EQ(Position(IDC_DEPTH_SLIDER), 30);
    Refresh();
    EXPECT_EQ(Position(IDC_DEPTH_SLIDER), 75);
    EXPECT_EQ(Position(IDC_GAIN_SLIDER), 10);

    Effect()->setParameter(Effect(), 5, 0.6f); // now the editor's own timer
    const DWORD start = GetTickCount();
    while (Position(IDC_DEPTH_SLIDER) != 40 && GetTickCount() - start < 5000)
        PumpMessagesFor(5);
    EXPECT_EQ(Position(IDC_DEPTH_SLIDER), 40);
    EXPECT_TRUE(session->calls.empty());
    EXPECT_FLOAT_EQ(Effect()->getParameter(Effect(), 5), 0.6f);
}

TEST_F(EditorHost, TooltipsShowTheValueWithItsUnitOverASliderAndNothingOverALabel)
{
    Open();
    EXPECT_EQ(Tooltip(IDC_DEPTH_SLIDER), "70 %");
    EXPECT_EQ(Tooltip(IDC_GAIN_SLIDER), "+0 dB");
    // The text is the value of the slider's position: 20 ms sits at position 33 (20.1 ms) and
    // 0.4 Hz at 172 (0.39 Hz).
    EXPECT_EQ(Tooltip(IDC_DELAY_SLIDER), "20.10 ms");
    EXPECT_EQ(Tooltip(IDC_RATE_SLIDER), "0.39 Hz");
    EXPECT_EQ(Tooltip(IDC_DEPTH_LABEL), "");
    EXPECT_EQ(Tooltip(IDC_GAIN_FRAME), "");
}

namespace {

struct SAboutBox
{
    int shown = 0;
    std::string caption;
    std::string text;
};
SAboutBox aboutBox;

BOOL CALLBACK CloseAboutBox(HWND hwnd, LPARAM)
{
    char caption[128] = {};
    GetWindowTextA(hwnd, caption, sizeof caption);
    if (!IsWindowVisible(hwnd) || std::string(caption).rfind("About", 0) != 0)
        return TRUE;
    ++aboutBox.shown;
    aboutBox.caption = caption;
    char text[256] = {};
    GetDlgItemTextA(hwnd, 0xFFFF, text, sizeof text); // the message box's text
    aboutBox.text = text;
    PostMessageA(hwnd, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK LookForAboutBox(HWND, UINT, UINT_PTR, DWORD)
{
    EnumThreadWindows(GetCurrentThreadId(), &CloseAboutBox, 0);
}

} // namespace

TEST_F(EditorHost, TheLogoStripOpensTheAboutBoxAndShowsTheHandCursor)
{
    Open();
    const HCURSOR hand = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_HAND));
    const HCURSOR arrow = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, &LookForAboutBox);
    const POINT inside[] = {{6, 36}, {29, 134}};
    const POINT outside[] = {{5, 36}, {30, 100}, {10, 135}};
    for (const POINT& point : inside)
    {
        aboutBox = SAboutBox();
        SendMessageA(Dialog(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        EXPECT_EQ(GetCursor(), hand);
        Mouse(Dialog(), WM_LBUTTONDOWN, point.x, point.y); // returns when the box is closed
        Mouse(Dialog(), WM_LBUTTONUP, point.x, point.y);
        EXPECT_EQ(aboutBox.shown, 1) << point.x << "," << point.y;
    }
    EXPECT_EQ(aboutBox.caption, "About Orvane's Stereo Chorus");
    EXPECT_EQ(aboutBox.text.rfind("This plug-in is developped by Orvane's Music Software ( ", 0), 0u);
    EXPECT_EQ(aboutBox.text.substr(aboutBox.text.size() - 2), " )");
    for (const POINT& point : outside)
    {
        aboutBox = SAboutBox();
        SendMessageA(Dialog(), WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        EXPECT_EQ(GetCursor(), arrow);
        Mouse(Dialog(), WM_LBUTTONDOWN, point.x, point.y);
        Mouse(Dialog(), WM_LBUTTONUP, point.x, point.y);
        PumpMessagesFor(60);
        EXPECT_EQ(aboutBox.shown, 0) << point.x << "," << point.y;
    }
    KillTimer(nullptr, timer);
    EXPECT_TRUE(session->calls.empty());
}

TEST_F(EditorHost, ClickingTheSwitchesAutomatesBypassAndTheWaveform)
{
    Open();
    Click(IDC_BYPASS_BUTTON);
    Click(IDC_BYPASS_BUTTON);
    Click(IDC_WAVEFORM_BUTTON);
    Click(IDC_WAVEFORM_BUTTON);
    using Automation = std::pair<int, float>;
    EXPECT_EQ(Automations(), (std::vector<Automation>{{0, 1.0f}, {0, 0.0f}, {8, 0.5f}, {8, 0.0f}}));
}

TEST_F(EditorHost, AProgramWithTheTriangleShowsItsFaceAtTheNextRefreshAndAClickGoesBackToTheSine)
{
    Open();
    EXPECT_TRUE(ShowsWaveformFace(IDB_WAVE_SINE));
    EXPECT_FALSE(ShowsWaveformFace(IDB_WAVE_TRIANGLE));
    session->Dispatch(effSetProgram, 0, 7); // Oscillator
    Refresh();
    EXPECT_TRUE(ShowsWaveformFace(IDB_WAVE_TRIANGLE));
    EXPECT_FALSE(ShowsWaveformFace(IDB_WAVE_SINE));
    Click(IDC_WAVEFORM_BUTTON);
    EXPECT_EQ(Automations(), (std::vector<std::pair<int, float>>{{8, 0.0f}}));
    Refresh();
    EXPECT_TRUE(ShowsWaveformFace(IDB_WAVE_SINE));
}

TEST_F(EditorHost, ChoosingAPresetInTheListAutomatesEveryParameterButBypass)
{
    Open();
    const HWND popup = OpenPresetList();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(SendMessageA(GetDlgItem(popup, kPresetListId), LB_GETCOUNT, 0, 0), 13);
    ChoosePreset(popup, 8); // Vibrato: 0 dB, dry 0, wet 100, 6 ms, 42 %, 4.5 Hz, 80 %, sine
    const auto automations = Automations();
    ASSERT_EQ(automations.size(), 8u);
    for (int k = 0; k < 8; ++k)
        EXPECT_EQ(automations[k].first, k + 1);
    EXPECT_NEAR(automations[0].second, 0.5f, 1e-6f);
    EXPECT_NEAR(automations[1].second, 0.0f, 1e-6f);
    EXPECT_NEAR(automations[2].second, 1.0f, 1e-6f);
    EXPECT_NEAR(automations[3].second, 0.2f, 1e-6f);
    EXPECT_NEAR(automations[4].second, 0.42f, 1e-6f);
    EXPECT_NEAR(automations[5].second, std::pow(NormalisedAt(Position(IDC_RATE_SLIDER), 200), 2.0f), 1e-6f);
    EXPECT_NEAR(automations[5].second * 20.0f, 4.5f, 0.1f);
    EXPECT_NEAR(automations[6].second, 0.8f, 1e-6f);
    EXPECT_EQ(automations[7].second, 0.0f);
    EXPECT_EQ(Effect()->getParameter(Effect(), 0), 0.0f);
}

TEST_F(EditorHost, RandomDrawsEveryParameterButGainAndBypassOntoAPositionOfItsControl)
{
    Open();
    const HWND popup = OpenPresetList();
    ASSERT_NE(popup, nullptr);
    const int sliders[] = {0, 0, IDC_DRY_SLIDER, IDC_WET_SLIDER, IDC_DELAY_SLIDER, IDC_DEPTH_SLIDER,
                           IDC_RATE_SLIDER, IDC_STEREO_SLIDER};
    for (int draw = 0; draw < 5; ++draw)
    {
        session->calls.clear();
        ChoosePreset(popup, kRandomEntry);
        const auto automations = Automations();
        ASSERT_EQ(automations.size(), 7u);
        for (int k = 0; k < 7; ++k)
            EXPECT_EQ(automations[k].first, k + 2);
        for (int index = 2; index <= 7; ++index)
        {
            const int id = sliders[index];
            const float linear = NormalisedAt(Position(id), Positions(id));
            const float expected = id == IDC_RATE_SLIDER ? linear * linear : linear;
            EXPECT_NEAR(automations[index - 2].second, expected, 1e-6f) << "parameter " << index;
        }
        const float waveform = automations[6].second;
        EXPECT_TRUE(waveform == 0.0f || waveform == 0.5f) << waveform;

        std::vector<int> before;
        for (int id : sliders)
            before.push_back(id ? Position(id) : 0);
        Refresh(); // each value maps back onto the position it was drawn on
        for (size_t i = 0; i < 8; ++i)
        {
            if (sliders[i])
            {
                EXPECT_EQ(Position(sliders[i]), before[i]);
            }
        }
        EXPECT_EQ(Position(IDC_GAIN_SLIDER), 20);
        Sleep(20); // the draw is seeded from the tick count
    }
    EXPECT_EQ(Effect()->getParameter(Effect(), 0), 0.0f);
}

TEST_F(EditorHost, AFolderHeaderInThePresetListChangesNothing)
{
    Open();
    const HWND popup = OpenPresetList();
    ASSERT_NE(popup, nullptr);
    ChoosePreset(popup, 0);  // "Factory Presets"
    ChoosePreset(popup, 11); // "Extra"
    EXPECT_TRUE(session->calls.empty());
    // Even reported as a choice, a heading applies nothing.
    SendMessageA(GetDlgItem(popup, kPresetListId), LB_SETCURSEL, 11, 0);
    SendMessageA(Control(IDC_PRESETS_BUTTON), WM_USER + 102, 11, 0);
    EXPECT_TRUE(session->calls.empty());
}

TEST_F(EditorHost, ScreenshotsOfTheEditorAreSavedUnderTheBuildTree)
{
    Open();
    CreateDirectoryA("screenshots", nullptr);
    const auto editor = CaptureEditor(Dialog());
    ASSERT_GT(editor.width, 0);
    EXPECT_TRUE(editor.SavePng("screenshots/editor.png"));
    EXPECT_TRUE(editor.Magnified(2).SavePng("screenshots/editor-x2.png"));
    const HWND popup = OpenPresetList();
    ASSERT_NE(popup, nullptr);
    const auto withPresets = CaptureEditorWithPresets(Dialog(), popup);
    EXPECT_GT(withPresets.width, editor.width + 100);
    EXPECT_TRUE(withPresets.SavePng("screenshots/editor-presets.png"));
    EXPECT_TRUE(withPresets.Magnified(2).SavePng("screenshots/editor-presets-x2.png"));
}

// The keyboard, the wheel and the mouse as a user drives them, posted as the system delivers them:
// each change reaches the host as one automation with the value of the fader's steps.
TEST_F(EditorHost, KeysWheelDoubleClickCtrlClickAndShiftDragReachTheHostAsOneGestureEach)
{
    Open();
    SetFocus(Control(IDC_WET_SLIDER)); // as a click would, without the keyboard
    EXPECT_FALSE(ShowsFocusMark(IDC_WET_SLIDER)) << "no focus mark before the keyboard is used";
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), Control(IDC_GAIN_SLIDER)) << "Tab goes round from Wet to Gain";
    EXPECT_TRUE(ShowsFocusMark(IDC_GAIN_SLIDER));
    EXPECT_TRUE(session->calls.empty());
    // Gain: 40 positions, 0 dB at 20.
    const struct
    {
        const char* what;
        UINT key;
        bool shift;
        double position;
    } keys[] = {
        {"Up", VK_UP, false, 19},          {"Shift+Up", VK_UP, true, 18.9},      {"Down", VK_DOWN, false, 19.9},
        {"Page Up", VK_PRIOR, false, 15.9}, {"Page Down", VK_NEXT, false, 19.9}, {"End", VK_END, false, 0},
        {"Home", VK_HOME, false, 40},      {"Right", VK_RIGHT, false, 39},       {"Left", VK_LEFT, false, 40},
    };
    for (const auto& key : keys)
    {
        Key(key.key, key.shift);
        ExpectOneGesture(key.what, 1, ExactNormalisedAt(key.position, 40));
    }
    Key(VK_LEFT);
    EXPECT_TRUE(session->calls.empty()) << "Left at the minimum changes nothing";

    Key(VK_TAB, true);
    EXPECT_EQ(GetFocus(), Control(IDC_WET_SLIDER)) << "Shift+Tab";
    for (int i = 0; i < 6; ++i)
        Key(VK_TAB);
    EXPECT_EQ(GetFocus(), Control(IDC_WAVEFORM_BUTTON)) << "Gain, Delay, Depth, Rate, Stereo, the waveform";
    EXPECT_TRUE(ShowsFocusMark(IDC_WAVEFORM_BUTTON));
    Key(VK_SPACE);
    ExpectOneGesture("Space on the waveform", 8, 0.5);
    Key(VK_TAB);
    Key(VK_SPACE);
    EXPECT_NE(session->PresetPopup(), nullptr) << "Space on Presets slides the list out";
    Key(VK_SPACE);
    Key(VK_TAB);
    Key(VK_SPACE);
    ExpectOneGesture("Space on Bypass", 0, 1.0);

    // The wheel works the fader under the pointer, whichever window has the focus.
    Wheel(IDC_DEPTH_SLIDER, true, false);
    ExpectOneGesture("wheel", 5, ExactNormalisedAt(29, 100));
    Wheel(IDC_DEPTH_SLIDER, false, true);
    ExpectOneGesture("Shift+wheel", 5, ExactNormalisedAt(29.1, 100));

    // A double click on the thumb: the first click is an empty gesture, the second the reset.
    const HWND depth = Control(IDC_DEPTH_SLIDER);
    RECT thumb = Thumb(IDC_DEPTH_SLIDER);
    int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    for (int click = 0; click < 2; ++click)
    {
        Mouse(depth, WM_LBUTTONDOWN, x, y);
        Mouse(depth, WM_LBUTTONUP, x, y);
    }
    ASSERT_EQ(session->calls.size(), 1u);
    EXPECT_EQ(session->calls[0].opcode, audioMasterAutomate);
    EXPECT_NEAR(session->calls[0].value, 0.7, 2e-6) << "the double click resets Depth to 70 %";
    session->calls.clear();

    // Ctrl click: Delay back to exactly 20 ms, between positions 33 and 34.
    const HWND delay = Control(IDC_DELAY_SLIDER);
    SendMessageA(delay, WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(5, 5));
    SendMessageA(delay, WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(5, 5));
    ExpectOneGesture("Ctrl click", 4, 20.0 / 30.0);
    EXPECT_EQ(GetFocus(), delay);
    Key(VK_UP);
    ExpectOneGesture("Up from the default", 4, ExactNormalisedAt(100.0 / 3.0 - 1, 100));

    // Shift drags at a tenth of the speed.
    thumb = Thumb(IDC_DEPTH_SLIDER);
    x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    RECT channel{};
    SendMessageA(depth, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel)); // x and y may be exchanged
    const int length = std::max(channel.right - channel.left, channel.bottom - channel.top);
    const double perPixel = 100.0 / (length - (thumb.bottom - thumb.top));
    SendMessageA(depth, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(x, y));
    for (int dy : {10, 20})
        SendMessageA(depth, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(x, y + dy));
    SendMessageA(depth, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(x, y + 20));
    ASSERT_GE(session->calls.size(), 1u);
    for (const SHostCall& call : session->calls)
        EXPECT_EQ(call.opcode, audioMasterAutomate);
    EXPECT_NEAR(session->calls.back().value, ExactNormalisedAt(30 + 20 * perPixel * 0.1, 100), 2e-6);
    CreateDirectoryA("screenshots", nullptr);
    CaptureEditor(Dialog()).Magnified(2).SavePng("screenshots/editor-focus-x2.png");
}

// Hosts that keep the keyboard hand keys on with effEditKeyDown and effEditKeyUp: 1 only for a key
// the editor acts on, so the host keeps the rest.
TEST_F(EditorHost, KeysTheHostForwardsWorkAndOnlyThoseTheEditorTakesAreAnsweredOne)
{
    Open();
    const struct
    {
        const char* what;
        int character, virt, modifiers, answer;
    } keys[] = {
        {"Up before any focus", 0, VKEY_UP, 0, 0}, {"Tab: Gain", 0, VKEY_TAB, 0, 1}, {"Up", 0, VKEY_UP, 0, 1},
        {"a letter", 'a', 0, 0, 0},               {"Escape", 0, 6, 0, 0},           {"Shift+Tab: Wet", 0, VKEY_TAB, MODIFIER_SHIFT, 1},
        {"End", 0, VKEY_END, 0, 1},
    };
    for (const auto& key : keys)
    {
        EXPECT_EQ(session->Dispatch(effEditKeyDown, key.character, key.virt, nullptr, key.modifiers), key.answer)
            << key.what;
        EXPECT_EQ(session->Dispatch(effEditKeyUp, key.character, key.virt, nullptr, key.modifiers), key.answer)
            << key.what;
    }
    EXPECT_EQ(GetFocus(), Control(IDC_WET_SLIDER));
    EXPECT_EQ(Automations(), (std::vector<std::pair<int, float>>{{1, 0.525f}, {3, 1.0f}}));
}
