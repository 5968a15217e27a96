#include "ClapHost.h"

namespace {

STestHost& HostOf(const clap::Host* host) { return *static_cast<STestHost*>(host->hostData); }

const void* CLAP_CALL HostExtension(const clap::Host* host, const char* id)
{
    STestHost& self = HostOf(host);
    if (std::strcmp(id, clap::kExtParams) == 0)
        return &self.params;
    if (std::strcmp(id, clap::kExtThreadCheck) == 0)
        return &self.threadCheck;
    if (std::strcmp(id, clap::kExtPresetLoad) == 0)
        return &self.presetLoad;
    if (std::strcmp(id, clap::kExtGui) == 0)
        return &self.gui;
    if (std::strcmp(id, clap::kExtTail) == 0)
        return &self.tail;
    return nullptr;
}

void CLAP_CALL Nothing(const clap::Host*) {}

} // namespace

STestHost::STestHost()
{
    record.clapVersion = clap::kVersion;
    record.hostData = this;
    record.name = "clap test host";
    record.vendor = "Orvane's Music Software";
    record.url = "";
    record.version = "1";
    record.getExtension = HostExtension;
    record.requestRestart = Nothing;
    record.requestProcess = Nothing;
    record.requestCallback = [](const clap::Host* host) { ++HostOf(host).callbackRequests; };
    params.rescan = [](const clap::Host* host, uint32_t flags) {
        ++HostOf(host).rescans;
        HostOf(host).lastRescanFlags = flags;
    };
    tail.changed = [](const clap::Host* host) { ++HostOf(host).tailChanges; };
    params.clear = [](const clap::Host*, clap::Id, uint32_t) {};
    params.requestFlush = [](const clap::Host* host) { ++HostOf(host).flushRequests; };
    threadCheck.isMainThread = [](const clap::Host* host) { return !HostOf(host).onAudioThread; };
    threadCheck.isAudioThread = [](const clap::Host* host) { return HostOf(host).onAudioThread; };
    presetLoad.onError = [](const clap::Host* host, uint32_t, const char*, const char*, int32_t, const char*) {
        ++HostOf(host).presetErrors;
    };
    presetLoad.loaded = [](const clap::Host* host, uint32_t, const char*, const char*) { ++HostOf(host).presetsLoaded; };
    gui.resizeHintsChanged = Nothing;
    gui.requestResize = [](const clap::Host* host, uint32_t width, uint32_t height) {
        HostOf(host).requestedSize = static_cast<std::uint64_t>(width) << 32 | height;
        return true;
    };
    gui.requestShow = [](const clap::Host*) { return false; };
    gui.requestHide = [](const clap::Host*) { return false; };
    gui.closed = [](const clap::Host*, bool) {};
}

CInputEvents::CInputEvents()
{
    m_list.ctx = this;
    m_list.size = [](const clap::InputEvents* list) {
        return static_cast<uint32_t>(static_cast<CInputEvents*>(list->ctx)->m_events.size());
    };
    m_list.get = [](const clap::InputEvents* list, uint32_t index) -> const clap::EventHeader* {
        auto& events = static_cast<CInputEvents*>(list->ctx)->m_events;
        return index < events.size() ? &events[index].value.header : nullptr;
    };
}

void CInputEvents::Add(clap::Id id, double value, uint32_t time)
{
    SEvent event;
    std::memset(&event, 0, sizeof event);
    event.value.header = {sizeof(clap::EventParamValue), time, clap::kCoreEventSpace, clap::kEventParamValue, 0};
    event.value.paramId = id;
    event.value.noteId = -1;
    event.value.portIndex = event.value.channel = event.value.key = -1;
    event.value.value = value;
    m_events.push_back(event);
}

void CInputEvents::AddGesture(uint16_t type, clap::Id id)
{
    SEvent event;
    std::memset(&event, 0, sizeof event);
    event.gesture.header = {sizeof(clap::EventParamGesture), 0, clap::kCoreEventSpace, type, 0};
    event.gesture.paramId = id;
    m_events.push_back(event);
}

COutputEvents::COutputEvents()
{
    m_list.ctx = this;
    m_list.tryPush = [](const clap::OutputEvents* list, const clap::EventHeader* header) {
        auto* self = static_cast<COutputEvents*>(list->ctx);
        double value = 0.0;
        clap::Id id = 0;
        if (header->type == clap::kEventParamValue) {
            const auto* event = reinterpret_cast<const clap::EventParamValue*>(header);
            id = event->paramId;
            value = event->value;
        } else {
            id = reinterpret_cast<const clap::EventParamGesture*>(header)->paramId;
        }
        self->rows.push_back({header->type, id, value});
        return true;
    };
}
