// The LV2 bundle's X11 UI in a small LV2 UI host on a private X server (Xvfb), driven with real X
// input (XTest): it opens only where the host gives what it requires, talks to the plug-in only
// through ports, on the host's UI thread, and shows the port values the host sends.
#include "EditorInputScript.h"
#include "EditorThumbs.h"
#include "EmbeddedEditorView.h"
#include "StereoChorusLayout.h"
#include "TrackbarGeometry.h"
#include "resource.h"
#include <gtest/gtest.h>
#include <cmath>
#include <dlfcn.h>
#include <lv2/atom/atom.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>
#include <unistd.h>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace layout = stereo_chorus_layout;

namespace {

constexpr char kUiUri[] = "http://www.orvane-music.com/plugins/stereo-chorus#ui";
constexpr char kPluginUri[] = "http://www.orvane-music.com/plugins/stereo-chorus";
// The ports: audio in 0, 1, out 2, 3, then "enabled" 4 and the controls in host order.
constexpr uint32_t kEnabledPort = 4;
constexpr uint32_t kDryPort = 6;
constexpr uint32_t kDepthPort = 9;

using SSize = std::pair<int, int>; // width, height

// What the UI sent the host: a port value, or a gesture's start or end (grab 1 / 0).
struct SSent
{
    enum EKind { kWrite, kTouch } kind;
    uint32_t port;
    float value;
    bool onHostThread;
};

class Lv2UiHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestDisplay() && TestDisplay()->IsRunning()) << (TestDisplay() ? TestDisplay()->Error() : "");
        library = dlopen(LV2_UI_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        const auto entry = reinterpret_cast<LV2UI_DescriptorFunction>(dlsym(library, "lv2ui_descriptor"));
        ASSERT_NE(entry, nullptr);
        descriptor = entry(0);
        ASSERT_NE(descriptor, nullptr);
        EXPECT_EQ(entry(1), nullptr);
        parent = TestDisplay()->CreateHostWindow(20, 20, 600, 300);
        touch.handle = this;
        touch.touch = [](LV2UI_Feature_Handle handle, uint32_t port, bool grabbed) {
            static_cast<Lv2UiHost*>(handle)->Record(SSent::kTouch, port, grabbed ? 1.0f : 0.0f);
        };
        parentFeature = {LV2_UI__parent, reinterpret_cast<void*>(static_cast<std::uintptr_t>(parent))};
    }
    void TearDown() override
    {
        if (ui)
            descriptor->cleanup(ui);
        if (parent)
            TestDisplay()->DestroyWindow(parent);
        if (library)
            dlclose(library);
    }

    LV2UI_Handle Instantiate(const std::vector<const LV2_Feature*>& given, LV2UI_Widget* widget = nullptr)
    {
        std::vector<const LV2_Feature*> features = given;
        features.push_back(nullptr);
        LV2UI_Widget unused = nullptr;
        return descriptor->instantiate(descriptor, kPluginUri, "/nowhere/", Write, this, widget ? widget : &unused,
                                       features.data());
    }
    void Open()
    {
        ui = Instantiate({&parentFeature, &idleFeature, &touchFeature});
        ASSERT_NE(ui, nullptr);
        idle = static_cast<const LV2UI_Idle_Interface*>(descriptor->extension_data(LV2_UI__idleInterface));
        ASSERT_NE(idle, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return view.Corner() == 0; })) << "the editor paints its black corner";
    }
    void Record(SSent::EKind kind, uint32_t port, float value)
    {
        sent.push_back({kind, port, value, std::this_thread::get_id() == hostThread});
    }
    static void Write(LV2UI_Controller controller, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
    {
        auto* self = static_cast<Lv2UiHost*>(controller);
        ASSERT_EQ(size, sizeof(float));
        ASSERT_EQ(format, 0u);
        self->Record(SSent::kWrite, port, *static_cast<const float*>(buffer));
    }
    // The host's UI loop: idle calls until `done` holds.
    bool IdleUntil(const std::function<bool()>& done)
    {
        return WaitUntil([&] {
            idle->idle(ui);
            return done();
        });
    }
    size_t Count(SSent::EKind kind) const
    {
        size_t count = 0;
        for (const SSent& s : sent)
            count += s.kind == kind;
        return count;
    }
    void PortEvent(uint32_t port, float value, uint32_t size = sizeof(float), uint32_t format = 0)
    {
        descriptor->port_event(ui, port, size, format, &value);
    }

    void* library = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    const LV2UI_Idle_Interface* idle = nullptr;
    LV2UI_Handle ui = nullptr;
    std::uint32_t parent = 0;
    CEmbeddedEditorView view{*TestDisplay(), parent};
    LV2UI_Touch touch{};
    LV2_Feature parentFeature{};
    LV2_Feature idleFeature{LV2_UI__idleInterface, nullptr};
    LV2_Feature touchFeature{LV2_UI__touch, &touch};
    LV2UI_Resize resize{this, [](LV2UI_Feature_Handle handle, int width, int height) {
                            static_cast<Lv2UiHost*>(handle)->sizes.emplace_back(width, height);
                            return 0;
                        }};
    LV2_Feature resizeFeature{LV2_UI__resize, &resize};
    std::vector<SSize> sizes; // what the UI told the host through ui:resize
    std::thread::id hostThread = std::this_thread::get_id();
    std::vector<SSent> sent;
};

} // namespace

