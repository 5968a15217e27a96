// The Linux StereoChorus.clap's editor in a CLAP host on a private X server (Xvfb), driven with
// real X input (XTest): the gui extension's window calls, the user's gestures reaching the host
// as events, and the host's changes showing in the editor.
#include "ClapHost.h"
#include "ClapLibrary.h"
#include "EditorInputScript.h"
#include "EditorThumbs.h"
#include "EmbeddedEditorView.h"
#include "StereoChorusLayout.h"
#include "TrackbarGeometry.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>
#include <mutex>
#include <thread>

namespace layout = stereo_chorus_layout;

namespace {

constexpr char kPluginId[] = "com.orvane-music.stereo-chorus";
constexpr std::uint32_t kHostGrey = 0x303030;

class ClapEditor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestDisplay() && TestDisplay()->IsRunning()) << (TestDisplay() ? TestDisplay()->Error() : "");
        ASSERT_TRUE(library.IsLoaded()) << "cannot load " << CLAP_PLUGIN_PATH;
        entry = static_cast<const clap::Entry*>(library.Symbol("clap_entry"));
        ASSERT_NE(entry, nullptr);
        ASSERT_TRUE(entry->init(CLAP_PLUGIN_PATH));
        const auto* factory = static_cast<const clap::PluginFactory*>(entry->getFactory(clap::kPluginFactoryId));
        ASSERT_NE(factory, nullptr);
        plugin = factory->createPlugin(factory, &host.record, kPluginId);
        ASSERT_NE(plugin, nullptr);
        ASSERT_TRUE(plugin->init(plugin));
        gui = static_cast<const clap::PluginGui*>(plugin->getExtension(plugin, clap::kExtGui));
        params = static_cast<const clap::PluginParams*>(plugin->getExtension(plugin, clap::kExtParams));
        ASSERT_NE(gui, nullptr) << "the Linux .clap offers its editor";
        ASSERT_NE(params, nullptr);
        parent = TestDisplay()->CreateHostWindow(20, 20, 600, 300);
        window.api = clap::kWindowApiX11;
        window.x11 = parent;
    }
    void TearDown() override
    {
        if (plugin)
            plugin->destroy(plugin);
        if (entry)
            entry->deinit();
        if (parent)
            TestDisplay()->DestroyWindow(parent);
    }

    void Open()
    {
        ASSERT_TRUE(gui->create(plugin, clap::kWindowApiX11, false));
        ASSERT_TRUE(gui->setParent(plugin, &window));
        ASSERT_TRUE(gui->show(plugin));
        ASSERT_TRUE(WaitUntil([&] { return view.Corner() == 0; })) << "the editor paints its black corner";
    }
    // The host's main thread answering the editor's flush requests, until `done` holds.
    bool FlushUntil(const std::function<bool()>& done)
    {
        return WaitUntil([&] {
            if (host.flushRequests.load() > flushesAnswered) {
                flushesAnswered = host.flushRequests.load();
                params->flush(plugin, nullptr, collected.Get());
            }
            return done();
        });
    }

    CClapLibrary library{CLAP_PLUGIN_PATH};
    STestHost host;
    const clap::Entry* entry = nullptr;
    const clap::Plugin* plugin = nullptr;
    const clap::PluginGui* gui = nullptr;
    const clap::PluginParams* params = nullptr;
    std::uint32_t parent = 0;
    CEmbeddedEditorView view{*TestDisplay(), parent};
    clap::Window window{};
    COutputEvents collected;
    int flushesAnswered = 0;
};

} // namespace

