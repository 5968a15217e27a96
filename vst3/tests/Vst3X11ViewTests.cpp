// The Linux VST 3 bundle's editor view in our test host on a private X server (Xvfb): attached to
// a host window for the X11 embed window type and driven with real X input (XTest).
#include "EditorInputScript.h"
#include "SliderScale.h"
#include "StereoChorusLayout.h"
#include "TrackbarGeometry.h"
#include "Vst3HostObjects.h"
#include "XvfbDisplay.h"
#include "resource.h"
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <gtest/gtest.h>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace Vst3;
namespace layout = stereo_chorus_layout;

namespace {

constexpr const char* kX11 = "X11EmbedWindowID";
constexpr ParamID kProgramChangeId = 0x10000;
constexpr int kProgramCount = 16;

int CountEntries(const char* folder)
{
    int count = 0;
    if (DIR* dir = opendir(folder)) {
        while (readdir(dir))
            ++count;
        closedir(dir);
    }
    return count;
}

// The window id as the pointer VST 3 hands over for the X11 embed window type.
void* AsParent(std::uint32_t window) { return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window)); }

// The editor's gestures as the host sees them, from whichever thread they come.
class CLockedHandler final : public IComponentHandler, CHostUnknown
{
public:
    struct SCall
    {
        char kind; // 'b'egin, 'p'erform, 'e'nd, 'r'estart (the flags as the value)
        ParamID id;
        ParamValue value;
        std::thread::id thread;
    };
    tresult VST3_CALL queryInterface(const TUID iid, void** object) override
    {
        return Query(iid, kComponentHandlerIid, static_cast<IComponentHandler*>(this), object);
    }
    uint32_t VST3_CALL addRef() override { return 1; }
    uint32_t VST3_CALL release() override { return 1; }
    tresult VST3_CALL beginEdit(ParamID id) override { return Record('b', id, 0); }
    tresult VST3_CALL performEdit(ParamID id, ParamValue value) override { return Record('p', id, value); }
    tresult VST3_CALL endEdit(ParamID id) override { return Record('e', id, 0); }
    tresult VST3_CALL restartComponent(int32_t flags) override { return Record('r', 0, flags); }

    std::vector<SCall> Calls()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        return m_calls;
    }
    void Clear()
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_calls.clear();
    }
    // The calls as the editor input script reads a host's gestures.
    SGestureSource Gestures()
    {
        return SGestureSource{[this] {
                                  std::vector<SHostGesture> gestures;
                                  for (const SCall& call : Calls())
                                      gestures.push_back({call.kind == 'b'   ? SHostGesture::Begin
                                                          : call.kind == 'p' ? SHostGesture::Change
                                                                             : SHostGesture::End,
                                                          static_cast<int>(call.id), call.value});
                                  return gestures;
                              },
                              [this] { Clear(); }};
    }

private:
    tresult Record(char kind, ParamID id, ParamValue value)
    {
        std::lock_guard<std::mutex> lock(m_lock);
        m_calls.push_back({kind, id, value, std::this_thread::get_id()});
        return kResultOk;
    }
    std::mutex m_lock;
    std::vector<SCall> m_calls;
};

// A host's frame that offers its run loop, as Linux hosts do; the test thread turns the loop.
class CRunLoopFrame final : public IPlugFrame, public IRunLoop
{
public:
    tresult VST3_CALL queryInterface(const TUID iid, void** object) override
    {
        *object = nullptr;
        if (SameUid(iid, kRunLoopIid))
            *object = static_cast<IRunLoop*>(this);
        else if (SameUid(iid, kPlugFrameIid) || SameUid(iid, kFUnknownIid))
            *object = static_cast<IPlugFrame*>(this);
        else
            return kNoInterface;
        addRef();
        return kResultOk;
    }
    uint32_t VST3_CALL addRef() override { return ++references; }
    uint32_t VST3_CALL release() override { return --references; }
    tresult VST3_CALL resizeView(IPlugView*, ViewRect* rect) override
    {
        if (rect)
            resized.push_back(*rect);
        return kResultOk;
    }
    tresult VST3_CALL registerEventHandler(IEventHandler*, int) override { return kResultFalse; }
    tresult VST3_CALL unregisterEventHandler(IEventHandler*) override { return kResultFalse; }
    tresult VST3_CALL registerTimer(ITimerHandler* handler, uint64_t milliseconds) override
    {
        if (!handler || milliseconds == 0 || timer)
            return kResultFalse;
        timer = handler;
        ++registrations;
        return kResultOk;
    }
    tresult VST3_CALL unregisterTimer(ITimerHandler* handler) override
    {
        if (!handler || handler != timer)
            return kResultFalse;
        timer = nullptr;
        return kResultOk;
    }
    void Turn()
    {
        if (timer)
            timer->onTimer();
    }

