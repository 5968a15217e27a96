// The Windows editor under Wine at the scales hosts and screens give: its size and picture at
// each scale a host gives in its format's own way (VST 2's vendor-specific call, VST 3's content
// scale, CLAP's set_scale), and at the screen's resolution set in Wine's registry when the host
// says nothing. Runs alone: the resolution is the whole prefix's.
#include "ClapHost.h"
#include "ClapLibrary.h"
#include "EditorSession.h"
#include "EditorThumbs.h"
#include "StereoChorusLayout.h"
#include "TrackbarGeometry.h"
#include "Vst3HostObjects.h"
#include "resource.h"
#include <commctrl.h>
#include <objidl.h> // before GDI+, which needs PROPID
#include <gdiplus.h>
#include <gtest/gtest.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using testing_support::SImage;
using Picture = std::vector<std::uint32_t>;

// A captured picture as 0x00RRGGBB values, a row after another.
Picture Pixels(const SImage& image)
{
    Picture pixels;
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
        {
            const COLORREF c = image.Pixel(x, y);
            pixels.push_back(static_cast<std::uint32_t>(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c));
        }
    return pixels;
}

// A PNG file's pixels, through GDI+.
Picture ReadPng(const wchar_t* path, int& width, int& height)
{
    Picture pixels;
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok)
        return pixels;
    {
        Gdiplus::Bitmap bitmap(path);
        width = static_cast<int>(bitmap.GetWidth());
        height = static_cast<int>(bitmap.GetHeight());
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
            {
                Gdiplus::Color colour;
                bitmap.GetPixel(x, y, &colour);
                pixels.push_back(colour.GetValue() & 0xFFFFFF);
            }
    }
    Gdiplus::GdiplusShutdown(token);
    return pixels;
}

std::wstring Wide(const char* text)
{
    std::wstring wide;
    for (const char* c = text; *c; ++c)
        wide += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
    return text[0] == '/' ? L"Z:" + wide : wide;
}

// The screen's resolution in Wine's registry, as winecfg writes it.
class CScreenDpi
{
public:
    CScreenDpi() : m_saved(Read()) {}
    ~CScreenDpi() { Write(m_saved); }
    static DWORD Read()
    {
        DWORD dpi = 0, size = sizeof dpi;
        return RegGetValueA(HKEY_CURRENT_USER, "Control Panel\\Desktop", "LogPixels", RRF_RT_REG_DWORD, nullptr, &dpi,
                            &size) == ERROR_SUCCESS ? dpi : 0;
    }
    static void Write(DWORD dpi)
    {
        HKEY key = nullptr;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                            nullptr) != ERROR_SUCCESS)
            return;
        if (dpi)
            RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
        else
            RegDeleteValueA(key, "LogPixels");
        RegCloseKey(key);
    }

private:
    DWORD m_saved;
};

// This program again, as a new process that reads the resolution afresh: it answers the width of
// the editor it opens when the host gives no scale, and saves its picture to `picture` if given.
int WidthInNewProcess(const std::string& picture = "")
{
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string command = std::string("\"") + self + "\" --editor-width";
    if (!picture.empty())
        command += " \"" + picture + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}

// The user's settings of this test program only, under an %APPDATA% of its own that the
// processes it starts inherit: nothing chosen yet.
std::string PrivateAppData()
{
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    const std::string folder = std::string(temporary) + "editor-scale-appdata-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    SetEnvironmentVariableA("APPDATA", folder.c_str());
    _putenv_s("APPDATA", folder.c_str());
    return folder;
}

std::string SettingsPath()
{
    return PrivateAppData() + "\\OrvaneMusic\\StereoChorus.conf";
}

class WindowsEditorScale : public ::testing::Test
{
protected:
    void SetUp() override
    {
        DeleteFileA(SettingsPath().c_str());
        ASSERT_TRUE(library.IsLoaded()) << "cannot load " << PLUGIN_PATH;
        session = std::make_unique<CEditorSession>(library, 1300, 600);
        ASSERT_NE(session->Effect(), nullptr);
    }
    SImage OpenAt(float scale)
    {
        session->Dispatch(effVendorSpecific, kVendorPresonus, kContentScaleFactor, nullptr, scale);
        EXPECT_EQ(session->OpenEditor(), 1);
        PumpMessagesFor(120);
        return testing_support::CaptureClient(session->Dialog());
    }

    PluginLibrary library{PLUGIN_PATH};
    std::unique_ptr<CEditorSession> session;
};

} // namespace

