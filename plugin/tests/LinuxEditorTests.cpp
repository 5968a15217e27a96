// The Linux plug-in's editor in a host on a private X server (Xvfb), driven with real X input
// (XTest) as a user would drive it.
#include "EditorInputScript.h"
#include "EditorThumbs.h"
#include "EmbeddedEditorView.h"
#include "LinuxEditorSession.h"
#include "SliderScale.h"
#include "StereoChorusLayout.h"
#include "TrackbarGeometry.h"
#include "resource.h"
#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>

namespace layout = stereo_chorus_layout;

namespace {

struct SRange
{
    float minimum, maximum;
};

// The chorus parameters' real ranges, by host index.
const SRange kRanges[9] = {{0, 1}, {-20, 20}, {0, 100}, {0, 100}, {0, 30}, {0, 100}, {0, 20}, {0, 100}, {0, 2}};

class LinuxEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestDisplay() && TestDisplay()->IsRunning()) << (TestDisplay() ? TestDisplay()->Error() : "");
        ASSERT_TRUE(library.IsLoaded());
        session = std::make_unique<CLinuxEditorSession>(library, *TestDisplay());
        ASSERT_NE(session->Effect(), nullptr);
    }
    void TearDown() override { session.reset(); }

    void Open()
    {
        ASSERT_EQ(session->OpenEditor(), 1);
        ASSERT_TRUE(session->WaitForPaint());
    }
    std::vector<std::uint32_t> Picture()
    {
        return TestDisplay()->Grab(session->EditorX(), session->EditorY(), layout::DialogWidth(), layout::DialogHeight());
    }
    // A point of a control, in screen pixels.
    int ScreenX(int id, int x) { return session->EditorX() + layout::ControlRect(*layout::FindControl(id)).left + x; }
    int ScreenY(int id, int y) { return session->EditorY() + layout::ControlRect(*layout::FindControl(id)).top + y; }
    std::vector<SLinuxHostCall> Automations()
    {
        std::vector<SLinuxHostCall> automations;
        for (const SLinuxHostCall& call : session->Calls())
            if (call.opcode == audioMasterAutomate)
                automations.push_back(call);
        return automations;
    }
    bool WaitForAutomations(size_t count)
    {
        return WaitUntil([&] { return Automations().size() >= count; });
    }
    bool WaitForThumb(int id, int top)
    {
        return WaitUntil([&] { return ThumbTop(Picture(), layout::DialogWidth(), id) == top; });
    }
    // The editor's popups on the screen (the list, the tooltip).
    size_t PopupCount() { return TestDisplay()->PopupNames().size(); }
    float Parameter(int index) { return session->Effect()->getParameter(session->Effect(), index); }
    float Real(int index) { return kRanges[index].minimum + (kRanges[index].maximum - kRanges[index].minimum) * Parameter(index); }

    PluginLibrary library{PLUGIN_PATH};
    std::unique_ptr<CLinuxEditorSession> session;
};

} // namespace

TEST_F(LinuxEditorTest, LooksLikeTheWindowsEditorAndItsThumbsSitWhereWindowsPutsThem)
{
    Open();
    const std::vector<std::uint32_t> linux = Picture();
    int width = 0, height = 0;
    const std::vector<std::uint32_t> windows = ReadPng(WINDOWS_SCREENSHOT, width, height);
    ASSERT_EQ(width, layout::DialogWidth());
    ASSERT_EQ(height, layout::DialogHeight());
    ASSERT_EQ(linux.size(), windows.size());
    int differing = 0;
    for (size_t i = 0; i < linux.size(); ++i)
        for (int shift : {0, 8, 16})
            if (std::abs(static_cast<int>(linux[i] >> shift & 0xFF) - static_cast<int>(windows[i] >> shift & 0xFF)) > 24)
            {
                ++differing;
                break;
            }
    EXPECT_LE(differing, static_cast<int>(linux.size() / 20)) << "pixels differing by more than 24";

    for (const SSliderSetup& setup : layout::kSliders)
        EXPECT_NEAR(ThumbTop(linux, width, setup.id), ThumbTop(windows, width, setup.id), 1) << setup.id;

    // After a program change every thumb moves to where the Windows trackbar puts it.
    session->Dispatch(effSetProgram, 0, 2); // "Crazy Voice"
    for (const SSliderSetup& setup : layout::kSliders)
    {
        const int index = setup.parameterIndex;
        const int expected = ExpectedThumbTop(setup.id, Real(index), kRanges[index].minimum, kRanges[index].maximum);
        EXPECT_TRUE(WaitUntil([&] { return std::abs(ThumbTop(Picture(), width, setup.id) - expected) <= 1; }))
            << setup.id << " expected at " << expected << ", is at " << ThumbTop(Picture(), width, setup.id);
    }
}

