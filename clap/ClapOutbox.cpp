#include "ClapOutbox.h"

bool CClapOutbox::Push(EKind kind, clap::Id id, double value)
{
    const uint32_t write = m_write.load(std::memory_order_relaxed);
    if (write - m_read.load(std::memory_order_acquire) >= kCapacity)
        return false;
    m_items[write % kCapacity] = SItem{kind, id, value};
    m_write.store(write + 1, std::memory_order_release);
    return true;
}

void CClapOutbox::DrainTo(const clap::OutputEvents* out)
{
    if (!out || !out->tryPush)
        return; // kept for a host call that can take them
    uint32_t read = m_read.load(std::memory_order_relaxed);
    const uint32_t write = m_write.load(std::memory_order_acquire);
    for (; read != write; ++read) {
        const SItem& item = m_items[read % kCapacity];
        bool taken;
        if (item.kind == kValue) {
            clap::EventParamValue event{};
            event.header = {sizeof event, 0, clap::kCoreEventSpace, item.kind, 0};
            event.paramId = item.id;
            event.noteId = -1;
            event.portIndex = -1;
            event.channel = -1;
            event.key = -1;
            event.value = item.value;
            taken = out->tryPush(out, &event.header);
        } else {
            clap::EventParamGesture event{};
            event.header = {sizeof event, 0, clap::kCoreEventSpace, item.kind, 0};
            event.paramId = item.id;
            taken = out->tryPush(out, &event.header);
        }
        if (!taken)
            break;
    }
    m_read.store(read, std::memory_order_release);
}
