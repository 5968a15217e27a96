#pragma once
#include "Vst3Interface.h"

// A periodic call on the host's UI thread, for what a VST 3 host takes only there and never from
// inside its own calls (restartComponent: Ardour holds its locks around setParamNormalized).
// Linux hosts offer their run loop (IRunLoop) through the context they hand to initialize;
// on Windows it is a thread timer of the thread that called initialize, whose messages the
// host's UI loop dispatches. Owned by the plug-in, which outlives every call of the timer.
class CVst3UiTimer final : public Vst3::ITimerHandler
{
public:
    using Callback = void (*)(void* target);
    static constexpr uint32_t kPeriodMs = 20;

    CVst3UiTimer(Callback callback, void* target) : m_callback(callback), m_target(target) {}
    CVst3UiTimer(const CVst3UiTimer&) = delete;
    CVst3UiTimer& operator=(const CVst3UiTimer&) = delete;
    ~CVst3UiTimer() { Stop(); }

    // Starts the timer on the calling (UI) thread, through the host's context where the platform
    // needs one; false when nothing can run it.
    bool Start(Vst3::FUnknown* context);
    void Stop();

    Vst3::tresult VST3_CALL queryInterface(const Vst3::TUID iid, void** object) override;
    uint32_t VST3_CALL addRef() override { return 1; }
    uint32_t VST3_CALL release() override { return 1; }
    void VST3_CALL onTimer() override { m_callback(m_target); }

private:
    Callback m_callback;
    void* m_target;
#if defined(_WIN32)
    uintptr_t m_timerId = 0; // the thread timer
#else
    Vst3::IRunLoop* m_runLoop = nullptr; // held while the timer runs there
#endif
};