TEST_F(LinuxEditorTest, DraggingAFaderSendsOneAutomationPerMovementWithTheWindowsValuesAndShowsTheTooltip)
{
    Open();
    const int id = IDC_DEPTH_SLIDER;
    const SPixelRect rect = layout::ControlRect(*layout::FindControl(id));
    const STrackbarGeometry geometry{rect.Width(), rect.Height()};
    const SPixelRect thumb = geometry.Thumb(30, 100); // Depth 70 %
    const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    TestDisplay()->MoveTo(ScreenX(id, x), ScreenY(id, y));
    TestDisplay()->Press();
    std::vector<float> expected; // one per position the thumb moves to
    for (int to : {y - 7, y - 14, y - 14, y + 20, y + 60})
    {
        TestDisplay()->MoveTo(ScreenX(id, x), ScreenY(id, to));
        const int position = geometry.PositionAt(to, 100);
        const float value = static_cast<float>(100.0 * (1.0 - position / 100.0));
        if (expected.empty() || expected.back() != value / 100.0f)
            expected.push_back(value / 100.0f);
        EXPECT_TRUE(WaitUntil([&] {
            const std::vector<SLinuxHostCall> calls = Automations();
            return calls.size() == expected.size() && calls.back().value == expected.back();
        })) << to;
        char text[32];
        std::snprintf(text, sizeof text, "%.0f %%", value);
        EXPECT_TRUE(WaitUntil([&] {
            const std::vector<std::string> names = TestDisplay()->PopupNames();
            return std::find(names.begin(), names.end(), text) != names.end();
        })) << "tooltip " << text;
    }
    TestDisplay()->Release();
    EXPECT_TRUE(WaitUntil([&] { return TestDisplay()->PopupNames().empty(); })) << "the tooltip goes with the release";
    std::vector<float> sent;
    for (const SLinuxHostCall& call : Automations())
    {
        EXPECT_EQ(call.index, 5);
        sent.push_back(call.value);
    }
    EXPECT_EQ(sent, expected) << "one automation per movement, none for a repeated position";
}

