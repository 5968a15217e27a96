#pragma once
#include "Vst3Interface.h"
#include <mutex>
#include <vector>

// The editor's gestures (begin, change, end) held for the host's UI thread: pushed from the
// editor's own thread, taken in order by the UI thread. Never used on the audio thread.
class CVst3GestureQueue
{
public:
    enum class EKind
    {
        Begin,
        Perform,
        End
    };
    struct SGesture
    {
        EKind kind;
        Vst3::ParamID id;
        Vst3::ParamValue value;
    };

    void Push(EKind kind, Vst3::ParamID id, Vst3::ParamValue value);
    // Everything pushed so far, oldest first, into `out` (cleared first).
    void TakeAll(std::vector<SGesture>& out);

private:
    std::mutex m_lock;
    std::vector<SGesture> m_gestures;
};
