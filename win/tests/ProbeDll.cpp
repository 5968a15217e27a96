// A DLL that carries the layer and resources of its own, as the plug-in does inside a host.
#include "Dialog.h"
#include "ResourceModule.h"
#include "WindowTestIds.h"
#include <memory>

namespace {

std::unique_ptr<win::CDialog> g_dialog;

} // namespace

extern "C" __declspec(dllexport) HMODULE ProbeResourceModule()
{
    return win::ResourceModule();
}

extern "C" __declspec(dllexport) int ProbeBitmapWidth()
{
    return win::BitmapSize(win::LoadBitmapResource(IDB_PROBE).Get()).cx;
}

extern "C" __declspec(dllexport) HWND ProbeOpenDialog(HWND parent)
{
    g_dialog = std::make_unique<win::CDialog>();
    if (!g_dialog->Create(IDD_PROBE, parent))
        g_dialog.reset();
    return g_dialog ? g_dialog->GetHwnd() : nullptr;
}

extern "C" __declspec(dllexport) void ProbeCloseDialog()
{
    g_dialog.reset();
}