TEST_F(LinuxEditorTest, SwitchesTogglePresetsApplyAsOnWindowsAndRandomDrawsOnlyItsParameters)
{
    Open();
    TestDisplay()->Click(ScreenX(IDC_WAVEFORM_BUTTON, 10), ScreenY(IDC_WAVEFORM_BUTTON, 10));
    ASSERT_TRUE(WaitForAutomations(1));
    TestDisplay()->Click(ScreenX(IDC_BYPASS_BUTTON, 5), ScreenY(IDC_BYPASS_BUTTON, 5));
    ASSERT_TRUE(WaitForAutomations(2));
    EXPECT_EQ(Automations()[0].index, 8);
    EXPECT_FLOAT_EQ(Automations()[0].value, 0.5f); // triangle: 1 of 0..2
    EXPECT_EQ(Automations()[1].index, 0);
    EXPECT_FLOAT_EQ(Automations()[1].value, 1.0f);

    // The list slides out of the right edge; rows of 13 pixels: 0 heading, 1 Clean Chorus,
    // 2 Drive Chorus, 3 Crazy Voice, ... 11 heading "Extra", 12 Random.
    session->ClearCalls();
    TestDisplay()->Click(ScreenX(IDC_PRESETS_BUTTON, 5), ScreenY(IDC_PRESETS_BUTTON, 5));
    const int listX = session->EditorX() + layout::DialogWidth() + 30;
    auto listShown = [&] {
        const std::vector<std::uint32_t> row = TestDisplay()->Grab(listX, session->EditorY() + 20, 1, 1);
        return !row.empty() && row[0] != 0x303030;
    };
    ASSERT_TRUE(WaitUntil(listShown));
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the slide ends
    auto row = [&](int index) { return session->EditorY() + index * 13 + 6; };
    TestDisplay()->Click(listX, row(0)); // a heading changes nothing
    TestDisplay()->Click(listX, row(3));
    ASSERT_TRUE(WaitForAutomations(8));
    std::vector<SLinuxHostCall> calls = Automations();
    ASSERT_EQ(calls.size(), 8u);
    const std::vector<SLinuxHostCall> chosen = calls;
    session->ClearCalls();
    TestDisplay()->Click(listX, row(12));
    ASSERT_TRUE(WaitForAutomations(7));
    calls = Automations();
    ASSERT_EQ(calls.size(), 7u) << "Dry, Wet, Delay, Depth, Rate, Stereo and the LFO type";
    for (const SLinuxHostCall& call : calls)
    {
        EXPECT_GE(call.index, 2) << "never Bypass or Gain";
        const SSliderSetup* setup = nullptr;
        for (const SSliderSetup& s : layout::kSliders)
            if (s.parameterIndex == call.index)
                setup = &s;
        if (call.index == 8)
        {
            EXPECT_TRUE(call.value == 0.0f || call.value == 0.5f) << "the waveform button has two positions";
        }
        else if (setup && !setup->squareLaw)
        {
            EXPECT_NEAR(call.value * setup->positions, std::round(call.value * setup->positions), 1e-3) << call.index;
        }
    }
    // The list follows the editor when the host moves its window.
    TestDisplay()->MoveWindow(session->Parent(), 60, 40);
    EXPECT_TRUE(WaitUntil([&] { return session->EditorX() == 60; }));
    EXPECT_TRUE(WaitUntil([&] {
        // Beyond where the list was, over the host's grey window.
        const std::vector<std::uint32_t> pixel = TestDisplay()->Grab(60 + layout::DialogWidth() + 125, 60, 1, 1);
        return !pixel.empty() && pixel[0] != 0x303030;
    })) << "the list at the editor's new right edge";
    TestDisplay()->Click(ScreenX(IDC_PRESETS_BUTTON, 5), ScreenY(IDC_PRESETS_BUTTON, 5));
    EXPECT_TRUE(WaitUntil([&] { return PopupCount() == 0; })) << "the list slides back in";
    TestDisplay()->Click(ScreenX(IDC_PRESETS_BUTTON, 5), ScreenY(IDC_PRESETS_BUTTON, 5));
    EXPECT_TRUE(WaitUntil([&] { return PopupCount() == 1; })) << "out again";
    TestDisplay()->UnmapWindow(session->Parent());
    EXPECT_TRUE(WaitUntil([&] { return PopupCount() == 0; })) << "the host hides the editor: the list goes at once";
    // Each value as the Windows controls land it: the program's value on the fader's nearest
    // position, the waveform on or off.
    char name[64] = {};
    for (int program = 0; program < 16 && std::string(name) != "Crazy Voice"; ++program)
    {
        session->Dispatch(effSetProgram, 0, program);
        session->Dispatch(effGetProgramName, 0, 0, name);
    }
    ASSERT_STREQ(name, "Crazy Voice");
    for (int k = 1; k <= 8; ++k)
    {
        const SLinuxHostCall& call = chosen[static_cast<size_t>(k - 1)];
        EXPECT_EQ(call.index, k);
        const SRange range = kRanges[k];
        const float value = range.minimum + (range.maximum - range.minimum) *
                                                Parameter(k);
        float landed = value >= 0.5f ? 1.0f : 0.0f;
        for (const SSliderSetup& setup : layout::kSliders)
            if (setup.parameterIndex == k)
            {
                SSliderScale scale{range.minimum, range.maximum, true};
                if (setup.squareLaw)
                    scale.valueTaper = SquareLawValueTaper, scale.positionTaper = SquareLawPositionTaper;
                landed = static_cast<float>(scale.ToValue(scale.ToPosition(value, setup.positions), setup.positions));
            }
        EXPECT_FLOAT_EQ(call.value, (landed - range.minimum) / (range.maximum - range.minimum)) << k;
    }

}

