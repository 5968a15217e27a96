#pragma once
#include <atomic>
#include <cstdint>

// The editor's changes on their way to the host's UI thread: one producer (the editor's own
// thread) and one consumer (the host's idle call). A fixed ring with two atomic counters, so
// neither side waits or allocates; when the host stops calling idle for so long that the ring
// fills, the newest items are dropped.
class CLv2UiOutbox
{
public:
    enum EKind : uint8_t { kValue, kGrab, kRelease };
    struct SItem
    {
        EKind kind;
        uint32_t port;
        float value;
    };
    static constexpr uint32_t kCapacity = 256;

    bool Push(const SItem& item)
    {
        const uint32_t write = m_write.load(std::memory_order_relaxed);
        if (write - m_read.load(std::memory_order_acquire) >= kCapacity)
            return false;
        m_items[write % kCapacity] = item;
        m_write.store(write + 1, std::memory_order_release);
        return true;
    }
    // Hands every waiting item to `deliver`, in order.
    template <class Deliver>
    void Drain(Deliver deliver)
    {
        uint32_t read = m_read.load(std::memory_order_relaxed);
        const uint32_t write = m_write.load(std::memory_order_acquire);
        for (; read != write; ++read)
            deliver(m_items[read % kCapacity]);
        m_read.store(read, std::memory_order_release);
    }

private:
    SItem m_items[kCapacity] = {};
    std::atomic<uint32_t> m_write{0};
    std::atomic<uint32_t> m_read{0};
};
