// The Linux editor at the scales hosts and users choose, on a private X server (Xvfb) with real
// X input (XTest): its size and picture at each, the desktop's own scale, the size menu, its
// settings file and many size changes while audio runs.
#include "EditorScale.h"
#include "EditorThumbs.h"
#include "EmbeddedEditorView.h"
#include "LinuxEditorSession.h"
#include "StereoChorusLayout.h"
#include "TrackbarGeometry.h"
#include "X11ScreenScale.h"
#include "resource.h"
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace {

using Picture = std::vector<std::uint32_t>;

class LinuxEditorScaleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(TestDisplay() && TestDisplay()->IsRunning()) << (TestDisplay() ? TestDisplay()->Error() : "");
        // The user's settings of this test only: nothing chosen yet.
        const std::string config = "/tmp/editor-scale-config-" + std::to_string(getpid());
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        std::remove((config + "/OrvaneMusic/StereoChorus.conf").c_str());
        ASSERT_TRUE(library.IsLoaded());
        NewSession();
    }
    void TearDown() override { session.reset(); }

    void NewSession()
    {
        session.reset();
        session = std::make_unique<CLinuxEditorSession>(library, *TestDisplay());
        ASSERT_NE(session->Effect(), nullptr);
        TestDisplay()->ResizeWindow(session->Parent(), 1300, 600);
    }
    // Opens at the host's scale (0: none given) and answers the editor's rectangle.
    void OpenAt(float scale, int& width, int& height)
    {
        if (scale > 0.0f)
            session->Dispatch(effVendorSpecific, kVendorPresonus, kContentScaleFactor, nullptr, scale);
        ASSERT_EQ(session->OpenEditor(), 1);
        ASSERT_TRUE(session->WaitForPaint());
        ERect* rect = nullptr;
        ASSERT_EQ(session->Dispatch(effEditGetRect, 0, 0, &rect), 1);
        width = rect->right - rect->left;
        height = rect->bottom - rect->top;
    }
    Picture Grab(int width, int height) { return TestDisplay()->Grab(session->EditorX(), session->EditorY(), width, height); }
    // The size menu: a right click on the logo strip, then a click on the entry's row.
    bool ChooseSize(int row, double scale)
    {
        const SPixelRect logo = CStereoChorusLayout(scale).AboutArea();
        TestDisplay()->RightClick(session->EditorX() + logo.left + 5, session->EditorY() + logo.top + 20);
        int x = 0, y = 0, width = 0, height = 0;
        if (!WaitUntil([&] { return TestDisplay()->FindPopup("Editor size", x, y, width, height); }))
            return false;
        if (const char* folder = std::getenv("EDITOR_PICTURES_DIR")) // to look at it
            TestDisplay()->SavePng(std::string(folder) + "/size-menu.png", x, y, width, height);
        const int rows = static_cast<int>(std::size(stereo_chorus_layout::kChoosableSizes)) + 1;
        TestDisplay()->Click(x + 10, y + height * row / rows + height / rows / 2);
        return true;
    }
    std::vector<SLinuxHostCall> SizeRequests()
    {
        std::vector<SLinuxHostCall> requests;
        for (const SLinuxHostCall& call : session->Calls())
            if (call.opcode == audioMasterSizeWindow)
                requests.push_back(call);
        return requests;
    }

    PluginLibrary library{PLUGIN_PATH};
    std::unique_ptr<CLinuxEditorSession> session;
};

} // namespace

TEST(ScreenScaleTest, XftDpiComesFirstThenGdkScaleAndNothingUsableGivesNone)
{
    const struct { const char* resources; const char* gdk; double scale; } cases[] = {
        {"Xft.dpi:\t192\n", nullptr, 2.0},           {"Xcursor.size: 24\nXft.dpi: 144\n", "3", 1.5},
        {"Xft.dpi:\t96\n", "2", 1.0},                {"", "2", 2.0},
        {"Xft.dpi: none\n", "x", 0.0},               {"Xft.antialias: 1\n", nullptr, 0.0},
        {"Xft.dpi:\t-5\n", "", 0.0},                 {"", "0", 0.0}};
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(ScreenScaleFrom(c.resources, c.gdk), c.scale) << c.resources << " / " << (c.gdk ? c.gdk : "-");
}

