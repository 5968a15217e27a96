#include "GestureRelay.h"

void CGestureRelay::Relay(CGestureOutbox::EKind kind, int index, double value)
{
    if (m_relaying.load(std::memory_order_acquire)) {
        if (std::this_thread::get_id() != m_hostThread.load(std::memory_order_relaxed)) {
            m_waiting.Push(kind, index, value);
            return;
        }
        DeliverWaiting(); // what waits goes first
    }
    m_sink.Send(CGestureOutbox::SGesture{kind, index, value});
}

void CGestureRelay::RelayToThisThread()
{
    m_hostThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    m_relaying.store(true, std::memory_order_release);
    DeliverWaiting();
}

void CGestureRelay::DeliverWaiting()
{
    CGestureOutbox::SGesture gesture;
    while (m_waiting.Take(gesture))
        m_sink.Send(gesture);
}

void CGestureRelay::Stop()
{
    m_relaying.store(false, std::memory_order_release);
    DeliverWaiting();
}