TEST_F(ClapEditor, TheX11WindowEmbedsHidesShowsAndGoesWithDestroyLeavingNoWindowThreadOrDescriptor)
{
    const char* api = nullptr;
    bool floating = true;
    ASSERT_TRUE(gui->getPreferredApi(plugin, &api, &floating));
    EXPECT_STREQ(api, clap::kWindowApiX11);
    EXPECT_FALSE(floating);
    EXPECT_FALSE(gui->isApiSupported(plugin, clap::kWindowApiX11, true)) << "never floating";
    EXPECT_FALSE(gui->setParent(plugin, &window)) << "before create";

    // A first window opens what a process opens once (fonts); the cycles then must leave nothing.
    Open();
    gui->destroy(plugin);
    const int descriptors = CountEntries("/proc/self/fd");
    const int threads = CountEntries("/proc/self/task");
    const size_t topLevel = TestDisplay()->Children(TestDisplay()->Root()).size();
    for (int round = 0; round < 30; ++round) {
        ASSERT_TRUE(gui->create(plugin, clap::kWindowApiX11, false));
        EXPECT_FALSE(gui->create(plugin, clap::kWindowApiX11, false)) << "twice";
        std::uint32_t width = 0, height = 0;
        ASSERT_TRUE(gui->getSize(plugin, &width, &height)) << "asked before the host's window is given";
        EXPECT_EQ(width, static_cast<std::uint32_t>(layout::DialogWidth()));
        EXPECT_EQ(height, static_cast<std::uint32_t>(layout::DialogHeight()));
        EXPECT_FALSE(gui->canResize(plugin));
        ASSERT_TRUE(gui->setParent(plugin, &window));
        EXPECT_FALSE(gui->setParent(plugin, &window)) << "one parent per window";
        EXPECT_EQ(TestDisplay()->Children(parent).size(), 1u);
        EXPECT_TRUE(gui->show(plugin));
        if (round % 10 == 0) {
            EXPECT_TRUE(WaitUntil([&] { return view.Corner() == 0; })) << "shown";
            EXPECT_TRUE(gui->hide(plugin));
            EXPECT_TRUE(WaitUntil([&] { return view.Corner() == kHostGrey; })) << "hidden: the host's window shows";
            EXPECT_TRUE(gui->show(plugin));
            EXPECT_TRUE(WaitUntil([&] { return view.Corner() == 0; })) << "shown again";
        }
        gui->destroy(plugin);
        // Another client's destroy may reach the server after our next request.
        EXPECT_TRUE(WaitUntil([&] { return TestDisplay()->Children(parent).empty(); }));
        EXPECT_FALSE(gui->show(plugin)) << "no window after destroy";
    }
    EXPECT_EQ(CountEntries("/proc/self/fd"), descriptors);
    EXPECT_EQ(CountEntries("/proc/self/task"), threads);
    EXPECT_EQ(TestDisplay()->Children(TestDisplay()->Root()).size(), topLevel);

    // Destroyed with its window open: the window goes with the plug-in.
    Open();
    plugin->destroy(plugin);
    plugin = nullptr;
    // Another client's destroy may reach the server after our next request.
    EXPECT_TRUE(WaitUntil([&] { return TestDisplay()->Children(parent).empty(); }));
    EXPECT_EQ(CountEntries("/proc/self/task"), threads);
}

