#include "CountingAllocator.h"
#include <atomic>
#include <cstdlib>
#include <new>

#if defined(__has_feature)
#if __has_feature(thread_sanitizer)
// ThreadSanitizer links its own operator new into every program (whole archive, so ours would be
// a second definition) and runs no allocation hooks.
#define ALLOCATIONS_UNCOUNTED 1
#endif
#endif

namespace {
std::atomic<long> g_allocations{0};
std::atomic<long> g_live{0};
std::atomic<long> g_failAt{0};
std::atomic<bool> g_failed{false};
} // namespace

namespace CountingAllocator {

#if ALLOCATIONS_UNCOUNTED
bool IsActive() { return false; }
#else
bool IsActive() { return true; }
#endif
long Allocations() { return g_allocations.load(); }
long LiveBlocks() { return g_live.load(); }
void FailAllocation(long n)
{
    g_failed = false;
    g_failAt = n;
}
bool FailureHappened() { return g_failed.load(); }

} // namespace CountingAllocator

#if !ALLOCATIONS_UNCOUNTED
namespace {

void* Allocate(std::size_t size)
{
    g_allocations.fetch_add(1, std::memory_order_relaxed);
    long failAt = g_failAt.load();
    if (failAt > 0) {
        if (failAt == 1) {
            g_failAt = 0;
            g_failed = true;
            return nullptr;
        }
        g_failAt = failAt - 1;
    }
    void* p = std::malloc(size ? size : 1);
    if (p)
        g_live.fetch_add(1, std::memory_order_relaxed);
    return p;
}

void Free(void* p)
{
    if (!p)
        return;
    g_live.fetch_sub(1, std::memory_order_relaxed);
    std::free(p);
}

void* AllocateOrThrow(std::size_t size)
{
    if (void* p = Allocate(size))
        return p;
    throw std::bad_alloc();
}

} // namespace

void* operator new(std::size_t size) { return AllocateOrThrow(size); }
void* operator new[](std::size_t size) { return AllocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { Free(p); }
void operator delete[](void* p) noexcept { Free(p); }
void operator delete(void* p, std::size_t) noexcept { Free(p); }
void operator delete[](void* p, std::size_t) noexcept { Free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Free(p); }
#endif
