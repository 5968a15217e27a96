#include "VstAutomationRelay.h"

void CVstAutomationRelay::Automate(int index, float normalised)
{
    if (m_hostIdles.load(std::memory_order_acquire)) {
        if (std::this_thread::get_id() != m_hostThread.load(std::memory_order_relaxed)) {
            m_waiting.Push(CGestureOutbox::EKind::Value, index, normalised);
            return;
        }
        DeliverWaiting(); // what waits goes first
    }
    Send(index, normalised);
}

void CVstAutomationRelay::OnHostIdle()
{
    m_hostThread.store(std::this_thread::get_id(), std::memory_order_relaxed);
    m_hostIdles.store(true, std::memory_order_release);
    DeliverWaiting();
}

void CVstAutomationRelay::DeliverWaiting()
{
    CGestureOutbox::SGesture item;
    while (m_waiting.Take(item))
        Send(item.index, static_cast<float>(item.value));
}

void CVstAutomationRelay::Send(int index, float normalised) const
{
    if (m_host)
        m_host(m_record, audioMasterAutomate, index, 0, nullptr, normalised);
}
