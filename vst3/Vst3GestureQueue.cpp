#include "Vst3GestureQueue.h"

void CVst3GestureQueue::Push(EKind kind, Vst3::ParamID id, Vst3::ParamValue value)
{
    std::lock_guard<std::mutex> lock(m_lock);
    m_gestures.push_back({kind, id, value});
}

void CVst3GestureQueue::TakeAll(std::vector<SGesture>& out)
{
    out.clear();
    std::lock_guard<std::mutex> lock(m_lock);
    out.swap(m_gestures);
}