// A Shift drag moves by PositionsPerPixel, a plain one by PositionAt: over the pixels between
// the first position and the last both must count the same travel, at every scale.
TEST(ScaledTrackbarTest, FineAndPlainDragsAgreeOnTheTravelOfEveryFaderAtEveryScale)
{
    for (double scale : {1.0, 1.5, 2.0, 3.0})
        for (const SSliderSetup& setup : stereo_chorus_layout::kSliders)
        {
            const STrackbarGeometry geometry = CStereoChorusLayout(scale).Trackbar(setup.id);
            int first = 0, last = 0;
            for (int y = geometry.clientHeight; y >= 0; --y)
            {
                const int position = geometry.PositionAt(y, setup.positions);
                first = position >= 1 ? y : first;
                last = position >= setup.positions ? y : last;
            }
            EXPECT_NEAR((last - first) * geometry.PositionsPerPixel(setup.positions), setup.positions - 1,
                        geometry.PositionsPerPixel(setup.positions))
                << setup.id << " at " << scale;
        }
}

TEST_F(LinuxEditorScaleTest, AtEachScaleTheHostGivesTheEditorTakesItsSizeAndDrawsNatively)
{
    int width = 0, height = 0;
    OpenAt(1.0f, width, height);
    ASSERT_EQ(width, 408);
    ASSERT_EQ(height, 174);
    const Picture normal = Grab(width, height);
    int docWidth = 0, docHeight = 0;
    EXPECT_EQ(normal, ReadPng(LINUX_SCREENSHOT, docWidth, docHeight)) << "100 % is today's picture";
    session->CloseEditor();

    const struct { float scale; int width, height; } sizes[] = {{1.5f, 612, 261}, {3.0f, 1224, 522}, {2.0f, 816, 348}};
    Picture large;
    for (const auto& size : sizes)
    {
        OpenAt(size.scale, width, height);
        EXPECT_EQ(width, size.width) << size.scale;
        EXPECT_EQ(height, size.height) << size.scale;
        large = Grab(width, height);
        if (const char* folder = std::getenv("EDITOR_PICTURES_DIR")) // to look at them
            TestDisplay()->SavePng(std::string(folder) + "/editor-linux-" + std::to_string(width) + ".png",
                                   session->EditorX(), session->EditorY(), width, height);
        for (const SSliderSetup& setup : stereo_chorus_layout::kSliders)
            EXPECT_NEAR(ThumbTop(large, width, setup.id, size.scale), ThumbTop(normal, 408, setup.id) * size.scale,
                        ThumbTolerance(size.scale))
                << setup.id << " at " << size.scale;
        session->CloseEditor();
    }

    // 200 %: drawn at that size, not enlarged; halved, the 100 % picture but for edges and text.
    const int unlike = DifferingFromEnlargement(large, normal);
    EXPECT_GE(unlike, 816 * 348 / 50) << "differs from a nearest-neighbour enlargement";
    int flat = 0;
    const int differing = HalvedDifferingAwayFromEdges(large, normal, flat);
    EXPECT_LE(differing, flat / 100) << "of " << flat << " pixels away from edges and text";
    RecordProperty("differing_from_enlargement", unlike);
    RecordProperty("halved_differing_away_from_edges", differing);
}

TEST_F(LinuxEditorScaleTest, WithoutAWordFromTheHostTheDesktopsXftDpiSizesTheEditor)
{
    TestDisplay()->SetResources("Xft.dpi:\t192\n");
    int width = 0, height = 0;
    OpenAt(0.0f, width, height);
    TestDisplay()->SetResources("");
    EXPECT_EQ(width, 816);
    EXPECT_EQ(height, 348);
}

TEST_F(LinuxEditorScaleTest, TheLogoStripsMenuResizesAtOnceAndEveryNewInstanceOpensAtTheChoice)
{
    int width = 0, height = 0;
    OpenAt(1.0f, width, height);
    ASSERT_TRUE(ChooseSize(4, 1.0)); // 200 %
    ASSERT_TRUE(WaitUntil([&] { return !SizeRequests().empty(); }));
    EXPECT_EQ(SizeRequests().back().index, 816);
    EXPECT_EQ(SizeRequests().back().value, 348.0f);
    ERect* rect = nullptr;
    session->Dispatch(effEditGetRect, 0, 0, &rect);
    EXPECT_EQ(rect->right, 816);
    const std::string path = std::string(std::getenv("XDG_CONFIG_HOME")) + "/OrvaneMusic/StereoChorus.conf";
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), "editor-size=200\n");

    NewSession(); // a new instance: the user's choice beats the host's scale
    OpenAt(1.5f, width, height);
    EXPECT_EQ(width, 816);
    ASSERT_TRUE(ChooseSize(7, 2.0)); // "Follow host"
    ASSERT_TRUE(WaitUntil([&] { return !SizeRequests().empty(); }));
    EXPECT_EQ(SizeRequests().back().index, 612);

    std::ofstream(path) << "editor-size=\x01garbage"; // damaged: the host's word again
    NewSession();
    OpenAt(1.0f, width, height);
    EXPECT_EQ(width, 408);
}