TEST_F(LinuxEditorTest, HostAutomationAndProgramChangesShowWithoutAnyIdleCall)
{
    Open();
    session->Effect()->setParameter(session->Effect(), 5, 0.25f);
    EXPECT_TRUE(WaitForThumb(IDC_DEPTH_SLIDER, ExpectedThumbTop(IDC_DEPTH_SLIDER, 25.0f, 0.0f, 100.0f)));
    session->Dispatch(effSetProgram, 0, 7); // "Vibrato": Dry 0 %
    EXPECT_TRUE(WaitForThumb(IDC_DRY_SLIDER, ExpectedThumbTop(IDC_DRY_SLIDER, Real(2), 0.0f, 100.0f)));
    EXPECT_TRUE(Automations().empty()) << "a refresh writes nothing back";
}

TEST_F(LinuxEditorTest, HundredOpenCloseCyclesWhileAudioRunsLeaveNoWindowThreadOrDescriptorBehind)
{
    CProcessingThread audio(session->Effect());
    Open();
    session->CloseEditor();
    const int descriptors = CountEntries("/proc/self/fd");
    const int threads = CountEntries("/proc/self/task");
    const size_t popups = TestDisplay()->Children(TestDisplay()->Root()).size();
    for (int i = 0; i < 100; ++i)
    {
        ASSERT_EQ(session->OpenEditor(), 1);
        if (i % 10 == 0) // now and then with the list out
            TestDisplay()->Click(ScreenX(IDC_PRESETS_BUTTON, 5), ScreenY(IDC_PRESETS_BUTTON, 5));
        session->CloseEditor();
    }
    audio.Stop();
    EXPECT_EQ(CountEntries("/proc/self/fd"), descriptors);
    EXPECT_EQ(CountEntries("/proc/self/task"), threads - 1) << "only the audio thread has gone";
    EXPECT_TRUE(TestDisplay()->Children(session->Parent()).empty());
    EXPECT_EQ(TestDisplay()->Children(TestDisplay()->Root()).size(), popups);
}

TEST_F(LinuxEditorTest, ClosingThePluginWithItsEditorOpenOrAfterTheHostDestroyedTheParentIsQuietAndSafe)
{
    // Anything written to the standard error (an X error report) lands in a file we read back.
    std::FILE* captured = std::tmpfile();
    const int saved = dup(STDERR_FILENO);
    dup2(fileno(captured), STDERR_FILENO);

    Open();
    TestDisplay()->DestroyWindow(session->Parent()); // as many Linux hosts do before effEditClose
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    session->CloseEditor();
    session.reset();

    session = std::make_unique<CLinuxEditorSession>(library, *TestDisplay());
    Open();
    session->ClosePlugin(); // effClose with the editor open

    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    EXPECT_EQ(std::ftell(captured), 0L) << "nothing printed";
    std::fclose(captured);
}

TEST_F(LinuxEditorTest, TwoInstancesShowTheirEditorsAtOnce)
{
    Open();
    CLinuxEditorSession second(library, *TestDisplay(), 20, 360);
    ASSERT_EQ(second.OpenEditor(), 1);
    ASSERT_TRUE(second.WaitForPaint());
    EXPECT_EQ(TestDisplay()->Children(session->Parent()).size(), 1u);
    EXPECT_EQ(TestDisplay()->Children(second.Parent()).size(), 1u);
    second.Effect()->setParameter(second.Effect(), 5, 0.0f);
    const std::vector<std::uint32_t> first = Picture();
    EXPECT_TRUE(WaitUntil([&] {
        const std::vector<std::uint32_t> other =
            TestDisplay()->Grab(second.EditorX(), second.EditorY(), layout::DialogWidth(), layout::DialogHeight());
        return ThumbTop(other, layout::DialogWidth(), IDC_DEPTH_SLIDER) ==
               ExpectedThumbTop(IDC_DEPTH_SLIDER, 0.0f, 0.0f, 100.0f);
    }));
    EXPECT_EQ(ThumbTop(first, layout::DialogWidth(), IDC_DEPTH_SLIDER),
              ExpectedThumbTop(IDC_DEPTH_SLIDER, 70.0f, 0.0f, 100.0f));
    second.CloseEditor();
}