TEST_F(WindowsEditorScale, AtEachScaleTheHostGivesTheEditorTakesItsSizeAndDrawsNatively)
{
    const Picture normal = Pixels(OpenAt(1.0f));
    session->CloseEditor();
    int width = 0, height = 0;
    const Picture today = ReadPng(Wide(WINDOWS_SCREENSHOT).c_str(), width, height);
    ASSERT_EQ(width, 408);
    EXPECT_EQ(normal, today) << "100 % is today's picture";

    const struct { float scale; int width, height; } sizes[] = {{1.5f, 612, 261}, {3.0f, 1224, 522}, {2.0f, 816, 348}};
    Picture large;
    for (const auto& size : sizes)
    {
        const SImage image = OpenAt(size.scale);
        EXPECT_EQ(image.width, size.width) << size.scale;
        EXPECT_EQ(image.height, size.height) << size.scale;
        large = Pixels(image);
        if (const char* folder = std::getenv("EDITOR_PICTURES_DIR")) // to look at them
            image.SavePng(std::string(folder) + "\\editor-" + std::to_string(image.width) + ".png");
        for (const SSliderSetup& setup : stereo_chorus_layout::kSliders)
            EXPECT_NEAR(ThumbTop(large, image.width, setup.id, size.scale), ThumbTop(normal, 408, setup.id) * size.scale,
                        ThumbTolerance(size.scale))
                << setup.id << " at " << size.scale;
        session->CloseEditor();
    }
    // 200 %: drawn at that size, not enlarged; halved, the 100 % picture but for edges and text.
    EXPECT_GE(DifferingFromEnlargement(large, normal), 816 * 348 / 50) << "differs from a nearest-neighbour enlargement";
    int flat = 0;
    const int differing = HalvedDifferingAwayFromEdges(large, normal, flat);
    EXPECT_LE(differing, flat / 100) << "of " << flat << " pixels away from edges and text";
    RecordProperty("halved_differing_away_from_edges", differing);
}

namespace {

// The editor window a VST 3 view or a CLAP gui put into `host`, as it shows.
SImage CaptureEmbedded(HWND host)
{
    PumpMessagesFor(120);
    return testing_support::CaptureClient(GetWindow(host, GW_CHILD));
}

// The VST 3 bundle's view, scaled through IPlugViewContentScaleSupport before it is attached.
SImage Vst3ViewAt(const CVst3Module& module, float scale, int& width, int& height)
{
    SImage shown;
    auto* component = static_cast<Vst3::IComponent*>(module.Create(Vst3::kComponentIid));
    Vst3::IEditController* controller = nullptr;
    if (!component || component->queryInterface(Vst3::kEditControllerIid.bytes, reinterpret_cast<void**>(&controller)) != Vst3::kResultOk)
        return shown;
    if (Vst3::IPlugView* view = controller->createView("editor"))
    {
        Vst3::IPlugViewContentScaleSupport* scaling = nullptr;
        view->queryInterface(Vst3::kPlugViewContentScaleSupportIid.bytes, reinterpret_cast<void**>(&scaling));
        Vst3::ViewRect size{};
        if (scaling && scaling->setContentScaleFactor(scale) == Vst3::kResultTrue && view->getSize(&size) == Vst3::kResultOk)
        {
            width = size.right - size.left;
            height = size.bottom - size.top;
            testing_support::CHostWindow host(1300, 600);
            if (view->attached(host.Get(), "HWND") == Vst3::kResultOk)
            {
                shown = CaptureEmbedded(host.Get());
                view->removed();
            }
        }
        if (scaling)
            scaling->release();
        view->release();
    }
    controller->release();
    component->terminate();
    component->release();
    return shown;
}

// The CLAP binary's gui, scaled through set_scale before it has a parent; its other size calls
// must agree with the size it gives.
SImage ClapGuiAt(const clap::Entry& entry, double scale, int& width, int& height)
{
    SImage shown;
    STestHost clapHost;
    const auto* factory = static_cast<const clap::PluginFactory*>(entry.getFactory(clap::kPluginFactoryId));
    const clap::Plugin* plugin = factory ? factory->createPlugin(factory, &clapHost.record, "com.orvane-music.stereo-chorus") : nullptr;
    if (!plugin)
        return shown;
    const auto* gui = plugin->init(plugin) ? static_cast<const clap::PluginGui*>(plugin->getExtension(plugin, clap::kExtGui)) : nullptr;
    uint32_t w = 0, h = 0;
    if (gui && gui->create(plugin, clap::kWindowApiWin32, false) && gui->setScale(plugin, scale) && gui->getSize(plugin, &w, &h))
    {
        width = static_cast<int>(w);
        height = static_cast<int>(h);
        uint32_t adjustedWidth = w * 2, adjustedHeight = h / 2;
        EXPECT_FALSE(gui->canResize(plugin)) << "the sizes come from the editor's menu";
        EXPECT_TRUE(gui->adjustSize(plugin, &adjustedWidth, &adjustedHeight));
        EXPECT_EQ(adjustedWidth, w);
        EXPECT_EQ(adjustedHeight, h);
        EXPECT_TRUE(gui->setSize(plugin, w, h));
        testing_support::CHostWindow host(1300, 600);
        clap::Window window{};
        window.api = clap::kWindowApiWin32;
        window.win32 = host.Get();
        if (gui->setParent(plugin, &window) && gui->show(plugin))
            shown = CaptureEmbedded(host.Get());
        gui->destroy(plugin);
    }
    plugin->destroy(plugin);
    return shown;
}

} // namespace