    ITimerHandler* timer = nullptr;
    std::vector<ViewRect> resized;
    int registrations = 0;
    uint32_t references = 0;
};

struct Instance
{
    explicit Instance(const CVst3Module& module)
    {
        component = static_cast<IComponent*>(module.Create(kComponentIid));
        if (!component)
            return;
        component->queryInterface(kEditControllerIid.bytes, reinterpret_cast<void**>(&controller));
        component->initialize(nullptr);
    }
    ~Instance()
    {
        if (controller)
            controller->release();
        if (component) {
            component->terminate();
            component->release();
        }
    }
    Instance(const Instance&) = delete;
    Instance& operator=(const Instance&) = delete;

    IComponent* component = nullptr;
    IEditController* controller = nullptr;
};

// The top row of a fader's thumb in a picture of the editor: the first row down the thumb's left
// part that is not the panel's red (as the Linux editor's own tests find it).
int ThumbTop(const std::vector<std::uint32_t>& pixels, int id)
{
    const SPixelRect rect = layout::ControlRect(*layout::FindControl(id));
    const int x = rect.left + 13;
    for (int y = rect.top; y < rect.bottom; ++y)
        if (pixels[static_cast<size_t>(y) * layout::DialogWidth() + x] != 0x800000)
            return y - rect.top;
    return -1;
}

// Where a 0..100 fader of 100 positions puts its thumb for `value`.
int ExpectedThumbTop(int id, double value)
{
    SSliderScale scale;
    scale.reversed = true;
    const SPixelRect rect = layout::ControlRect(*layout::FindControl(id));
    const STrackbarGeometry geometry{rect.Width(), rect.Height()};
    return geometry.Thumb(scale.ToPosition(value, 100), 100).top;
}

class Vst3X11View : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        display = std::make_unique<CXvfbDisplay>();
        module = std::make_unique<CVst3Module>(VST3_PATH);
    }
    static void TearDownTestSuite()
    {
        module.reset();
        display.reset();
    }
    void SetUp() override
    {
        ASSERT_TRUE(display->IsRunning()) << display->Error();
        ASSERT_TRUE(module->Error().empty()) << module->Error();
        plugin = std::make_unique<Instance>(*module);
        ASSERT_NE(plugin->controller, nullptr);
        parent = display->CreateHostWindow(30, 30, 600, 300);
        view = plugin->controller->createView("editor");
        ASSERT_NE(view, nullptr) << "the Linux bundle offers its editor";
    }
    void TearDown() override
    {
        if (view) {
            view->removed();
            view->release();
        }
        plugin.reset();
        display->DestroyWindow(parent);
    }

    // The editor's window on the screen, once attached.
    std::vector<std::uint32_t> Picture()
    {
        const std::vector<std::uint32_t> children = display->Children(parent);
        if (children.size() != 1)
            return {};
        int x = 0, y = 0;
        display->Origin(children[0], x, y);
        return display->Grab(x, y, layout::DialogWidth(), layout::DialogHeight());
    }
    bool WaitForThumb(int id, int top)
    {
        return WaitUntil([&] {
            const std::vector<std::uint32_t> picture = Picture();
            return !picture.empty() && ThumbTop(picture, id) == top;
        });
    }
    void ScreenPoint(int id, int x, int y, int& screenX, int& screenY)
    {
        display->Origin(display->Children(parent).at(0), screenX, screenY);
        const SPixelRect rect = layout::ControlRect(*layout::FindControl(id));
        screenX += rect.left + x;
        screenY += rect.top + y;
    }

    static std::unique_ptr<CXvfbDisplay> display;
    static std::unique_ptr<CVst3Module> module;
    std::unique_ptr<Instance> plugin;
    std::uint32_t parent = 0;
    IPlugView* view = nullptr;
};
std::unique_ptr<CXvfbDisplay> Vst3X11View::display;
std::unique_ptr<CVst3Module> Vst3X11View::module;