TEST_F(LinuxEditorTest, WithoutADisplayTheEditorDoesNotOpenAndThePluginKeepsWorking)
{
    const std::string display = getenv("DISPLAY");
    unsetenv("DISPLAY");
    session->OpenEditor();
    setenv("DISPLAY", display.c_str(), 1);
    ERect* rect = nullptr;
    session->Dispatch(effEditGetRect, 0, 0, &rect);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 0) << "no window, no size";
    EXPECT_EQ(rect->bottom, 0);
    EXPECT_TRUE(TestDisplay()->Children(session->Parent()).empty());

    session->Dispatch(effMainsChanged, 0, 1);
    std::vector<float> left(64, 0.5f), right(64, 0.5f);
    float* buffers[2] = {left.data(), right.data()};
    session->Effect()->processReplacing(session->Effect(), buffers, buffers, 64);
    EXPECT_NE(left[63], 0.0f);
    Open(); // and with a display again it opens
}

TEST_F(LinuxEditorTest, TheLogoStripOpensTheAboutBoxAndAClickClosesIt)
{
    Open();
    const struct { int x, y; bool opens; } clicks[] = {
        {6, 36, true}, {29, 134, true}, {5, 36, false}, {30, 100, false}, {10, 135, false}};
    for (const auto& click : clicks)
    {
        TestDisplay()->Click(session->EditorX() + click.x, session->EditorY() + click.y);
        if (click.opens)
        {
            EXPECT_TRUE(WaitUntil([&] {
                return TestDisplay()->PopupNames() == std::vector<std::string>{layout::AboutCaption()};
            })) << click.x << "," << click.y;
            TestDisplay()->Click(session->EditorX() + 200, session->EditorY() + 87); // on the box
            EXPECT_TRUE(WaitUntil([&] { return PopupCount() == 0; }));
        }
        else
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            EXPECT_EQ(PopupCount(), 0u) << click.x << "," << click.y;
        }
    }
}

// The host of this test waits on its UI thread inside audioMasterAutomate, as some hosts do: a
// value arriving on another thread makes it close the editor on its UI thread and wait for that.
// Were the value sent from the editor's own thread, effEditClose would wait for that thread and
// that thread for the host: a deadlock, which the host's bounded wait turns into a failure.
TEST_F(LinuxEditorTest, AHostThatIdlesGetsTheEditorsValuesOnItsOwnThreadAndCanCloseTheEditorFromThere)
{
    std::mutex lock;
    std::condition_variable changed;
    std::thread::id uiThread;
    bool opened = false, closeRequested = false, closed = false;
    std::atomic<bool> waitedInVain{false};
    session->onCall = [&](const SLinuxHostCall& call) {
        if (call.opcode != audioMasterAutomate)
            return;
        std::unique_lock<std::mutex> guard(lock);
        closeRequested = true;
        changed.notify_all();
        if (call.thread != uiThread && !changed.wait_for(guard, std::chrono::seconds(5), [&] { return closed; }))
            waitedInVain = true;
    };
    std::thread ui([&] {
        {
            std::lock_guard<std::mutex> guard(lock);
            uiThread = std::this_thread::get_id();
            opened = session->OpenEditor() == 1;
        }
        changed.notify_all();
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (opened && std::chrono::steady_clock::now() < giveUp)
        {
            session->Dispatch(effEditIdle);
            std::unique_lock<std::mutex> guard(lock);
            if (changed.wait_for(guard, std::chrono::milliseconds(10), [&] { return closeRequested; }))
            {
                guard.unlock();
                session->CloseEditor();
                guard.lock();
                closed = true;
                changed.notify_all();
                return;
            }
        }
    });
    {
        std::unique_lock<std::mutex> guard(lock);
        changed.wait(guard, [&] { return opened || uiThread != std::thread::id(); });
    }
    if (opened && session->WaitForPaint())
        TestDisplay()->Click(ScreenX(IDC_BYPASS_BUTTON, 5), ScreenY(IDC_BYPASS_BUTTON, 5));
    ui.join();
    ASSERT_TRUE(opened);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(waitedInVain) << "the host's UI thread closed the editor while the editor's thread waited in the host";
    const std::vector<SLinuxHostCall> automations = Automations();
    ASSERT_EQ(automations.size(), 1u);
    EXPECT_EQ(automations[0].index, 0);
    EXPECT_EQ(automations[0].value, 1.0f);
    EXPECT_EQ(automations[0].thread, uiThread) << "from the host's idle call, on its UI thread";
}

