#pragma once
#include "ClapInterface.h"
#include <atomic>
#include <cstdint>

// The editor's gestures and values on their way to the host: one producer (the thread the editor
// runs on) hands them to one consumer (process, or flush, which the host never overlaps). A
// fixed ring with two atomic counters, so the audio thread neither allocates nor waits; when the
// host does not collect for so long that the ring fills, the newest items are dropped.
class CClapOutbox
{
public:
    enum EKind : uint16_t { kBegin = clap::kEventParamGestureBegin, kValue = clap::kEventParamValue, kEnd = clap::kEventParamGestureEnd };
    static constexpr uint32_t kCapacity = 256;

    bool Push(EKind kind, clap::Id id, double value);
    bool IsEmpty() const { return m_read.load(std::memory_order_acquire) == m_write.load(std::memory_order_acquire); }
    // Pushes every waiting item to the host's list, in order; stops (keeping the rest) at the first
    // the list refuses.
    void DrainTo(const clap::OutputEvents* out);

private:
    struct SItem
    {
        EKind kind;
        clap::Id id;
        double value;
    };
    SItem m_items[kCapacity] = {};
    std::atomic<uint32_t> m_write{0};
    std::atomic<uint32_t> m_read{0};
};
