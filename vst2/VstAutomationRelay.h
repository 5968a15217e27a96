#pragma once
#include "GestureOutbox.h"
#include "VstInterface.h"
#include <atomic>
#include <thread>

// Where the editor's automation reaches a VST 2 host, and on which thread.
//
// The rule: until the host's first effEditIdle, each value goes to the host at once, from the
// thread that set it; a host that never idles gets it from the editor's own thread (on Linux the
// editor runs one), the only thread there is to send it from. From the first idle call on, the
// thread that idles is the host's: a value set on any other thread waits here and goes to the host
// in order from the next effEditIdle, or from effEditClose once the editor's thread has ended. A
// value set on the host's thread itself (the Windows editor runs there) goes at once, after what
// waits.
//
// Why: a host may wait on its UI thread inside audioMasterAutomate while that thread calls
// effEditClose, which waits for the editor's thread to end; an editor thread that was calling
// the host then never ends. The editor's thread therefore never calls a host that idles.
class CVstAutomationRelay
{
public:
    CVstAutomationRelay(audioMasterCallback host, AEffect* record) : m_host(host), m_record(record) {}

    // Any thread but the audio one (the one thread the editor runs on, and the host's).
    void Automate(int index, float normalised);
    // The host's idle call: its thread becomes where automation goes; what waits goes now.
    void OnHostIdle();
    // On the host's thread, when nothing more comes from the editor's: what waits goes now.
    void DeliverWaiting();
    // Straight to the host from the calling thread (the output parameters the audio thread reports).
    void Send(int index, float normalised) const;

private:
    audioMasterCallback m_host;
    AEffect* m_record;
    CGestureOutbox m_waiting;
    std::atomic<std::thread::id> m_hostThread{};
    std::atomic<bool> m_hostIdles{false};
};