TEST_F(Vst3X11View, KnowsItsSizeBeforeAttachingAndTwentyAttachRemoveCyclesLeaveNoWindowOrDescriptor)
{
    EXPECT_EQ(view->isPlatformTypeSupported(kX11), kResultTrue);
    EXPECT_EQ(view->isPlatformTypeSupported("HWND"), kResultFalse);
    EXPECT_EQ(plugin->controller->createView("editor"), nullptr) << "one window object, one view";
    ViewRect before{};
    ASSERT_EQ(view->getSize(&before), kResultOk) << "hosts size their frame first";
    EXPECT_EQ(before.right - before.left, layout::DialogWidth());
    EXPECT_EQ(before.bottom - before.top, layout::DialogHeight());
    EXPECT_TRUE(display->Children(parent).empty()) << "measuring opens no window";

    const struct
    {
        void* parent;
        const char* type;
    } refused[] = {{AsParent(parent), "HWND"}, {nullptr, kX11}, {AsParent(parent), nullptr}};
    for (const auto& attempt : refused)
        EXPECT_NE(view->attached(attempt.parent, attempt.type), kResultOk) << (attempt.type ? attempt.type : "null");

    // Counted after a first cycle: that one may start what lives as long as the process (fonts,
    // a sanitizer's own thread).
    ASSERT_EQ(view->attached(AsParent(parent), kX11), kResultOk);
    ASSERT_EQ(view->removed(), kResultOk);
    const int descriptors = CountEntries("/proc/self/fd");
    const int threads = CountEntries("/proc/self/task");
    const size_t topLevel = display->Children(display->Root()).size();
    for (int cycle = 0; cycle < 20; ++cycle) {
        ASSERT_EQ(view->attached(AsParent(parent), kX11), kResultOk) << cycle;
        EXPECT_EQ(display->Children(parent).size(), 1u);
        EXPECT_NE(view->attached(AsParent(parent), kX11), kResultOk) << "one window at a time";
        ViewRect after{};
        ASSERT_EQ(view->getSize(&after), kResultOk);
        EXPECT_EQ(after.right - after.left, before.right - before.left);
        EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
        ASSERT_EQ(view->removed(), kResultOk);
        // The server ends the editor's connection and windows after removed() has returned.
        EXPECT_TRUE(WaitUntil([&] { return display->Children(parent).empty(); })) << cycle;
    }
    EXPECT_EQ(CountEntries("/proc/self/fd"), descriptors);
    EXPECT_EQ(CountEntries("/proc/self/task"), threads) << "the editor's thread ends with its window";
    EXPECT_TRUE(WaitUntil([&] { return display->Children(display->Root()).size() == topLevel; }));
}

TEST_F(Vst3X11View, ReleasingThePluginWithTheViewAttachedClosesTheWindowAndLeavesTheViewHarmless)
{
    const int descriptors = CountEntries("/proc/self/fd");
    ASSERT_EQ(view->attached(AsParent(parent), kX11), kResultOk);
    plugin.reset();
    EXPECT_TRUE(WaitUntil([&] { return display->Children(parent).empty(); }));
    EXPECT_EQ(CountEntries("/proc/self/fd"), descriptors);
    EXPECT_NE(view->removed(), kResultOk);
    EXPECT_NE(view->attached(AsParent(parent), kX11), kResultOk);
    ViewRect size{};
    view->getSize(&size);
}

TEST_F(Vst3X11View, TheHostDestroyingItsWindowBeforeRemovedIsQuietAndTheViewAttachesAgain)
{
    // Anything written to the standard error (an X error report) lands in a file we read back.
    std::FILE* captured = std::tmpfile();
    const int saved = dup(STDERR_FILENO);
    dup2(fileno(captured), STDERR_FILENO);
    ASSERT_EQ(view->attached(AsParent(parent), kX11), kResultOk);
    display->DestroyWindow(parent); // as many Linux hosts do before removed()
    std::this_thread::sleep_for(std::chrono::milliseconds(100)); // the editor meets the loss first
    const tresult removed = view->removed();
    parent = display->CreateHostWindow(30, 30, 600, 300);
    const tresult again = view->attached(AsParent(parent), kX11);
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    EXPECT_EQ(removed, kResultOk);
    EXPECT_EQ(again, kResultOk);
    EXPECT_EQ(std::ftell(captured), 0L) << "nothing printed";
    std::fclose(captured);
}