TEST_F(Lv2UiHost, OpensInTheHostsWindowOnlyWithAParentAndIdleCallsAndCyclesLeaveNoWindowThreadOrDescriptor)
{
    EXPECT_STREQ(descriptor->URI, kUiUri);
    EXPECT_NE(descriptor->extension_data(LV2_UI__idleInterface), nullptr);
    EXPECT_EQ(descriptor->extension_data(LV2_UI__showInterface), nullptr);
    EXPECT_EQ(Instantiate({&idleFeature, &touchFeature}), nullptr) << "no parent window";
    EXPECT_EQ(Instantiate({&parentFeature, &touchFeature}), nullptr) << "a host that makes no idle calls";
    const std::string display = getenv("DISPLAY");
    unsetenv("DISPLAY");
    EXPECT_EQ(Instantiate({&parentFeature, &idleFeature}), nullptr) << "no X display";
    setenv("DISPLAY", display.c_str(), 1);
    EXPECT_TRUE(TestDisplay()->Children(parent).empty());

    // A first window opens what a process opens once (fonts); the cycles then must leave nothing.
    Open();
    descriptor->cleanup(ui);
    ui = nullptr;
    const int descriptors = CountEntries("/proc/self/fd");
    const int threads = CountEntries("/proc/self/task");
    const size_t topLevel = TestDisplay()->Children(TestDisplay()->Root()).size();
    for (int round = 0; round < 20; ++round) {
        LV2UI_Widget widget = nullptr;
        // ui:resize in odd rounds, ui:touch in even ones.
        const LV2_Feature* optional = round % 2 ? &resizeFeature : &touchFeature;
        LV2UI_Handle handle = Instantiate({&parentFeature, &idleFeature, optional}, &widget);
        ASSERT_NE(handle, nullptr);
        const std::vector<std::uint32_t> children = TestDisplay()->Children(parent);
        ASSERT_EQ(children.size(), 1u);
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(widget), children[0]) << "the widget is the editor's window";
        descriptor->cleanup(handle);
        // Another client's destroy may reach the server after our next request.
        EXPECT_TRUE(WaitUntil([&] { return TestDisplay()->Children(parent).empty(); }));
    }
    const std::vector<SSize> expectedSizes(10, SSize{layout::DialogWidth(), layout::DialogHeight()});
    EXPECT_EQ(sizes, expectedSizes)
        << "the editor's size, told once per window where the host takes it";
    EXPECT_EQ(CountEntries("/proc/self/fd"), descriptors);
    EXPECT_EQ(CountEntries("/proc/self/task"), threads);
    EXPECT_EQ(TestDisplay()->Children(TestDisplay()->Root()).size(), topLevel);
}

