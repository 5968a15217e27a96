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
//
// Linux hosts hand a frame that also answers IRunLoop (fd and timer callbacks on the host's UI
// thread). The X11 editor does not hand its events to it: it runs its events, timers and painting
// on an xcb connection and thread of its own (the same editor serves VST 2, where Linux hosts
// offer no run loop), so it works in hosts without a run loop or that turn theirs rarely, and
// attached/removed never wait on the host's loop. What the run loop is used for is the editor's
// gestures: VST 3 hosts expect beginEdit/performEdit/endEdit on their UI thread, so while a run
// loop is there the gestures wait in a queue that a timer of the host's loop delivers. Without
// one they go to the host straight from the editor's thread, as VST 2's automation does.
class CVst3View final : public Vst3::IPlugView, public Vst3::ITimerHandler
{
public:
    static constexpr uint64_t kDeliveryPeriodMs = 20;

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
    // Keys and wheel notches the host forwards: kResultTrue only when the open editor acts on them,
    // so that the host keeps the rest (Vst3ViewInput.cpp).
    Vst3::tresult VST3_CALL onWheel(float distance) override;
    Vst3::tresult VST3_CALL onKeyDown(Vst3::Char16 key, int16_t keyCode, int16_t modifiers) override;
    Vst3::tresult VST3_CALL onKeyUp(Vst3::Char16 key, int16_t keyCode, int16_t modifiers) override;
    Vst3::tresult VST3_CALL getSize(Vst3::ViewRect* size) override;
    Vst3::tresult VST3_CALL onSize(Vst3::ViewRect* size) override;
    Vst3::tresult VST3_CALL onFocus(Vst3::TBool) override { return Vst3::kResultOk; }
    // Held until the next call (hosts pass nullptr before letting the view go); asked for its
    // run loop when the window opens.
    Vst3::tresult VST3_CALL setFrame(Vst3::IPlugFrame* frame) override;
    Vst3::tresult VST3_CALL canResize() override { return Vst3::kResultFalse; }
    Vst3::tresult VST3_CALL checkSizeConstraint(Vst3::ViewRect* rect) override;

    // ITimerHandler: the host's run loop delivers the editor's gestures.
    void VST3_CALL onTimer() override;

private:
    ~CVst3View();
    void Close();
    // Asks the frame for the host's run loop and, when there is one, relays gestures through it.
    void StartRelay();

    std::atomic<uint32_t> m_references{1};
    CVst3Plugin* m_owner;
    CPluginEditor* m_editor;
    EditorMeasure m_measure;
    Vst3::IPlugFrame* m_frame = nullptr;     // held while set
    Vst3::IRunLoop* m_runLoop = nullptr;     // held while the window is open and its timer runs
    bool m_open = false;
    // The window's size once it has been open; hosts ask before attaching too.
    int m_width = 0;
    int m_height = 0;
};
