#pragma once
#include <atomic>
#include <cstdint>

// The editor's gestures and values on their way to the host, for adapters that hand them over on
// a thread other than the one the editor runs on: the editor's changes reach the adapter through
// the core's listener, which pushes them here; the adapter takes them where and when its format
// wants them delivered (a block, a flush, the host's idle call or run loop).
//
// One producer (the thread the editor runs on) and one consumer (the host thread that delivers).
// A fixed ring with two atomic counters, so neither side waits or allocates and the audio thread
// may be the consumer; when the host does not collect for so long that the ring fills, the newest
// items are dropped.
class CGestureOutbox
{
public:
    enum class EKind : uint8_t
    {
        Begin, // the editor's gesture on one parameter starts
        Value, // a value the editor set
        End    // the gesture ends
    };
    struct SGesture
    {
        EKind kind;
        int index; // the core's host index
        double value;
    };
    static constexpr uint32_t kCapacity = 256;

    // Producer: false (and the item is dropped) when the ring is full.
    bool Push(EKind kind, int index, double value = 0.0)
    {
        const uint32_t write = m_write.load(std::memory_order_relaxed);
        if (write - m_read.load(std::memory_order_acquire) >= kCapacity)
            return false;
        m_items[write % kCapacity] = SGesture{kind, index, value};
        m_write.store(write + 1, std::memory_order_release);
        return true;
    }

    // Consumer: the oldest waiting item, left in place; false when nothing waits.
    bool Peek(SGesture& item) const
    {
        const uint32_t read = m_read.load(std::memory_order_relaxed);
        if (read == m_write.load(std::memory_order_acquire))
            return false;
        item = m_items[read % kCapacity];
        return true;
    }
    // Consumer: drops the oldest waiting item (after a Peek that found it).
    void Pop() { m_read.store(m_read.load(std::memory_order_relaxed) + 1, std::memory_order_release); }
    // Consumer: takes the oldest waiting item out before it is delivered, so that a host calling
    // back into the plug-in from the delivery (and so delivering again) sees each item once.
    bool Take(SGesture& item)
    {
        if (!Peek(item))
            return false;
        Pop();
        return true;
    }

    bool IsEmpty() const { return m_read.load(std::memory_order_acquire) == m_write.load(std::memory_order_acquire); }

private:
    SGesture m_items[kCapacity] = {};
    std::atomic<uint32_t> m_write{0};
    std::atomic<uint32_t> m_read{0};
};
