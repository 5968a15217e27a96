// Opens the plug-in's editor in a host window and saves what it shows:
//   editor_screenshot <plugin.dll> <output folder>
// writes editor.png (as it opens, at the defaults), editor-presets.png (the preset list out) and
// editor-200.png (opened again after the host gave a content scale of 2, with VST 2's
// vendor-specific call).
#include "EditorSession.h"
#include "resource.h"
#include <cstdio>
#include <string>

namespace {

// Unix paths as Wine sees them: the root file system is drive Z:.
std::string WindowsPath(std::string path)
{
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
    {
        std::fprintf(stderr, "usage: editor_screenshot <plugin.dll> <output folder>\n");
        return 2;
    }
    PluginLibrary library(argv[1]);
    if (!library.IsLoaded())
    {
        std::fprintf(stderr, "editor_screenshot: cannot load %s\n", argv[1]);
        return 1;
    }
    const std::string folder = WindowsPath(argv[2]);
    CEditorSession session(library);
    if (!session.Effect() || session.OpenEditor() != 1 || !session.Dialog())
    {
        std::fprintf(stderr, "editor_screenshot: the plug-in opens no editor\n");
        return 1;
    }
    PumpMessagesFor(120); // the refresh shows the parameters
    const std::string editor = folder + "\\editor.png";
    if (!CaptureEditor(session.Dialog()).SavePng(editor))
    {
        std::fprintf(stderr, "editor_screenshot: cannot write %s\n", editor.c_str());
        return 1;
    }
    std::printf("%s/editor.png\n", argv[2]);

    const HWND presets = GetDlgItem(session.Dialog(), IDC_PRESETS_BUTTON);
    SendMessageA(presets, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(presets, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    PumpMessagesFor(300); // the list slides out in 125 ms
    const HWND popup = session.PresetPopup();
    if (!popup)
    {
        std::fprintf(stderr, "editor_screenshot: the preset list does not open\n");
        return 1;
    }
    const std::string withPresets = folder + "\\editor-presets.png";
    if (!CaptureEditorWithPresets(session.Dialog(), popup).SavePng(withPresets))
    {
        std::fprintf(stderr, "editor_screenshot: cannot write %s\n", withPresets.c_str());
        return 1;
    }
    std::printf("%s/editor-presets.png\n", argv[2]);
    session.CloseEditor();

    session.Dispatch(effVendorSpecific, kVendorPresonus, kContentScaleFactor, nullptr, 2.0f);
    session.ResizeClient(900, 400);
    const std::string large = folder + "\\editor-200.png";
    if (session.OpenEditor() != 1 || !session.Dialog())
    {
        std::fprintf(stderr, "editor_screenshot: the plug-in opens no editor at 200 %%\n");
        return 1;
    }
    PumpMessagesFor(120);
    if (!CaptureEditor(session.Dialog()).SavePng(large))
    {
        std::fprintf(stderr, "editor_screenshot: cannot write %s\n", large.c_str());
        return 1;
    }
    std::printf("%s/editor-200.png\n", argv[2]);
    session.CloseEditor();
    return 0;
}
