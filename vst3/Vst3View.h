#pragma once
#include "PluginEditor.h"
#include "Vst3Interface.h"
#include <atomic>
#include <cstdint>

class CVst3Plugin;

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
//
// The host's content scale (IPlugViewContentScaleSupport) sizes the editor; the view then asks
// the frame to resize (resizeView), as it does when the editor's user chooses another size. That
// request comes from the editor's thread on Linux: with a run loop it waits for the timer, so the
// frame hears it on the host's UI thread.
class CVst3View final : public Vst3::IPlugView,
                        public Vst3::ITimerHandler,
                        public Vst3::IPlugViewContentScaleSupport,
                        private CEditorHost
{
public:
    static constexpr uint64_t kDeliveryPeriodMs = 20;

    CVst3View(CVst3Plugin& owner, CPluginEditor& editor);
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

    // ITimerHandler: the host's run loop delivers the editor's gestures (and size requests).
    void VST3_CALL onTimer() override;
    Vst3::tresult VST3_CALL setContentScaleFactor(float factor) override;

private:
    ~CVst3View();
    void Close();
    // Asks the frame for the host's run loop and, when there is one, relays gestures through it.
    void StartRelay();
    bool RequestResize(int width, int height) override;
    void ResizeFrame(int width, int height);

    std::atomic<uint32_t> m_references{1};
    CVst3Plugin* m_owner;
    CPluginEditor* m_editor;
    Vst3::IPlugFrame* m_frame = nullptr;     // held while set
    Vst3::IRunLoop* m_runLoop = nullptr;     // held while the window is open and its timer runs
    bool m_open = false;
    std::atomic<std::uint64_t> m_pendingSize{0}; // width << 32 | height for the timer, 0 for none
};
