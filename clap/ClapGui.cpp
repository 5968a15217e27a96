// The editor window inside the host's: Win32 on Windows, X11 elsewhere, never floating.
#include "ClapPlugin.h"
#include <cstring>

namespace {

#if defined(_WIN32)
constexpr const char* kNativeApi = clap::kWindowApiWin32;
#else
constexpr const char* kNativeApi = clap::kWindowApiX11;
#endif
bool IsNativeApi(const char* api) { return api && std::strcmp(api, kNativeApi) == 0; }

bool CLAP_CALL GuiIsApiSupported(const clap::Plugin* plugin, const char* api, bool floating)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->IsGuiApiSupported(api, floating);
}

bool CLAP_CALL GuiGetPreferredApi(const clap::Plugin* plugin, const char** api, bool* floating)
{
    if (!CClapPlugin::From(plugin) || !api || !floating)
        return false;
    *api = kNativeApi;
    *floating = false;
    return true;
}

bool CLAP_CALL GuiCreate(const clap::Plugin* plugin, const char* api, bool floating)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->CreateGui(api, floating);
}

void CLAP_CALL GuiDestroy(const clap::Plugin* plugin)
{
    if (CClapPlugin* self = CClapPlugin::From(plugin))
        self->DestroyGui();
}

bool CLAP_CALL GuiSetScale(const clap::Plugin* plugin, double scale)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->SetGuiScale(scale);
}

bool CLAP_CALL GuiGetSize(const clap::Plugin* plugin, uint32_t* width, uint32_t* height)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->GetGuiSize(width, height);
}

// The editor comes in the sizes its user chooses from its menu, not in any size a host drags.
bool CLAP_CALL GuiCanResize(const clap::Plugin*) { return false; }

bool CLAP_CALL GuiGetResizeHints(const clap::Plugin*, clap::GuiResizeHints*) { return false; }

bool CLAP_CALL GuiAdjustSize(const clap::Plugin* plugin, uint32_t* width, uint32_t* height)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->GetGuiSize(width, height);
}

bool CLAP_CALL GuiSetSize(const clap::Plugin* plugin, uint32_t width, uint32_t height)
{
    // Only the editor's own size is taken (what it asked for with request_resize).
    uint32_t ownWidth = 0, ownHeight = 0;
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->GetGuiSize(&ownWidth, &ownHeight) && width == ownWidth && height == ownHeight;
}

bool CLAP_CALL GuiSetParent(const clap::Plugin* plugin, const clap::Window* window)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->SetGuiParent(window);
}

bool CLAP_CALL GuiSetTransient(const clap::Plugin*, const clap::Window*) { return false; }

void CLAP_CALL GuiSuggestTitle(const clap::Plugin*, const char*) {}

bool CLAP_CALL GuiShow(const clap::Plugin* plugin)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->ShowGui(true);
}

bool CLAP_CALL GuiHide(const clap::Plugin* plugin)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self && self->ShowGui(false);
}

} // namespace

const clap::PluginGui kClapGui{GuiIsApiSupported, GuiGetPreferredApi, GuiCreate,      GuiDestroy,    GuiSetScale,
                               GuiGetSize,        GuiCanResize,       GuiGetResizeHints, GuiAdjustSize, GuiSetSize,
                               GuiSetParent,      GuiSetTransient,    GuiSuggestTitle, GuiShow,       GuiHide};

bool CClapPlugin::IsGuiApiSupported(const char* api, bool floating) const
{
    return m_editor && !floating && IsNativeApi(api);
}

bool CClapPlugin::CreateGui(const char* api, bool floating)
{
    if (!IsGuiApiSupported(api, floating) || m_guiCreated || IsAudioThread())
        return false;
    m_guiCreated = true;
    return true;
}

void CClapPlugin::DestroyGui()
{
    if (m_guiParented)
        m_editor->Close();
    m_guiParented = false;
    m_guiCreated = false;
}

// The editor knows its size before its window exists, at whatever scale it has now.
bool CClapPlugin::GetGuiSize(uint32_t* width, uint32_t* height)
{
    if (!m_editor || !width || !height || IsAudioThread())
        return false;
    int ownWidth = 0, ownHeight = 0;
    m_editor->GetPreferredSize(ownWidth, ownHeight);
    if (ownWidth <= 0 || ownHeight <= 0)
        return false;
    *width = static_cast<uint32_t>(ownWidth);
    *height = static_cast<uint32_t>(ownHeight);
    return true;
}

// The host's scale is taken on both platforms; the host then asks for the size again.
bool CClapPlugin::SetGuiScale(double scale)
{
    if (!m_editor || !(scale > 0.0) || IsAudioThread())
        return false;
    m_editor->SetHostScale(scale);
    return true;
}

bool CClapPlugin::RequestResize(int width, int height)
{
    return m_hostGui && m_hostGui->requestResize &&
           m_hostGui->requestResize(m_host, static_cast<uint32_t>(width), static_cast<uint32_t>(height));
}

bool CClapPlugin::SetGuiParent(const clap::Window* window)
{
    // One parent per created window; the host destroys the window to move it elsewhere.
    if (!m_guiCreated || m_guiParented || !window || !IsNativeApi(window->api) || IsAudioThread())
        return false;
#if defined(_WIN32)
    void* parent = window->win32;
#else
    void* parent = reinterpret_cast<void*>(static_cast<uintptr_t>(window->x11));
#endif
    // No X display, or a parent the window system refuses: the host is told, and may try again.
    if (!parent || !m_editor->Open(parent))
        return false;
    m_guiParented = true;
    return true;
}

bool CClapPlugin::ShowGui(bool show)
{
    if (!m_guiParented)
        return false;
    m_editor->SetVisible(show);
    return true;
}