TEST_F(WindowsEditorScale, Vst3AndClapTakeTheScaleTheirOwnWayAndShowTheVst2PictureAtIt)
{
    CVst3Module vst3(VST3_PLUGIN_PATH);
    ASSERT_EQ(vst3.Error(), "");
    CClapLibrary clapLibrary(CLAP_PLUGIN_PATH);
    const auto* entry = static_cast<const clap::Entry*>(clapLibrary.Symbol("clap_entry"));
    ASSERT_TRUE(entry && entry->init(CLAP_PLUGIN_PATH));
    for (const float scale : {1.0f, 1.5f, 2.0f, 3.0f})
    {
        const SImage vst2 = OpenAt(scale);
        session->CloseEditor();
        int width = 0, height = 0;
        const SImage vst3Picture = Vst3ViewAt(vst3, scale, width, height);
        EXPECT_EQ(width, vst2.width) << "VST 3 size at " << scale;
        EXPECT_EQ(height, vst2.height) << "VST 3 size at " << scale;
        EXPECT_TRUE(vst3Picture.width == vst2.width && Pixels(vst3Picture) == Pixels(vst2)) << "VST 3 picture at " << scale;
        const SImage clapPicture = ClapGuiAt(*entry, scale, width, height);
        EXPECT_EQ(width, vst2.width) << "CLAP size at " << scale;
        EXPECT_EQ(height, vst2.height) << "CLAP size at " << scale;
        EXPECT_TRUE(clapPicture.width == vst2.width && Pixels(clapPicture) == Pixels(vst2)) << "CLAP picture at " << scale;
        if (const char* folder = std::getenv("EDITOR_PICTURES_DIR")) // to look at them
        {
            vst3Picture.SavePng(std::string(folder) + "\\editor-vst3-" + std::to_string(vst3Picture.width) + ".png");
            clapPicture.SavePng(std::string(folder) + "\\editor-clap-" + std::to_string(clapPicture.width) + ".png");
        }
    }
    entry->deinit();
}

TEST_F(WindowsEditorScale, WithoutAWordFromTheHostTheScreensResolutionSizesTheEditor)
{
    CScreenDpi restore;
    const std::string picture = PrivateAppData() + "\\editor-at-screen-dpi.png";
    const struct { DWORD dpi; int width; } screens[] = {{96, 408}, {144, 612}, {192, 816}, {288, 1224}};
    for (const auto& screen : screens)
    {
        CScreenDpi::Write(screen.dpi);
        DeleteFileA(picture.c_str());
        EXPECT_EQ(WidthInNewProcess(picture), screen.width) << screen.dpi << " dpi";
        int width = 0, height = 0;
        const Picture shown = ReadPng(Wide(picture.c_str()).c_str(), width, height);
        EXPECT_EQ(width, screen.width) << screen.dpi << " dpi";
        EXPECT_TRUE(shown == Pixels(OpenAt(screen.dpi / 96.0f))) << "the host's scale's picture at " << screen.dpi << " dpi";
        session->CloseEditor();
    }
}

TEST_F(WindowsEditorScale, MovedToAScreenOfAnotherResolutionTheEditorFollowsAndAsksTheHostToResize)
{
    ASSERT_EQ(session->OpenEditor(), 1);
    session->calls.clear();
    const UINT dpiChanged = 0x02E0; // WM_DPICHANGED: the new resolution in both halves of wParam
    RECT suggested{0, 0, 816, 348};
    SendMessageA(session->Dialog(), dpiChanged, MAKEWPARAM(192, 192), reinterpret_cast<LPARAM>(&suggested));
    RECT client{};
    GetClientRect(session->Dialog(), &client);
    EXPECT_EQ(client.right, 816);
    EXPECT_EQ(client.bottom, 348);
    ASSERT_FALSE(session->calls.empty());
    EXPECT_EQ(session->calls.back().opcode, audioMasterSizeWindow);
    EXPECT_EQ(session->calls.back().index, 816);
    EXPECT_EQ(session->calls.back().value, 348.0f);
    session->CloseEditor();
}

