#pragma once
// A Linux host for the plug-in binary's editor: creates the effect through the binary's entry
// point, opens its editor in a top-level window of the test's X server and writes down every call
// the plug-in makes back to it (from any thread).
#include "PluginLibrary.h"
#include "XvfbDisplay.h"
#include <atomic>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

struct SLinuxHostCall
{
    VstInt32 opcode;
    VstInt32 index;
    float value;
    std::thread::id thread; // the thread the plug-in called from
};

// Another thread processing audio through the effect (switched on first) for as long as it lives.
class CProcessingThread
{
public:
    explicit CProcessingThread(AEffect* effect);
    ~CProcessingThread() { Stop(); }
    void Stop();

private:
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

class CLinuxEditorSession
{
public:
    // One session at a time: the host callback has no other way to find it.
    CLinuxEditorSession(const PluginLibrary& library, CXvfbDisplay& display, int x = 20, int y = 20);
    ~CLinuxEditorSession();
    CLinuxEditorSession(const CLinuxEditorSession&) = delete;
    CLinuxEditorSession& operator=(const CLinuxEditorSession&) = delete;

    AEffect* Effect() const { return m_effect; }
    VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr, float opt = 0);
    void ClosePlugin();

    std::uint32_t Parent() const { return m_parent; }
    VstIntPtr OpenEditor();
    void CloseEditor() { Dispatch(effEditClose); }
    // The editor's window on the screen: its origin and size (0 × 0 while closed).
    int EditorX() const;
    int EditorY() const;
    // Waits until the editor shows what its parameters say (a refresh and a paint have passed).
    bool WaitForPaint();

    std::vector<SLinuxHostCall> Calls();
    void ClearCalls();
    // What the host does with each call after writing it down, on the calling thread; set it
    // before the plug-in calls.
    std::function<void(const SLinuxHostCall&)> onCall;

private:
    static VstIntPtr Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                              float opt);
    static CLinuxEditorSession* s_current;

    CXvfbDisplay& m_display;
    std::uint32_t m_parent;
    AEffect* m_effect = nullptr;
    std::mutex m_lock;
    std::vector<SLinuxHostCall> m_calls;
};