TEST_F(Lv2UiHost, AFaderDragReachesItsPortInIdleCallsBetweenTouchGrabAndReleaseAndBypassWritesEnabledOff)
{
    Open();
    const int id = IDC_DEPTH_SLIDER;
    const SPixelRect rect = layout::ControlRect(*layout::FindControl(id));
    const STrackbarGeometry geometry{rect.Width(), rect.Height()};
    const SPixelRect thumb = geometry.Thumb(30, 100); // Depth 70 %
    const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    TestDisplay()->MoveTo(view.ScreenX(id, x), view.ScreenY(id, y));
    TestDisplay()->Press();
    std::vector<float> expected; // the Windows values, one per position the thumb moves to
    for (int to : {y - 7, y - 14, y + 20}) {
        TestDisplay()->MoveTo(view.ScreenX(id, x), view.ScreenY(id, to));
        expected.push_back(static_cast<float>(100.0 * (1.0 - geometry.PositionAt(to, 100) / 100.0)));
        EXPECT_TRUE(IdleUntil([&] { return Count(SSent::kWrite) == expected.size(); })) << to;
    }
    TestDisplay()->Release();
    ASSERT_TRUE(IdleUntil([&] { return Count(SSent::kTouch) == 2; }));
    ASSERT_EQ(sent.size(), expected.size() + 2);
    EXPECT_EQ(sent.front().kind, SSent::kTouch);
    EXPECT_EQ(sent.front().value, 1.0f) << "grabbed";
    EXPECT_EQ(sent.back().kind, SSent::kTouch);
    EXPECT_EQ(sent.back().value, 0.0f) << "released";
    for (size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(sent[i].port, kDepthPort);
        EXPECT_TRUE(sent[i].onHostThread) << "write_function and touch only from the host's idle call";
        if (i > 0 && i + 1 < sent.size()) {
            EXPECT_NEAR(sent[i].value, expected[i - 1], 1e-4) << "in %, the port's unit";
        }
    }

    sent.clear();
    TestDisplay()->Click(view.ScreenX(IDC_BYPASS_BUTTON, 5), view.ScreenY(IDC_BYPASS_BUTTON, 5));
    ASSERT_TRUE(IdleUntil([&] { return Count(SSent::kWrite) == 1; }));
    EXPECT_EQ(sent.back().port, kEnabledPort);
    EXPECT_EQ(sent.back().value, 0.0f) << "bypassed: not enabled";

    // A preset from the product's own list writes every one of its values (Gain .. LFO Type).
    sent.clear();
    TestDisplay()->Click(view.ScreenX(IDC_PRESETS_BUTTON, 5), view.ScreenY(IDC_PRESETS_BUTTON, 5));
    const int listX = view.X() + layout::DialogWidth() + 30;
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<std::uint32_t> row = TestDisplay()->Grab(listX, view.Y() + 20, 1, 1);
        return !row.empty() && row[0] != 0x303030;
    })) << "the list slides out";
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the slide ends
    TestDisplay()->Click(listX, view.Y() + 3 * 13 + 6); // "Crazy Voice"
    ASSERT_TRUE(IdleUntil([&] { return Count(SSent::kWrite) == 8; }));
    for (const SSent& s : sent)
        if (s.kind == SSent::kWrite) {
            EXPECT_GE(s.port, kEnabledPort + 1);
            EXPECT_LE(s.port, kEnabledPort + 8);
        }
}