namespace {

int g_aboutHeight = 0;

// Measures the About box the editor shows and closes it with a click, as a user would.
void CALLBACK CloseAbout(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (const HWND box = FindWindowA("StereoChorus.ScaledAbout", nullptr))
    {
        RECT area{};
        GetWindowRect(box, &area);
        g_aboutHeight = area.bottom - area.top;
        if (const char* folder = std::getenv("EDITOR_PICTURES_DIR")) // to look at it
            testing_support::CaptureClient(box).SavePng(std::string(folder) + "\\about-200.png");
        PostMessageA(box, WM_LBUTTONUP, 0, 0);
        KillTimer(nullptr, timer);
    }
}

} // namespace

TEST_F(WindowsEditorScale, TheAboutBoxScalesWithTheEditor)
{
    OpenAt(2.0f);
    const SPixelRect logo = CStereoChorusLayout(2.0).AboutArea();
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseAbout);
    SendMessageA(session->Dialog(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(logo.left + 4, logo.top + 40));
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_aboutHeight, 3 * CStereoChorusLayout(2.0).PopupLinePixels() + 16) << "three lines at 200 %";
    EXPECT_EQ(FindWindowA("StereoChorus.ScaledAbout", nullptr), nullptr) << "closed by the click";
    session->CloseEditor();
}

// Tab's mark on Gain at 200 %: corner brackets two pixels thick, as every other line is drawn.
TEST_F(WindowsEditorScale, TheFocusMarkIsDrawnAtTheScale)
{
    OpenAt(2.0f);
    const HWND gain = GetDlgItem(session->Dialog(), IDC_GAIN_SLIDER);
    SetFocus(GetDlgItem(session->Dialog(), IDC_WET_SLIDER)); // as a click would, without the keyboard
    PostMessageA(GetFocus(), WM_KEYDOWN, VK_TAB, 1);
    PostMessageA(GetFocus(), WM_KEYUP, VK_TAB, 0xC0000001);
    testing_support::PumpMessages();
    ASSERT_EQ(GetFocus(), gain) << "Tab goes round from Wet to Gain";
    testing_support::RedrawNow(session->Dialog());
    const SImage picture = testing_support::CaptureClient(gain);
    ASSERT_GT(picture.width, 4);
    constexpr COLORREF kMark = 0x00CFFF;
    EXPECT_EQ(picture.Pixel(0, 0), kMark);
    EXPECT_EQ(picture.Pixel(1, 1), kMark) << "two pixels thick";
    EXPECT_EQ(picture.Pixel(picture.width - 2, picture.height - 2), kMark);
    EXPECT_NE(picture.Pixel(2, 2), kMark) << "and no thicker";
    if (const char* folder = std::getenv("EDITOR_PICTURES_DIR")) // to look at it
        testing_support::CaptureClient(session->Dialog()).SavePng(std::string(folder) + "\\editor-816-focus.png");
    session->CloseEditor();
}

// The system's trackbar hit-tests its 1x thumb; the fader takes a press anywhere on the thumb it
// paints. Depth runs from 100 % at position 0 down to 0 % at 100.
TEST_F(WindowsEditorScale, APressOnTheEdgeOfTheScaledThumbDragsItWithThePointer)
{
    OpenAt(2.0f);
    const HWND depth = GetDlgItem(session->Dialog(), IDC_DEPTH_SLIDER);
    RECT client{};
    GetClientRect(depth, &client);
    const STrackbarGeometry geometry(client.right, client.bottom, SControlScale{2.0});
    const int start = static_cast<int>(SendMessageA(depth, TBM_GETPOS, 0, 0));
    const SPixelRect thumb = geometry.Thumb(start, 100);
    const int x = (thumb.left + thumb.right) / 2, y = thumb.top + 1; // beyond the 1x thumb
    session->calls.clear();
    PostMessageA(depth, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    const int travel = geometry.Channel().Height() - thumb.Height(); // the painted thumb's
    const int moves[] = {12, 30, 20};
    std::vector<float> expected;
    for (const int dy : moves)
    {
        PostMessageA(depth, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x, y + dy));
        expected.push_back(static_cast<float>(1.0 - (start + dy * 100.0 / travel) / 100.0));
    }
    PostMessageA(depth, WM_LBUTTONUP, 0, MAKELPARAM(x, y + moves[2]));
    PumpMessagesFor(300); // a page would repeat by now

    std::vector<float> values;
    for (const SHostCall& call : session->calls)
        if (call.opcode == audioMasterAutomate && call.index == 5)
            values.push_back(call.value);
    ASSERT_EQ(values.size(), expected.size()) << "one automation per movement, no page";
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_NEAR(values[i], expected[i], 1e-5f) << "movement " << i;
    EXPECT_NE(GetCapture(), depth) << "released";

    // Below the thumb, in line with its middle, the trackbar's page.
    session->calls.clear();
    const SPixelRect moved = geometry.Thumb(static_cast<int>(SendMessageA(depth, TBM_GETPOS, 0, 0)), 100);
    const int before = static_cast<int>(SendMessageA(depth, TBM_GETPOS, 0, 0));
    PostMessageA(depth, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, moved.bottom + 8));
    PostMessageA(depth, WM_LBUTTONUP, 0, MAKELPARAM(x, moved.bottom + 8));
    PumpMessagesFor(50);
    EXPECT_EQ(SendMessageA(depth, TBM_GETPOS, 0, 0), before + STrackbarGeometry::PageSize(100));
    session->CloseEditor();
}