TEST_F(Vst3X11View, WithoutAnXDisplayAttachingFailsAndThePluginKeepsWorking)
{
    const std::string saved = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    setenv("DISPLAY", ":9999", 1);
    const tresult result = view->attached(AsParent(parent), kX11);
    setenv("DISPLAY", saved.c_str(), 1);
    EXPECT_NE(result, kResultOk);
    ViewRect size{};
    EXPECT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(plugin->controller->setParamNormalized(5, 0.25), kResultOk);
    EXPECT_EQ(plugin->controller->getParamNormalized(5), 0.25);
    EXPECT_EQ(view->attached(AsParent(parent), kX11), kResultOk) << "a display again: it opens";
}

// With the host's run loop the gestures come on the host's thread (the one that attached the
// view) when its loop turns; without one, straight from the editor's thread.
TEST_F(Vst3X11View, AFaderDragReachesTheHostAsBeginEditPerformEditForEveryMoveAndEndEdit)
{
    for (const bool runLoop : {false, true}) {
        SCOPED_TRACE(runLoop ? "host run loop" : "no run loop");
        CLockedHandler handler;
        CRunLoopFrame frame;
        ASSERT_EQ(plugin->controller->setComponentHandler(&handler), kResultOk);
        if (runLoop) {
            ASSERT_EQ(view->setFrame(&frame), kResultOk);
        }
        ASSERT_EQ(view->attached(AsParent(parent), kX11), kResultOk);
        EXPECT_EQ(frame.registrations, runLoop ? 1 : 0);
        const auto calls = [&] {
            frame.Turn();
            return handler.Calls();
        };
        const double depth = plugin->controller->getParamNormalized(5);
        ASSERT_TRUE(WaitForThumb(IDC_DEPTH_SLIDER, ExpectedThumbTop(IDC_DEPTH_SLIDER, depth * 100.0)));

        const SPixelRect rect = layout::ControlRect(*layout::FindControl(IDC_DEPTH_SLIDER));
        const STrackbarGeometry geometry{rect.Width(), rect.Height()};
        const SPixelRect thumb = geometry.Thumb(SSliderScale{0, 100, true}.ToPosition(depth * 100.0, 100), 100);
        const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
        int screenX = 0, screenY = 0;
        ScreenPoint(IDC_DEPTH_SLIDER, x, y, screenX, screenY);
        display->MoveTo(screenX, screenY);
        display->Press();
        for (int step = 1; step <= 3; ++step) {
            display->MoveTo(screenX, screenY + 6 * step);
            EXPECT_TRUE(WaitUntil([&] {
                int performs = 0;
                for (const auto& call : calls())
                    performs += call.kind == 'p';
                return performs >= step;
            })) << step;
        }
        display->Release();
        ASSERT_TRUE(WaitUntil([&] { return !calls().empty() && calls().back().kind == 'e'; }));

        const std::vector<CLockedHandler::SCall> sent = handler.Calls();
        ASSERT_GE(sent.size(), 5u);
        EXPECT_EQ(sent.front().kind, 'b');
        for (size_t i = 1; i + 1 < sent.size(); ++i) {
            EXPECT_EQ(sent[i].kind, 'p') << i;
            EXPECT_LT(sent[i].value, i > 1 ? sent[i - 1].value : depth) << "the fader went down at every move";
        }
        for (const auto& call : sent) {
            EXPECT_EQ(call.id, 5u);
            EXPECT_EQ(call.thread == std::this_thread::get_id(), runLoop);
        }
        EXPECT_EQ(plugin->controller->getParamNormalized(5), sent[sent.size() - 2].value)
            << "the plug-in holds what the host was told";
        ASSERT_EQ(view->removed(), kResultOk);
        EXPECT_EQ(frame.timer, nullptr) << "the timer goes with the window";
        view->setFrame(nullptr);
        EXPECT_EQ(frame.references, 0u);
        plugin->controller->setComponentHandler(nullptr);
    }
}

