#include "ProcessMeasures.h"
#if defined(_WIN32)
#include <windows.h>
#include <vector>
#else
#include <ctime>
#include <malloc.h>
#endif

#if defined(__SANITIZE_ADDRESS__)
#define VALIDATOR_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VALIDATOR_ASAN 1
#endif
#endif
#if defined(VALIDATOR_ASAN)
#include <cstddef>
// The sanitizer runtime's own count; GCC installs no header for it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

int64_t HeapBytesInUse()
{
#if defined(VALIDATOR_ASAN)
    // The sanitizer's allocator replaces the C library's, whose own counts then stay flat.
    return static_cast<int64_t>(__sanitizer_get_current_allocated_bytes());
#elif defined(_WIN32)
    // The C runtime may keep its own heap beside the process heap: walk every one of them.
    std::vector<HANDLE> heaps(64);
    DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    if (count > heaps.size()) {
        heaps.resize(count);
        count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
    }
    int64_t total = 0;
    for (DWORD h = 0; h < count && h < heaps.size(); ++h) {
        if (!HeapLock(heaps[h]))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heaps[h], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += static_cast<int64_t>(entry.cbData);
        HeapUnlock(heaps[h]);
    }
    return total;
#elif defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 33))
    const struct mallinfo2 info = mallinfo2();
    return static_cast<int64_t>(info.uordblks + info.hblkhd);
#else
    return -1;
#endif
}

double ThreadCpuSeconds()
{
#if defined(_WIN32)
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0.0;
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7; // 100 ns units
#else
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
#endif
}