TEST_F(ClapEditor, AFaderDragReachesTheHostAsGestureBeginValuesAndEndAndAClickWhileBlocksRunRidesTheBlocks)
{
    Open();
    const int id = IDC_DEPTH_SLIDER;
    const SPixelRect rect = layout::ControlRect(*layout::FindControl(id));
    const STrackbarGeometry geometry{rect.Width(), rect.Height()};
    const SPixelRect thumb = geometry.Thumb(30, 100); // Depth 70 %
    const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    auto rowsOfType = [&](std::uint16_t type) {
        size_t count = 0;
        for (const COutputEvents::SRow& row : collected.rows)
            count += row.type == type;
        return count;
    };
    TestDisplay()->MoveTo(view.ScreenX(id, x), view.ScreenY(id, y));
    TestDisplay()->Press();
    std::vector<double> expected; // the Windows values, one per position the thumb moves to
    for (int to : {y - 7, y - 14, y + 20}) {
        TestDisplay()->MoveTo(view.ScreenX(id, x), view.ScreenY(id, to));
        expected.push_back(100.0 * (1.0 - geometry.PositionAt(to, 100) / 100.0));
        EXPECT_TRUE(FlushUntil([&] { return rowsOfType(clap::kEventParamValue) == expected.size(); })) << to;
    }
    TestDisplay()->Release();
    EXPECT_TRUE(FlushUntil([&] { return rowsOfType(clap::kEventParamGestureEnd) == 1; }));
    ASSERT_EQ(collected.rows.size(), expected.size() + 2);
    EXPECT_EQ(collected.rows.front().type, clap::kEventParamGestureBegin);
    EXPECT_EQ(collected.rows.back().type, clap::kEventParamGestureEnd);
    for (size_t i = 0; i < collected.rows.size(); ++i) {
        EXPECT_EQ(collected.rows[i].id, 5u) << "Depth's id";
        if (i > 0 && i + 1 < collected.rows.size()) {
            EXPECT_NEAR(collected.rows[i].value, expected[i - 1], 1e-4) << "in %, the parameter's own unit";
        }
    }
    double depth = 0;
    ASSERT_TRUE(params->getValue(plugin, 5, &depth));
    EXPECT_NEAR(depth, expected.back(), 1e-4) << "the plug-in took the value it sent";

    // While blocks run, the waveform switch's value comes out of a block, with no flush asked for.
    ASSERT_TRUE(plugin->activate(plugin, 44100.0, 1, 256));
    ASSERT_TRUE(plugin->startProcessing(plugin));
    const int flushes = host.flushRequests.load();
    std::atomic<bool> stop{false};
    std::mutex lock;
    COutputEvents fromBlocks;
    std::thread audio([&] {
        std::vector<float> left(256, 0.1f), right(256, 0.1f);
        float* channels[] = {left.data(), right.data()};
        clap::AudioBuffer buffer{channels, nullptr, 2, 0, 0};
        const CInputEvents none;
        while (!stop) {
            std::lock_guard<std::mutex> guard(lock);
            const clap::Process process{-1, 256, nullptr, &buffer, &buffer, 1, 1, none.Get(), fromBlocks.Get()};
            plugin->process(plugin, &process);
        }
    });
    TestDisplay()->Click(view.ScreenX(IDC_WAVEFORM_BUTTON, 10), view.ScreenY(IDC_WAVEFORM_BUTTON, 10));
    EXPECT_TRUE(WaitUntil([&] {
        std::lock_guard<std::mutex> guard(lock);
        for (const COutputEvents::SRow& row : fromBlocks.rows)
            if (row.type == clap::kEventParamValue && row.id == 8 && row.value == 1.0)
                return true;
        return false;
    })) << "LFO Type 1, triangle";
    stop = true;
    audio.join();
    EXPECT_EQ(host.flushRequests.load(), flushes);
    plugin->stopProcessing(plugin);
    plugin->deactivate(plugin);
}

TEST_F(ClapEditor, APresetOrRandomFromTheListHasTheHostRescanTheValuesFromItsMainThread)
{
    Open();
    TestDisplay()->Click(view.ScreenX(IDC_PRESETS_BUTTON, 5), view.ScreenY(IDC_PRESETS_BUTTON, 5));
    const int listX = view.X() + layout::DialogWidth() + 30;
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<std::uint32_t> pixel = TestDisplay()->Grab(listX, view.Y() + 20, 1, 1);
        return !pixel.empty() && pixel[0] != kHostGrey;
    })) << "the list slides out";
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the slide ends
    // Rows of 13 pixels: 3 Crazy Voice, 12 Random. The editor's thread may not rescan: it asks
    // for the main-thread callback, which rescans once.
    int rescans = host.rescans;
    for (int row : {3, 12}) {
        const int requests = host.callbackRequests.load();
        TestDisplay()->Click(listX, view.Y() + row * 13 + 6);
        ASSERT_TRUE(FlushUntil([&] { return host.callbackRequests.load() > requests; })) << row;
        EXPECT_EQ(host.rescans, rescans) << "not from the editor's thread";
        plugin->onMainThread(plugin);
        EXPECT_EQ(host.rescans, ++rescans);
        EXPECT_EQ(host.lastRescanFlags, clap::kParamRescanValues);
        plugin->onMainThread(plugin);
        EXPECT_EQ(host.rescans, rescans) << "once per preset";
    }
}