TEST_F(Vst3X11View, APresetFromTheListReachesTheHostAsOneValuesChangedRestartFromItsRunLoop)
{
    CLockedHandler handler;
    CRunLoopFrame frame;
    ASSERT_EQ(plugin->controller->setComponentHandler(&handler), kResultOk);
    ASSERT_EQ(view->setFrame(&frame), kResultOk);
    ASSERT_EQ(view->attached(AsParent(parent), kX11), kResultOk);
    ASSERT_TRUE(WaitUntil([&] { return !Picture().empty(); }));
    int x = 0, y = 0;
    ScreenPoint(IDC_PRESETS_BUTTON, 5, 5, x, y);
    display->Click(x, y);
    int editorX = 0, editorY = 0;
    display->Origin(display->Children(parent).at(0), editorX, editorY);
    const int listX = editorX + layout::DialogWidth() + 30;
    ASSERT_TRUE(WaitUntil([&] {
        const std::vector<std::uint32_t> pixel = display->Grab(listX, editorY + 20, 1, 1);
        return !pixel.empty() && pixel[0] != 0x303030;
    })) << "the list slides out";
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the slide ends
    display->Click(listX, editorY + 3 * 13 + 6);                // Crazy Voice
    auto restarts = [&] {
        frame.Turn();
        std::vector<CLockedHandler::SCall> found;
        for (const auto& call : handler.Calls())
            if (call.kind == 'r')
                found.push_back(call);
        return found;
    };
    ASSERT_TRUE(WaitUntil([&] { return !restarts().empty(); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::vector<CLockedHandler::SCall> sent = restarts();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].value, 4.0) << "kParamValuesChanged";
    EXPECT_EQ(sent[0].thread, std::this_thread::get_id()) << "from the host's run loop";
    ASSERT_EQ(view->removed(), kResultOk);
    view->setFrame(nullptr);
    plugin->controller->setComponentHandler(nullptr);
}

TEST_F(Vst3X11View, WithTheHostsRunLoopReleasingThePluginWhileAttachedEndsTheTimerAndTheFrameIsLetGo)
{
    CRunLoopFrame frame;
    ASSERT_EQ(view->setFrame(&frame), kResultOk);
    ASSERT_EQ(view->attached(AsParent(parent), kX11), kResultOk);
    ASSERT_NE(frame.timer, nullptr);
    plugin.reset();
    EXPECT_EQ(frame.timer, nullptr);
    frame.Turn();
    view->release();
    view = nullptr;
    EXPECT_EQ(frame.references, 0u) << "the view held the frame only while it lived";
}

TEST_F(Vst3X11View, HostValueAndProgramChangesShowInTheAttachedEditor)
{
    ASSERT_EQ(view->attached(AsParent(parent), kX11), kResultOk);
    ASSERT_EQ(plugin->controller->setParamNormalized(5, 0.25), kResultOk);
    EXPECT_TRUE(WaitForThumb(IDC_DEPTH_SLIDER, ExpectedThumbTop(IDC_DEPTH_SLIDER, 25.0)));
    std::vector<int> dryThumbs;
    for (int program = 1; program < kProgramCount; ++program) {
        ASSERT_EQ(plugin->controller->setParamNormalized(kProgramChangeId, program / double(kProgramCount - 1)),
                  kResultOk);
        dryThumbs.push_back(ExpectedThumbTop(IDC_DRY_SLIDER, plugin->controller->getParamNormalized(2) * 100.0));
        EXPECT_TRUE(WaitForThumb(IDC_DRY_SLIDER, dryThumbs.back())) << program;
    }
    EXPECT_NE(*std::min_element(dryThumbs.begin(), dryThumbs.end()), *std::max_element(dryThumbs.begin(), dryThumbs.end()))
        << "the programs moved the fader";
}

// The same keys, wheel and clicks as in the VST 2 editor, each one beginEdit, performEdit, endEdit;
// and the keys and wheel notches a host forwards through the view, answered kResultTrue only when
// the editor acts on them.
TEST_F(Vst3X11View, KeysWheelAndClicksReachTheHostAsOneGestureEachAlsoWhenTheHostForwardsThem)
{
    CLockedHandler handler;
    ASSERT_EQ(plugin->controller->setComponentHandler(&handler), kResultOk);
    ASSERT_EQ(view->attached(AsParent(parent), kX11), kResultOk);
    ASSERT_TRUE(WaitForThumb(IDC_DEPTH_SLIDER, ExpectedThumbTop(IDC_DEPTH_SLIDER, 70.0)));
    int x = 0, y = 0;
    display->Origin(display->Children(parent).at(0), x, y);
    RunEditorInputScript(*display, x, y, handler.Gestures());

    // Forwarded: the focus is on Depth from the drag, the pointer over it.
    constexpr int16_t kTabCode = 2, kUpCode = 12, kShift = 1;
    handler.Clear();
    EXPECT_EQ(view->onKeyDown(0, kUpCode, 0), kResultTrue);
    EXPECT_EQ(view->onKeyUp(0, kUpCode, 0), kResultTrue);
    EXPECT_EQ(view->onKeyDown(u'a', 0, 0), kResultFalse) << "a letter stays the host's";
    EXPECT_EQ(view->onKeyUp(u'a', 0, 0), kResultFalse);
    EXPECT_EQ(view->onWheel(1.0f), kResultTrue);
    ASSERT_TRUE(WaitUntil([&] { return handler.Calls().size() == 6u; }));
    const std::vector<CLockedHandler::SCall> calls = handler.Calls();
    const char kinds[] = {'b', 'p', 'e', 'b', 'p', 'e'};
    for (size_t i = 0; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].kind, kinds[i]) << i;
        EXPECT_EQ(calls[i].id, 5u) << i;
    }
    EXPECT_GT(calls[4].value, calls[1].value) << "key and wheel both raise Depth";
    EXPECT_EQ(view->onKeyDown(0, kTabCode, kShift), kResultTrue) << "Shift+Tab: Delay";
    int screenX = 0, screenY = 0;
    ScreenPoint(IDC_MODULATION_FRAME, 40, 4, screenX, screenY); // the frame's caption: no fader
    display->MoveTo(screenX, screenY);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(view->onWheel(-1.0f), kResultFalse) << "no fader under the pointer";
    plugin->controller->setComponentHandler(nullptr);
}

} // namespace

