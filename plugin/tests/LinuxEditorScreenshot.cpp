// Opens the plug-in's editor on a private X server and saves what it shows:
//   editor_linux_screenshot <plugin.so> <output folder>
// writes editor-linux.png (as it opens, at the defaults), editor-linux-presets.png (the preset
// list out) and editor-linux-200.png (opened again after the host gave a content scale of 2, with
// VST 2's vendor-specific call).
#include "LinuxEditorSession.h"
#include "StereoChorusLayout.h"
#include "resource.h"
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: editor_linux_screenshot <plugin.so> <output folder>\n");
        return 2;
    }
    PluginLibrary library(argv[1]);
    if (!library.IsLoaded())
    {
        std::fprintf(stderr, "editor_linux_screenshot: cannot load %s\n", argv[1]);
        return 1;
    }
    CXvfbDisplay display;
    if (!display.IsRunning())
    {
        std::fprintf(stderr, "editor_linux_screenshot: %s\n", display.Error().c_str());
        return 1;
    }
    CLinuxEditorSession session(library, display);
    if (!session.Effect() || session.OpenEditor() != 1 || !session.WaitForPaint())
    {
        std::fprintf(stderr, "editor_linux_screenshot: the plug-in opens no editor\n");
        return 1;
    }
    const int width = stereo_chorus_layout::DialogWidth(), height = stereo_chorus_layout::DialogHeight();
    const std::string folder = argv[2];
    const std::string editor = folder + "/editor-linux.png";
    if (!display.SavePng(editor, session.EditorX(), session.EditorY(), width, height))
    {
        std::fprintf(stderr, "editor_linux_screenshot: cannot write %s\n", editor.c_str());
        return 1;
    }
    std::printf("%s\n", editor.c_str());

    const SPixelRect presets = stereo_chorus_layout::ControlRect(*stereo_chorus_layout::FindControl(IDC_PRESETS_BUTTON));
    display.Click(session.EditorX() + presets.left + 3, session.EditorY() + presets.top + 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(400)); // the list slides out in 125 ms
    const std::string withPresets = folder + "/editor-linux-presets.png";
    if (!display.SavePng(withPresets, session.EditorX(), session.EditorY(),
                         width + stereo_chorus_layout::kPresetListWidth, height))
    {
        std::fprintf(stderr, "editor_linux_screenshot: cannot write %s\n", withPresets.c_str());
        return 1;
    }
    std::printf("%s\n", withPresets.c_str());
    session.CloseEditor();

    const CStereoChorusLayout doubled(2.0);
    session.Dispatch(effVendorSpecific, kVendorPresonus, kContentScaleFactor, nullptr, 2.0f);
    display.ResizeWindow(session.Parent(), doubled.Width(), doubled.Height());
    const std::string large = folder + "/editor-linux-200.png";
    if (session.OpenEditor() != 1 || !session.WaitForPaint() ||
        !display.SavePng(large, session.EditorX(), session.EditorY(), doubled.Width(), doubled.Height()))
    {
        std::fprintf(stderr, "editor_linux_screenshot: cannot write %s\n", large.c_str());
        return 1;
    }
    std::printf("%s\n", large.c_str());
    session.CloseEditor();
    return 0;
}
