#include "Vst3UiTimer.h"
#if defined(_WIN32)
#include <windows.h>
#include <mutex>
#include <utility>
#include <vector>
#endif

using namespace Vst3;

tresult CVst3UiTimer::queryInterface(const TUID iid, void** object)
{
    if (!object)
        return kInvalidArgument;
    *object = SameUid(iid, kFUnknownIid) || SameUid(iid, kTimerHandlerIid) ? static_cast<ITimerHandler*>(this) : nullptr;
    return *object ? kResultOk : kNoInterface;
}

#if defined(_WIN32)

namespace {

// Thread timers carry no pointer of their own: their ids find the objects. Only UI threads start,
// stop and run them, but a host may have several.
std::mutex g_timersLock;
std::vector<std::pair<UINT_PTR, CVst3UiTimer*>> g_timers;

void CALLBACK OnThreadTimer(HWND, UINT, UINT_PTR id, DWORD)
{
    CVst3UiTimer* timer = nullptr;
    {
        std::lock_guard<std::mutex> hold(g_timersLock);
        for (const auto& entry : g_timers)
            if (entry.first == id)
                timer = entry.second;
    }
    if (timer)
        timer->onTimer();
}

} // namespace

bool CVst3UiTimer::Start(FUnknown*)
{
    Stop();
    try {
        std::lock_guard<std::mutex> hold(g_timersLock);
        g_timers.reserve(g_timers.size() + 1);
        m_timerId = SetTimer(nullptr, 0, kPeriodMs, OnThreadTimer);
        if (m_timerId)
            g_timers.emplace_back(m_timerId, this);
    } catch (...) {
        m_timerId = 0;
    }
    return m_timerId != 0;
}

void CVst3UiTimer::Stop()
{
    if (!m_timerId)
        return;
    KillTimer(nullptr, m_timerId);
    std::lock_guard<std::mutex> hold(g_timersLock);
    for (size_t i = 0; i < g_timers.size(); ++i)
        if (g_timers[i].first == m_timerId) {
            g_timers.erase(g_timers.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    m_timerId = 0;
}

#else

bool CVst3UiTimer::Start(FUnknown* context)
{
    Stop();
    void* runLoop = nullptr;
    if (!context || context->queryInterface(kRunLoopIid.bytes, &runLoop) != kResultOk || !runLoop)
        return false;
    m_runLoop = static_cast<IRunLoop*>(runLoop);
    if (m_runLoop->registerTimer(this, kPeriodMs) != kResultOk) {
        m_runLoop->release();
        m_runLoop = nullptr;
    }
    return m_runLoop != nullptr;
}

void CVst3UiTimer::Stop()
{
    if (!m_runLoop)
        return;
    m_runLoop->unregisterTimer(this);
    m_runLoop->release();
    m_runLoop = nullptr;
}

#endif
