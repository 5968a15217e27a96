// The validator executable's own malloc family and mutex entry points. They are exported (see
// the dynamic list in CMakeLists.txt), so a plug-in loaded with dlopen binds to them; each counts
// the call when the audio thread is inside the plug-in and forwards to the C library. A C++
// operator new reaches malloc too. Sanitizer builds keep their own allocator: nothing here then.
#include "AudioThreadProbe.h"
#include "ProbeCounters.h"
#if !defined(VALIDATOR_SANITIZED)
#include <cerrno>
#include <cstddef>
#include <dlfcn.h>
#include <pthread.h>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void __libc_free(void* block);
void* __libc_memalign(size_t alignment, size_t size);

__attribute__((visibility("default"))) void* malloc(size_t size)
{
    CountWatchedCall(kMalloc);
    return __libc_malloc(size);
}

__attribute__((visibility("default"))) void* calloc(size_t count, size_t size)
{
    CountWatchedCall(kCalloc);
    return __libc_calloc(count, size);
}

__attribute__((visibility("default"))) void* realloc(void* block, size_t size)
{
    CountWatchedCall(kRealloc);
    return __libc_realloc(block, size);
}

__attribute__((visibility("default"))) void free(void* block)
{
    if (block)
        CountWatchedCall(kFree);
    __libc_free(block);
}

__attribute__((visibility("default"))) void* aligned_alloc(size_t alignment, size_t size)
{
    CountWatchedCall(kAlignedAlloc);
    return __libc_memalign(alignment, size);
}

__attribute__((visibility("default"))) void* memalign(size_t alignment, size_t size)
{
    CountWatchedCall(kMemalign);
    return __libc_memalign(alignment, size);
}

__attribute__((visibility("default"))) void* valloc(size_t size)
{
    CountWatchedCall(kValloc);
    return __libc_memalign(4096, size);
}

__attribute__((visibility("default"))) int posix_memalign(void** place, size_t alignment, size_t size)
{
    CountWatchedCall(kPosixMemalign);
    if (alignment % sizeof(void*) != 0 || (alignment & (alignment - 1)) != 0)
        return EINVAL;
    void* block = __libc_memalign(alignment, size);
    if (!block)
        return ENOMEM;
    *place = block;
    return 0;
}
} // extern "C"

namespace {

template <class Function>
Function NextDefinition(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

using MutexCall = int (*)(pthread_mutex_t*);
using RwlockCall = int (*)(pthread_rwlock_t*);
MutexCall g_mutexLock = nullptr;
MutexCall g_mutexTrylock = nullptr;
RwlockCall g_rwlockRead = nullptr;
RwlockCall g_rwlockWrite = nullptr;

// Looked up before main, while one thread runs; the hooks look up again should a constructor of
// another library lock first.
__attribute__((constructor(101))) void FindLockFunctions()
{
    g_mutexLock = NextDefinition<MutexCall>("pthread_mutex_lock");
    g_mutexTrylock = NextDefinition<MutexCall>("pthread_mutex_trylock");
    g_rwlockRead = NextDefinition<RwlockCall>("pthread_rwlock_rdlock");
    g_rwlockWrite = NextDefinition<RwlockCall>("pthread_rwlock_wrlock");
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) int pthread_mutex_lock(pthread_mutex_t* mutex)
{
    CountWatchedCall(kMutexLock);
    if (!g_mutexLock)
        FindLockFunctions();
    return g_mutexLock(mutex);
}

__attribute__((visibility("default"))) int pthread_mutex_trylock(pthread_mutex_t* mutex)
{
    CountWatchedCall(kMutexTrylock);
    if (!g_mutexTrylock)
        FindLockFunctions();
    return g_mutexTrylock(mutex);
}

__attribute__((visibility("default"))) int pthread_rwlock_rdlock(pthread_rwlock_t* lock)
{
    CountWatchedCall(kRwlockRead);
    if (!g_rwlockRead)
        FindLockFunctions();
    return g_rwlockRead(lock);
}

__attribute__((visibility("default"))) int pthread_rwlock_wrlock(pthread_rwlock_t* lock)
{
    CountWatchedCall(kRwlockWrite);
    if (!g_rwlockWrite)
        FindLockFunctions();
    return g_rwlockWrite(lock);
}

} // extern "C"
#endif