TEST_F(ClapEditor, TheHostsValuesShowInTheEditorAndWriteNothingBack)
{
    Open();
    CInputEvents events;
    events.Add(5, 25.0); // Depth 25 %
    events.Add(2, 40.0); // Dry 40 %
    COutputEvents out;
    params->flush(plugin, events.Get(), out.Get());
    EXPECT_TRUE(view.WaitForThumb(IDC_DEPTH_SLIDER, ExpectedThumbTop(IDC_DEPTH_SLIDER, 25.0f, 0.0f, 100.0f)));
    EXPECT_TRUE(view.WaitForThumb(IDC_DRY_SLIDER, ExpectedThumbTop(IDC_DRY_SLIDER, 40.0f, 0.0f, 100.0f)));
    params->flush(plugin, nullptr, out.Get());
    EXPECT_TRUE(out.rows.empty()) << "a refresh sends no events";
    EXPECT_EQ(host.flushRequests.load(), 0);
}

// The keys, wheel and clicks of the VST 2 editor's script, each as gesture begin, one value and
// gesture end, with no block running: the editor asks for a flush.
TEST_F(ClapEditor, KeysWheelAndClicksReachTheHostAsOneGestureEach)
{
    Open();
    const SGestureSource events{[&] {
                                    FlushUntil([] { return true; });
                                    std::vector<SHostGesture> gestures;
                                    for (const COutputEvents::SRow& row : collected.rows) {
                                        const int index = static_cast<int>(row.id);
                                        if (row.type == clap::kEventParamGestureBegin)
                                            gestures.push_back({SHostGesture::Begin, index, 0.0});
                                        else if (row.type == clap::kEventParamGestureEnd)
                                            gestures.push_back({SHostGesture::End, index, 0.0});
                                        else if (row.type == clap::kEventParamValue)
                                            gestures.push_back(
                                                {SHostGesture::Change, index, NormalisedValue(index, row.value)});
                                    }
                                    return gestures;
                                },
                                [&] { collected.rows.clear(); }};
    RunEditorInputScript(*TestDisplay(), view.X(), view.Y(), events);
}

TEST_F(ClapEditor, SetScaleSizesTheEditorAndGetSizeCanResizeAdjustSizeAndSetSizeAgree)
{
    setenv("XDG_CONFIG_HOME", ("/tmp/clap-editor-config-" + std::to_string(getpid())).c_str(), 1); // nothing chosen
    ASSERT_TRUE(gui->create(plugin, clap::kWindowApiX11, false));
    ASSERT_TRUE(gui->setScale(plugin, 2.0));
    EXPECT_FALSE(gui->setScale(plugin, 0.0));
    uint32_t width = 0, height = 0;
    ASSERT_TRUE(gui->getSize(plugin, &width, &height));
    EXPECT_EQ(width, 816u);
    EXPECT_EQ(height, 348u);
    EXPECT_FALSE(gui->canResize(plugin)) << "the sizes come from the editor's menu";
    uint32_t adjustedWidth = 1000, adjustedHeight = 10;
    ASSERT_TRUE(gui->adjustSize(plugin, &adjustedWidth, &adjustedHeight));
    EXPECT_EQ(adjustedWidth, 816u);
    EXPECT_EQ(adjustedHeight, 348u);
    EXPECT_TRUE(gui->setSize(plugin, 816, 348));
    EXPECT_FALSE(gui->setSize(plugin, 408, 174));

    TestDisplay()->ResizeWindow(parent, 900, 400);
    ASSERT_TRUE(gui->setParent(plugin, &window));
    ASSERT_TRUE(gui->show(plugin));
    ASSERT_TRUE(WaitUntil([&] { return view.Corner() == 0; }));
    const std::vector<std::uint32_t> margin = TestDisplay()->Grab(view.X() + 812, view.Y() + 344, 1, 1);
    ASSERT_EQ(margin.size(), 1u);
    EXPECT_EQ(margin[0], 0u) << "the 200 % editor's black margin, where the host's grey would be at 100 %";
    ASSERT_TRUE(gui->setScale(plugin, 1.0));
    ASSERT_TRUE(gui->getSize(plugin, &width, &height));
    EXPECT_EQ(width, 408u);
    gui->destroy(plugin);
}