namespace {

SGestureSource GesturesOf(CLinuxEditorSession& session)
{
    return SGestureSource{[&session] {
                              std::vector<SHostGesture> gestures;
                              for (const SLinuxHostCall& call : session.Calls())
                                  if (call.opcode == audioMasterAutomate)
                                      gestures.push_back({SHostGesture::Change, call.index, call.value});
                                  else if (call.opcode == audioMasterBeginEdit || call.opcode == audioMasterEndEdit)
                                      ADD_FAILURE() << "a VST 2 host hears of no gesture";
                              return gestures;
                          },
                          [&session] { session.ClearCalls(); }, false};
}

} // namespace

TEST_F(LinuxEditorTest, KeysWheelDoubleClickCtrlClickAndShiftDragReachTheHostAsOneGestureEach)
{
    Open();
    RunEditorInputScript(*TestDisplay(), session->EditorX(), session->EditorY(), GesturesOf(*session),
                         "editor-linux-focus-switch.png");
    TestDisplay()->SavePng("editor-linux-focus.png", session->EditorX(), session->EditorY(), layout::DialogWidth(),
                           layout::DialogHeight());
}

// Hosts that take the keyboard themselves hand the keys on with effEditKeyDown and effEditKeyUp;
// the answer is 1 only for a key the editor acts on, so the host keeps the rest.
TEST_F(LinuxEditorTest, KeysTheHostForwardsWorkAndOnlyThoseTheEditorTakesAreAnsweredOne)
{
    Open();
    const struct
    {
        const char* what;
        int character, virt, modifiers;
        int answer;
        int index;     // of the one gesture, -1 for none
        double value;
    } keys[] = {
        {"Up before any focus", 0, VKEY_UP, 0, 0, -1, 0},
        {"Tab: Gain", 0, VKEY_TAB, 0, 1, -1, 0},
        {"Up", 0, VKEY_UP, 0, 1, 1, 21.0 / 40},
        {"Shift+Down", 0, VKEY_DOWN, MODIFIER_SHIFT, 1, 1, 20.9 / 40},
        {"Page Down", 0, VKEY_PAGEDOWN, 0, 1, 1, 16.9 / 40},
        {"End", 0, VKEY_END, 0, 1, 1, 1.0},
        {"a letter", 'a', 0, 0, 0, -1, 0},
        {"Escape", 0, 6, 0, 0, -1, 0},
        {"Shift+Tab twice: Dry", 0, VKEY_TAB, MODIFIER_SHIFT, 1, -1, 0},
        {"", 0, VKEY_TAB, MODIFIER_SHIFT, 1, -1, 0},
        {"Home", 0, VKEY_HOME, 0, 1, 2, 0.0},
    };
    for (const auto& key : keys)
    {
        session->ClearCalls();
        EXPECT_EQ(session->Dispatch(effEditKeyDown, key.character, key.virt, nullptr, key.modifiers), key.answer)
            << key.what;
        EXPECT_EQ(session->Dispatch(effEditKeyUp, key.character, key.virt, nullptr, key.modifiers), key.answer)
            << key.what << " (released)";
        const std::vector<SHostGesture> got = GesturesOf(*session).received();
        if (key.index < 0)
        {
            EXPECT_TRUE(got.empty()) << key.what;
            continue;
        }
        ASSERT_EQ(got.size(), 1u) << key.what;
        EXPECT_EQ(got[0].index, key.index) << key.what;
        EXPECT_NEAR(got[0].value, key.value, 2e-6) << key.what;
    }
    for (int i = 0; i < 7; ++i) // from Dry: Wet, Gain, Delay, Depth, Rate, Stereo, the waveform
        session->Dispatch(effEditKeyDown, 0, VKEY_TAB);
    session->ClearCalls();
    EXPECT_EQ(session->Dispatch(effEditKeyDown, 0, VKEY_SPACE), 1);
    EXPECT_EQ(GesturesOf(*session).received().size(), 1u) << "Space switches the waveform";
    EXPECT_FLOAT_EQ(Parameter(8), 0.5f);
    EXPECT_EQ(session->Dispatch(effEditKeyDown, 0, VKEY_UP), 0) << "a switch takes no arrow";
}
