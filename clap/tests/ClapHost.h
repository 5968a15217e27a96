#pragma once
// A small CLAP host for tests: the host record with the extensions a plug-in may ask for
// (parameters, thread check, preset load), counting what the plug-in asks of it, and event
// lists for blocks.
#include "ClapInterface.h"
#include <atomic>
#include <cstring>
#include <vector>

struct STestHost
{
    STestHost();
    STestHost(const STestHost&) = delete;
    STestHost& operator=(const STestHost&) = delete;

    clap::Host record{};
    clap::HostParams params{};
    clap::HostThreadCheck threadCheck{};
    clap::HostPresetLoad presetLoad{};
    clap::HostGui gui{};
    std::atomic<std::uint64_t> requestedSize{0}; // width << 32 | height of the last request_resize
    clap::HostTail tail{};
    bool onAudioThread = false;
    std::atomic<int> flushRequests{0}; // an editor asks from its own thread
    std::atomic<int> callbackRequests{0};
    int rescans = 0;
    uint32_t lastRescanFlags = 0;
    std::atomic<int> tailChanges{0}; // told on the audio thread
    int presetsLoaded = 0;
    int presetErrors = 0;
};

// Parameter values for one block, in order.
class CInputEvents
{
public:
    CInputEvents();
    void Add(clap::Id id, double value, uint32_t time = 0);
    void AddGesture(uint16_t type, clap::Id id); // events the plug-in has to skip
    void Clear() { m_events.clear(); }
    const clap::InputEvents* Get() const { return &m_list; }

private:
    struct SEvent
    {
        union {
            clap::EventParamValue value;
            clap::EventParamGesture gesture;
        };
    };
    std::vector<SEvent> m_events;
    clap::InputEvents m_list;
};

// What the plug-in sends the host: one row per event.
class COutputEvents
{
public:
    struct SRow
    {
        uint16_t type;
        clap::Id id;
        double value;
    };
    COutputEvents();
    const clap::OutputEvents* Get() const { return &m_list; }
    std::vector<SRow> rows;

private:
    clap::OutputEvents m_list;
};