namespace {

std::string g_menuEntry; // the size menu's entry to choose
bool g_menuSeen = false;

// Chooses g_menuEntry in the size menu once it shows, with the keys a user would press: Down to
// the entry's row, then Enter. The menu's modal loop dispatches this timer.
void CALLBACK ChooseInSizeMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND window = FindWindowA(MAKEINTATOM(32768), nullptr); // the system's menu class
    if (!window || !IsWindowVisible(window))
        return;
    KillTimer(nullptr, timer);
    g_menuSeen = true;
    if (const char* folder = std::getenv("EDITOR_PICTURES_DIR")) // to look at it
        testing_support::CaptureClient(window).SavePng(std::string(folder) + "\\size-menu.png");
    constexpr UINT kGetMenu = 0x01E1; // MN_GETHMENU: the menu a menu window shows
    const HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, kGetMenu, 0, 0));
    int row = -1;
    for (int i = 0; i < GetMenuItemCount(menu) && row < 0; ++i)
    {
        char text[32] = {};
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        row = g_menuEntry == text ? i : -1;
    }
    for (int i = 0; i <= row; ++i)
        PostMessageA(window, WM_KEYDOWN, VK_DOWN, 1);
    PostMessageA(window, WM_KEYDOWN, row >= 0 ? VK_RETURN : VK_ESCAPE, 1);
}

} // namespace

TEST_F(WindowsEditorScale, TheLogoStripsMenuResizesAtOnceAndEveryNewInstanceOpensAtTheChoice)
{
    OpenAt(1.0f);
    session->calls.clear();
    const SPixelRect logo = CStereoChorusLayout(1.0).AboutArea();
    g_menuEntry = "200 %";
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ChooseInSizeMenu);
    SendMessageA(session->Dialog(), WM_RBUTTONUP, 0, MAKELPARAM(logo.left + 5, logo.top + 20)); // until it closes
    KillTimer(nullptr, timer);
    ASSERT_TRUE(g_menuSeen);

    ASSERT_FALSE(session->calls.empty());
    EXPECT_EQ(session->calls.back().opcode, audioMasterSizeWindow);
    EXPECT_EQ(session->calls.back().index, 816);
    EXPECT_EQ(session->calls.back().value, 348.0f);
    RECT client{};
    GetClientRect(session->Dialog(), &client);
    EXPECT_EQ(client.right, 816) << "at once";
    session->CloseEditor();

    char text[64] = {};
    if (FILE* file = std::fopen(SettingsPath().c_str(), "rb"))
    {
        text[std::fread(text, 1, sizeof text - 1, file)] = 0;
        std::fclose(file);
    }
    EXPECT_STREQ(text, "editor-size=200\n");
    EXPECT_EQ(WidthInNewProcess(), 816) << "a new instance, told nothing by its host, opens at the choice";
}

int main(int argc, char** argv)
{
    if ((argc == 2 || argc == 3) && std::string(argv[1]) == "--editor-width")
    {
        PluginLibrary library(PLUGIN_PATH);
        CEditorSession session(library, 1300, 600);
        if (!session.Effect() || session.OpenEditor() != 1)
            return 0;
        PumpMessagesFor(120);
        RECT client{};
        GetClientRect(session.Dialog(), &client);
        if (argc == 3)
            testing_support::CaptureClient(session.Dialog()).SavePng(argv[2]);
        session.CloseEditor();
        return client.right;
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