TEST_F(Vst3X11View, TheHostsContentScaleSizesTheViewBeforeAndWhileItIsAttached)
{
    setenv("XDG_CONFIG_HOME", ("/tmp/vst3-view-config-" + std::to_string(getpid())).c_str(), 1); // nothing chosen
    void* found = nullptr;
    ASSERT_EQ(view->queryInterface(kPlugViewContentScaleSupportIid.bytes, &found), kResultOk);
    auto* scaling = static_cast<IPlugViewContentScaleSupport*>(found);
    EXPECT_EQ(scaling->setContentScaleFactor(2.0f), kResultTrue);
    ViewRect size{};
    ASSERT_EQ(view->getSize(&size), kResultOk);
    EXPECT_EQ(size.right - size.left, 816);
    EXPECT_EQ(size.bottom - size.top, 348);

    CRunLoopFrame frame;
    ASSERT_EQ(view->setFrame(&frame), kResultOk);
    ASSERT_EQ(view->attached(AsParent(parent), kX11), kResultOk);
    EXPECT_EQ(scaling->setContentScaleFactor(1.5f), kResultTrue);
    ASSERT_EQ(frame.resized.size(), 1u) << "the frame is asked to follow";
    EXPECT_EQ(frame.resized[0].right - frame.resized[0].left, 612);
    EXPECT_EQ(frame.resized[0].bottom - frame.resized[0].top, 261);
    ViewRect constrained{0, 0, 100, 100};
    EXPECT_EQ(view->checkSizeConstraint(&constrained), kResultOk);
    EXPECT_EQ(constrained.right, 612) << "only its own size";
    EXPECT_EQ(scaling->setContentScaleFactor(-1.0f), kResultFalse);
    view->removed();
    view->setFrame(nullptr);
    scaling->release();
}
