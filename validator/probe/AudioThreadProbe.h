#pragma once
// Watches what a plug-in does on the audio thread: memory allocation, locks and, where the
// platform lets us see them, system calls. A case runs its audio work through RunOnAudioThread
// and wraps every call into the plug-in in a CProbedCall; Findings lists what was called there.
#include <functional>
#include <string>
#include <vector>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define VALIDATOR_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#define VALIDATOR_SANITIZED 1
#endif
#endif

class CAudioThreadProbe
{
public:
    // Any address inside the plug-in binary: the Windows probe hooks that module's imports.
    explicit CAudioThreadProbe(const void* addressInPlugin);
    ~CAudioThreadProbe();
    CAudioThreadProbe(const CAudioThreadProbe&) = delete;
    CAudioThreadProbe& operator=(const CAudioThreadProbe&) = delete;

    // Empty when the probe works in this build, else why it cannot.
    const std::string& Unavailable() const { return m_unavailable; }
    // Runs `work` on a thread of its own, where system calls are watched, and waits for it.
    void RunOnAudioThread(const std::function<void()>& work);
    // "malloc: 3 calls", one line per function called inside CProbedCall scopes so far.
    std::vector<std::string> Findings() const;

private:
    std::string m_unavailable;
    void* m_state = nullptr; // the platform's own bookkeeping
};

// Marks the calling thread as being inside the plug-in for the scope's lifetime.
class CProbedCall
{
public:
    CProbedCall();
    ~CProbedCall();
    CProbedCall(const CProbedCall&) = delete;
    CProbedCall& operator=(const CProbedCall&) = delete;
};
