#pragma once
#include "Vst3Interface.h"
#include <atomic>

class CPluginEditor;
class CVst3Plugin;

// Finds the size the editor window will have, before any host window exists to open it in;
// false when it cannot. Given by the entry point that knows the platform's windows.
using EditorMeasure = bool (*)(CPluginEditor& editor, int& width, int& height);

// The editor window as a VST 3 view: the host's parent window (HWND on Windows, the X11 embed
// window elsewhere) is handed to the plug-in's window object. The view does not keep the plug-in
// alive: a plug-in released with its view attached closes the window and detaches the view,
// which then answers the host without touching anything of the plug-in.
class CVst3View final : public Vst3::IPlugView
{
public:
    CVst3View(CVst3Plugin& owner, CPluginEditor& editor, EditorMeasure measure)
        : m_owner(&owner), m_editor(&editor), m_measure(measure) {}
    CVst3View(const CVst3View&) = delete;
    CVst3View& operator=(const CVst3View&) = delete;

    // The plug-in is going away: close the window, forget the plug-in.
    void Detach();

    Vst3::tresult VST3_CALL queryInterface(const Vst3::TUID iid, void** object) override;
    uint32_t VST3_CALL addRef() override;
    uint32_t VST3_CALL release() override;

    Vst3::tresult VST3_CALL isPlatformTypeSupported(Vst3::FIDString type) override;
    Vst3::tresult VST3_CALL attached(void* parent, Vst3::FIDString type) override;
    Vst3::tresult VST3_CALL removed() override;
    Vst3::tresult VST3_CALL onWheel(float) override { return Vst3::kResultFalse; }
    Vst3::tresult VST3_CALL onKeyDown(Vst3::Char16, int16_t, int16_t) override { return Vst3::kResultFalse; }
    Vst3::tresult VST3_CALL onKeyUp(Vst3::Char16, int16_t, int16_t) override { return Vst3::kResultFalse; }
    Vst3::tresult VST3_CALL getSize(Vst3::ViewRect* size) override;
    Vst3::tresult VST3_CALL onSize(Vst3::ViewRect* size) override;
    Vst3::tresult VST3_CALL onFocus(Vst3::TBool) override { return Vst3::kResultOk; }
    // Linux hosts hand a frame that also answers Linux::IRunLoop (fd and timer callbacks on the
    // host's UI thread). The view does not use it: the X11 editor runs its events, timers and
    // painting on an xcb connection and thread of its own (the same editor serves VST 2, where
    // Linux hosts offer no run loop), so it keeps working in hosts without a run loop or that turn
    // theirs rarely, and attached/removed never wait on the host's loop. The frame is not kept.
    Vst3::tresult VST3_CALL setFrame(Vst3::IPlugFrame*) override { return Vst3::kResultOk; }
    Vst3::tresult VST3_CALL canResize() override { return Vst3::kResultFalse; }
    Vst3::tresult VST3_CALL checkSizeConstraint(Vst3::ViewRect* rect) override;

private:
    ~CVst3View();
    void Close();

    std::atomic<uint32_t> m_references{1};
    CVst3Plugin* m_owner;
    CPluginEditor* m_editor;
    EditorMeasure m_measure;
    bool m_open = false;
    // The window's size once it has been open; hosts ask before attaching too.
    int m_width = 0;
    int m_height = 0;
};
