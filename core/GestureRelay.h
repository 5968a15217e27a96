#pragma once
#include "GestureOutbox.h"
#include <atomic>
#include <thread>

// Where the editor's gestures reach the host, and on which thread, for formats whose host takes
// them on a UI thread of its own (VST 2 from its first effEditIdle, VST 3 through its run loop).
//
// The rule: until the relay learns the host's thread, each gesture goes to the host at once, from
// the thread that made it; a host that never says gets it from the editor's own thread (on Linux
// the editor runs one), the only thread there is to send it from. Once the host's thread is
// known, a gesture made on any other thread waits here and goes to the host in order at the next
// delivery on the host's thread; one made on the host's thread itself (the Windows editor runs
// there) goes at once, after what waits.
//
// Why: a host may wait on its UI thread inside its handler for a gesture while that thread closes
// the editor, which waits for the editor's thread to end; an editor thread that was calling the
// host then never ends. The editor's thread therefore never calls a host that has a thread of its own.
class CGestureRelay
{
public:
    // The format's call to its host.
    class CSink
    {
    public:
        virtual void Send(const CGestureOutbox::SGesture& gesture) = 0;

    protected:
        ~CSink() = default;
    };

    explicit CGestureRelay(CSink& sink) : m_sink(sink) {}

    // Any thread but the audio one.
    void Relay(CGestureOutbox::EKind kind, int index, double value = 0.0);
    // The calling thread is the host's from now on; what waits goes now.
    void RelayToThisThread();
    // On the host's thread: what waits goes now (each item taken out before it is sent, since the
    // host may call back into the plug-in and so deliver again).
    void DeliverWaiting();
    // Gestures go at once again, from whichever thread makes them; what waits goes now.
    void Stop();

private:
    CSink& m_sink;
    CGestureOutbox m_waiting;
    std::atomic<std::thread::id> m_hostThread{};
    std::atomic<bool> m_relaying{false};
};