// Tab's mark on Gain: lines as thick as the scale's, around the scaled rectangle, and still on
// Gain once the menu has rebuilt the editor at another size.
TEST_F(LinuxEditorScaleTest, TheFocusMarkIsDrawnAtTheScaleAndStaysOnItsControlThroughASizeChange)
{
    constexpr std::uint32_t kHighlight = 0xFFCF00, kTab = 0xFF09; // as the screen shows it; X's Tab
    const auto marked = [&](double scale) {
        const CStereoChorusLayout layout(scale);
        const Picture picture = Grab(layout.Width(), layout.Height());
        const SPixelRect gain = layout.ControlRect(IDC_GAIN_SLIDER);
        const int line = layout.Scale().Line();
        const auto at = [&](int x, int y) { return picture[static_cast<size_t>(y) * layout.Width() + x]; };
        return picture.size() == static_cast<size_t>(layout.Width()) * layout.Height() &&
               at(gain.left, gain.top) == kHighlight && at(gain.left + line - 1, gain.top + line - 1) == kHighlight &&
               at(gain.right - line, gain.bottom - line) == kHighlight && at(gain.left + line, gain.top + line) != kHighlight;
    };
    int width = 0, height = 0;
    OpenAt(2.0f, width, height);
    TestDisplay()->Click(session->EditorX() + width - 20, session->EditorY() + height / 2); // the plain panel
    ASSERT_TRUE(WaitUntil([&] { return TestDisplay()->InputFocus() > 1; }));
    TestDisplay()->Key(kTab);
    EXPECT_TRUE(WaitUntil([&] { return marked(2.0); })) << "two-pixel brackets around the 200 % Gain";
    if (const char* folder = std::getenv("EDITOR_PICTURES_DIR")) // to look at it
        TestDisplay()->SavePng(std::string(folder) + "/editor-linux-816-focus.png", session->EditorX(),
                               session->EditorY(), width, height);
    ASSERT_TRUE(ChooseSize(0, 2.0)); // 100 %
    EXPECT_TRUE(WaitUntil([&] { return marked(1.0); })) << "the rebuilt Gain keeps the focus";
}

TEST_F(LinuxEditorScaleTest, FiftySizeChangesFromTheMenuWhileAudioRunsLeaveNothingBehind)
{
    CProcessingThread audio(session->Effect());
    int width = 0, height = 0;
    OpenAt(1.0f, width, height);
    ASSERT_TRUE(ChooseSize(0, 1.0)); // the menu's popup exists from here on
    ASSERT_TRUE(WaitUntil([&] { return SizeRequests().size() == 1; }));
    const int descriptors = CountEntries("/proc/self/fd");
    const int threads = CountEntries("/proc/self/task");
    const size_t windows = TestDisplay()->Children(TestDisplay()->Root()).size();
    const size_t children = TestDisplay()->Children(session->Parent()).size();
    double scale = 1.0;
    for (int i = 0; i < 50; ++i)
    {
        const int row = i % 2 == 0 ? 2 : 0; // 150 %, 100 %
        ASSERT_TRUE(ChooseSize(row, scale)) << i;
        scale = row == 2 ? 1.5 : 1.0;
        ASSERT_TRUE(WaitUntil([&] { return SizeRequests().size() == static_cast<size_t>(i + 2); })) << i;
        ASSERT_TRUE(WaitUntil([&] { return TestDisplay()->PopupNames().empty(); })) << i;
    }
    EXPECT_EQ(SizeRequests().back().index, 408);
    audio.Stop();
    EXPECT_EQ(CountEntries("/proc/self/fd"), descriptors);
    EXPECT_EQ(CountEntries("/proc/self/task"), threads - 1) << "only the audio thread has gone";
    EXPECT_EQ(TestDisplay()->Children(TestDisplay()->Root()).size(), windows);
    EXPECT_EQ(TestDisplay()->Children(session->Parent()).size(), children);
}