TEST_F(Lv2UiHost, PortValuesFromTheHostShowInTheEditorAndWriteNothingBack)
{
    Open();
    PortEvent(kDepthPort, 25.0f);
    EXPECT_TRUE(view.WaitForThumb(IDC_DEPTH_SLIDER, ExpectedThumbTop(IDC_DEPTH_SLIDER, 25.0f, 0.0f, 100.0f)));
    // Events the UI must ignore, then one it takes: once that shows, Depth still shows 25 %.
    PortEvent(kDepthPort, NAN);
    PortEvent(kDepthPort, 90.0f, 8);    // not one float
    PortEvent(kDepthPort, 90.0f, 4, 7); // not a control value
    PortEvent(kDryPort, 40.0f);
    EXPECT_TRUE(view.WaitForThumb(IDC_DRY_SLIDER, ExpectedThumbTop(IDC_DRY_SLIDER, 40.0f, 0.0f, 100.0f)));
    const std::vector<std::uint32_t> picture =
        TestDisplay()->Grab(view.X(), view.Y(), layout::DialogWidth(), layout::DialogHeight());
    EXPECT_EQ(ThumbTop(picture, layout::DialogWidth(), IDC_DEPTH_SLIDER),
              ExpectedThumbTop(IDC_DEPTH_SLIDER, 25.0f, 0.0f, 100.0f));
    PortEvent(0, 10.0f); // an audio port
    PortEvent(100, 10.0f);
    for (int i = 0; i < 5; ++i)
        idle->idle(ui);
    EXPECT_TRUE(sent.empty()) << "a refresh sends nothing";
}

// The keys, wheel and clicks of the VST 2 editor's script, each as touch grabbed, one port value
// and touch released, in the host's idle calls. Port 4 is "enabled", Bypass turned round; the
// parameters follow in host order.
TEST_F(Lv2UiHost, KeysWheelAndClicksReachTheHostAsOneTouchEach)
{
    Open();
    const SGestureSource ports{[&] {
                                   idle->idle(ui);
                                   std::vector<SHostGesture> gestures;
                                   for (const SSent& s : sent) {
                                       const int index = static_cast<int>(s.port - kEnabledPort);
                                       if (s.kind == SSent::kTouch)
                                           gestures.push_back({s.value != 0.0f ? SHostGesture::Begin : SHostGesture::End,
                                                               index, 0.0});
                                       else
                                           gestures.push_back({SHostGesture::Change, index,
                                                               index == 0 ? 1.0 - s.value : NormalisedValue(index, s.value)});
                                   }
                                   return gestures;
                               },
                               [&] { sent.clear(); }};
    RunEditorInputScript(*TestDisplay(), view.X(), view.Y(), ports);
}

TEST_F(Lv2UiHost, TheHostsScaleFactorOptionSizesTheEditorItTellsTheHost)
{
    setenv("XDG_CONFIG_HOME", ("/tmp/lv2-ui-config-" + std::to_string(getpid())).c_str(), 1); // nothing chosen
    descriptor->cleanup(ui);
    ui = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return TestDisplay()->Children(parent).empty(); }));
    // A URID map of two entries, as the option needs.
    LV2_URID_Map map{nullptr, [](LV2_URID_Map_Handle, const char* uri) -> LV2_URID {
                         return std::string(uri) == LV2_UI__scaleFactor ? 1 : std::string(uri) == LV2_ATOM__Float ? 2 : 3;
                     }};
    const float factor = 2.0f;
    const LV2_Options_Option options[] = {{LV2_OPTIONS_INSTANCE, 0, 1, sizeof factor, 2, &factor},
                                          {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr}};
    LV2_Feature mapFeature{LV2_URID__map, &map};
    LV2_Feature optionsFeature{LV2_OPTIONS__options, const_cast<LV2_Options_Option*>(options)};
    sizes.clear();
    ui = Instantiate({&parentFeature, &idleFeature, &resizeFeature, &mapFeature, &optionsFeature});
    ASSERT_NE(ui, nullptr);
    EXPECT_EQ(sizes, std::vector<SSize>({SSize{816, 348}}));
}
