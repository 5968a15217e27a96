#pragma once
// A host for a plug-in binary's editor, as a sequencer would be one: it creates the effect
// through the binary's entry point, gives the editor a window of its own and writes down every
// call the plug-in makes back to it.
#include "PixelCapture.h"
#include "PluginLibrary.h"
#include "TestWindows.h"
#include <memory>
#include <vector>

struct SHostCall
{
    VstInt32 opcode;
    VstInt32 index;
    float value;
};

class CEditorSession
{
public:
    // One session at a time: the host callback has no other way to find it.
    explicit CEditorSession(const PluginLibrary& library, int windowWidth = 600, int windowHeight = 300);
    ~CEditorSession();
    CEditorSession(const CEditorSession&) = delete;
    CEditorSession& operator=(const CEditorSession&) = delete;

    AEffect* Effect() const { return m_effect; }
    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0);
    // effClose; the effect is gone afterwards.
    void ClosePlugin();

    HWND Parent() const { return m_window.Get(); }
    // Gives the host window's client this size, as a host does for the editor's size requests.
    void ResizeClient(int width, int height);
    VstIntPtr OpenEditor() { return Dispatch(effEditOpen, 0, 0, Parent()); }
    void CloseEditor() { Dispatch(effEditClose); }
    // The editor's dialog window: the host window's first child, or null.
    HWND Dialog() const;
    int CountEditorWindows() const;
    // The slide-out preset list's popup window while it is shown, or null.
    HWND PresetPopup() const;

    // The calls made back to the host since creation (or since they were last cleared).
    std::vector<SHostCall> calls;

private:
    static VstIntPtr Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float opt);
    static CEditorSession* s_current;

    testing_support::CHostWindow m_window;
    AEffect* m_effect = nullptr;
};

// The editor as it shows: its dialog, and with the preset list out also the list to its right,
// over a dark grey host background.
testing_support::SImage CaptureEditor(HWND dialog);
testing_support::SImage CaptureEditorWithPresets(HWND dialog, HWND popup);
// Handles messages for a while, timers included.
void PumpMessagesFor(DWORD milliseconds);
