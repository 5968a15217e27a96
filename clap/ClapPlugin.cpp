// The plug-in record, CLAP's lifecycle over the core, the audio path, and the small extensions.
#include "ClapPlugin.h"
#include <climits>
#include <cstring>

namespace {

template <class Result, class Call>
Result WithPlugin(const clap::Plugin* plugin, Result fallback, Call call)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    return self ? call(*self) : fallback;
}

bool CLAP_CALL InitEntry(const clap::Plugin* plugin)
{
    return WithPlugin(plugin, false, [](CClapPlugin& self) { return self.Init(); });
}

void CLAP_CALL DestroyEntry(const clap::Plugin* plugin) { delete CClapPlugin::From(plugin); }

bool CLAP_CALL ActivateEntry(const clap::Plugin* plugin, double rate, uint32_t minFrames, uint32_t maxFrames)
{
    return WithPlugin(plugin, false, [&](CClapPlugin& self) { return self.Activate(rate, minFrames, maxFrames); });
}

void CLAP_CALL DeactivateEntry(const clap::Plugin* plugin)
{
    WithPlugin(plugin, 0, [](CClapPlugin& self) { self.Deactivate(); return 0; });
}

bool CLAP_CALL StartProcessingEntry(const clap::Plugin* plugin)
{
    return WithPlugin(plugin, false, [](CClapPlugin& self) { return self.StartProcessing(); });
}

void CLAP_CALL StopProcessingEntry(const clap::Plugin* plugin)
{
    WithPlugin(plugin, 0, [](CClapPlugin& self) { self.StopProcessing(); return 0; });
}

void CLAP_CALL ResetEntry(const clap::Plugin* plugin)
{
    WithPlugin(plugin, 0, [](CClapPlugin& self) { self.Reset(); return 0; });
}

clap::ProcessStatus CLAP_CALL ProcessEntry(const clap::Plugin* plugin, const clap::Process* process)
{
    return WithPlugin(plugin, static_cast<clap::ProcessStatus>(clap::kProcessError), [&](CClapPlugin& self) { return self.Process(process); });
}

const void* CLAP_CALL GetExtensionEntry(const clap::Plugin* plugin, const char* id)
{
    return WithPlugin(plugin, static_cast<const void*>(nullptr), [&](CClapPlugin& self) { return self.GetExtension(id); });
}

void CLAP_CALL OnMainThreadEntry(const clap::Plugin* plugin)
{
    WithPlugin(plugin, 0, [](CClapPlugin& self) { self.OnMainThread(); return 0; });
}

// Audio ports: one main input and one main output port, processed in place as a pair.
uint32_t CLAP_CALL AudioPortCount(const clap::Plugin* plugin, bool) { return CClapPlugin::From(plugin) ? 1 : 0; }

const char* PortType(uint32_t channels)
{
    return channels == 2 ? clap::kPortStereo : channels == 1 ? "mono" : nullptr;
}

bool CLAP_CALL AudioPortGet(const clap::Plugin* plugin, uint32_t index, bool isInput, clap::AudioPortInfo* info);

uint32_t CLAP_CALL LatencyGet(const clap::Plugin* plugin)
{
    return WithPlugin(plugin, 0u, [](CClapPlugin& self) { return self.GetLatency(); });
}

uint32_t CLAP_CALL TailGet(const clap::Plugin* plugin)
{
    return WithPlugin(plugin, 0u, [](CClapPlugin& self) { return self.GetTail(); });
}

bool StringIs(const char* text, const char* expected) { return text && std::strcmp(text, expected) == 0; }

} // namespace

const clap::PluginLatency kClapLatency{LatencyGet};
const clap::PluginTail kClapTail{TailGet};

CClapPlugin* CClapPlugin::From(const clap::Plugin* plugin)
{
    return plugin ? static_cast<CClapPlugin*>(plugin->pluginData) : nullptr;
}

CClapPlugin::CClapPlugin(const clap::Host* host, const clap::PluginDescriptor* descriptor,
                         std::unique_ptr<CEffect> effect, std::unique_ptr<CPluginEditor> editor, double refreshRate)
    : m_record(), m_host(host), m_core(std::move(effect), nullptr, refreshRate), m_editor(std::move(editor)),
      m_hostValues(static_cast<size_t>(1 + m_core.GetInputParameterCount())),
      m_inputChannels(static_cast<size_t>(m_core.GetInputChannels())),
      m_outputChannels(static_cast<size_t>(m_core.GetOutputChannels()))
{
    m_record.desc = descriptor;
    m_record.pluginData = this;
    m_record.init = InitEntry;
    m_record.destroy = DestroyEntry;
    m_record.activate = ActivateEntry;
    m_record.deactivate = DeactivateEntry;
    m_record.startProcessing = StartProcessingEntry;
    m_record.stopProcessing = StopProcessingEntry;
    m_record.reset = ResetEntry;
    m_record.process = ProcessEntry;
    m_record.getExtension = GetExtensionEntry;
    m_record.onMainThread = OnMainThreadEntry;
    for (size_t i = 0; i < m_hostValues.size(); ++i)
        m_hostValues[i].store(m_core.GetParameterInfo(static_cast<int>(i))->GetDefault(), std::memory_order_relaxed);
    m_core.SetListener(this);
    if (m_editor) {
        m_editorContext = m_core.MakeEditorContext();
        m_editor->SetContext(&m_editorContext);
        m_editor->SetHost(this);
    }
}

CClapPlugin::~CClapPlugin()
{
    // A host may destroy the plug-in with its window still open: the window goes first.
    DestroyGui();
    if (m_editor)
        m_editor->SetHost(nullptr);
    m_core.SetListener(nullptr);
}

bool CClapPlugin::Init()
{
    // CLAP lets the plug-in ask for the host's extensions from init on, not before.
    if (m_initialised)
        return true;
    if (m_host && m_host->getExtension) {
        m_hostParams = static_cast<const clap::HostParams*>(m_host->getExtension(m_host, clap::kExtParams));
        m_threadCheck = static_cast<const clap::HostThreadCheck*>(m_host->getExtension(m_host, clap::kExtThreadCheck));
        m_hostGui = static_cast<const clap::HostGui*>(m_host->getExtension(m_host, clap::kExtGui));
        m_hostPresetLoad = static_cast<const clap::HostPresetLoad*>(m_host->getExtension(m_host, clap::kExtPresetLoad));
        m_hostTail = static_cast<const clap::HostTail*>(m_host->getExtension(m_host, clap::kExtTail));
        if (!m_hostPresetLoad)
            m_hostPresetLoad =
                static_cast<const clap::HostPresetLoad*>(m_host->getExtension(m_host, clap::kExtPresetLoadDraft));
    }
    m_initialised = true;
    return true;
}

bool CClapPlugin::IsAudioThread() const
{
    return m_threadCheck && m_threadCheck->isAudioThread && m_threadCheck->isAudioThread(m_host);
}

bool CClapPlugin::Activate(double sampleRate, uint32_t, uint32_t)
{
    // The rate is checked as a double: a rate beyond the float range would not survive the cast.
    if (m_active.load() || IsAudioThread())
        return false;
    if (!(sampleRate >= CPluginCore::kLowestSampleRate && sampleRate <= CPluginCore::kHighestSampleRate))
        return false;
    if (!m_core.SetSampleRate(static_cast<float>(sampleRate)))
        return false;
    m_core.Resume(); // sizes the effect for the rate: allocates, so only here on the main thread
    m_core.UpdateRingLength();
    m_active.store(true);
    return true;
}

void CClapPlugin::Deactivate()
{
    if (IsAudioThread())
        return;
    m_processing.store(false);
    m_active.store(false);
}

bool CClapPlugin::StartProcessing()
{
    if (!m_active.load())
        return false;
    m_processing.store(true);
    return true;
}

void CClapPlugin::StopProcessing()
{
    // The editor may have queued events after the last block, counting on the next one. The
    // audio thread may not ask for a flush itself, so it asks for a main-thread call that does.
    // The fences pair with the one in PostToHost: of the two threads, at least one sees the
    // other's write, so no event is left waiting for a block that never comes.
    m_processing.store(false);
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (!m_outbox.IsEmpty() && m_host->requestCallback)
        m_host->requestCallback(m_host);
}

void CClapPlugin::OnMainThread()
{
    if (!m_processing.load() && !m_outbox.IsEmpty() && m_hostParams && m_hostParams->requestFlush)
        m_hostParams->requestFlush(m_host);
    if (m_rescanPending.load())
        AfterValuesReplaced();
}

void CClapPlugin::OnValuesReplaced()
{
    // The editor's thread or the audio thread may have changed them: the rescan is a main-thread
    // call, made from the callback the host is asked for.
    m_rescanPending.store(true);
    if (m_host && m_host->requestCallback)
        m_host->requestCallback(m_host);
}

// On the audio thread (hosts reset on a transport jump): the lines exist, so they are zeroed, not
// made anew.
void CClapPlugin::Reset() { m_core.Reset(); }

uint32_t CClapPlugin::GetTail() const
{
    // What the current settings ring; VST 2 keeps its fixed answer.
    const int tail = m_core.GetRingLength();
    return tail > 0 ? static_cast<uint32_t>(tail) : 0u;
}

const void* CClapPlugin::GetExtension(const char* id) const
{
    if (!id)
        return nullptr;
    if (StringIs(id, clap::kExtAudioPorts))
        return &kClapAudioPorts;
    if (StringIs(id, clap::kExtParams))
        return &kClapParams;
    if (StringIs(id, clap::kExtState))
        return &kClapState;
    if (StringIs(id, clap::kExtLatency))
        return &kClapLatency;
    if (StringIs(id, clap::kExtTail))
        return &kClapTail;
    if (StringIs(id, clap::kExtPresetLoad) || StringIs(id, clap::kExtPresetLoadDraft))
        return &kClapPresetLoad;
    if (StringIs(id, clap::kExtGui) && m_editor)
        return &kClapGui;
    return nullptr;
}

namespace {

// The first port's channel array, where it has the channels the core takes (none: no array);
// false where it has fewer or no 32-bit data.
bool PortChannels(const clap::AudioBuffer* ports, uint32_t count, size_t channels, float**& data)
{
    data = nullptr;
    if (channels == 0)
        return true;
    if (count == 0 || !ports || !ports->data32 || ports->channelCount < channels)
        return false;
    data = ports->data32;
    return true;
}

} // namespace

bool CClapPlugin::BindPorts(const clap::Process* process, float**& inputs, float**& outputs) const
{
    // The ports' own channel arrays go to the core, which reads only the channels it takes and
    // refuses a block where one of them is missing: that is checked there, once.
    return PortChannels(process->audioInputs, process->audioInputsCount, m_inputChannels, inputs) &&
           PortChannels(process->audioOutputs, process->audioOutputsCount, m_outputChannels, outputs);
}

void CClapPlugin::SilenceOutputs(const clap::Process* process)
{
    if (!process->audioOutputs || process->framesCount > INT_MAX)
        return;
    for (uint32_t p = 0; p < process->audioOutputsCount; ++p) {
        const clap::AudioBuffer& port = process->audioOutputs[p];
        for (uint32_t c = 0; port.data32 && c < port.channelCount; ++c)
            if (port.data32[c])
                std::memset(port.data32[c], 0, process->framesCount * sizeof(float));
    }
}

clap::ProcessStatus CClapPlugin::Process(const clap::Process* process)
{
    if (!process)
        return clap::kProcessError;
    if (!m_active.load(std::memory_order_relaxed) || process->framesCount > INT_MAX) {
        SilenceOutputs(process);
        return clap::kProcessError;
    }
    // A host that skipped start_processing still gets audio: the effect is set up by activate.
    ApplyEvents(process->inEvents);
    if (!m_outbox.IsEmpty()) // most blocks report nothing
        DrainToHost(m_outbox, process->outEvents);
    float** inputs;
    float** outputs;
    if (!BindPorts(process, inputs, outputs)) {
        SilenceOutputs(process);
        return clap::kProcessError;
    }
    if (process->framesCount == 0)
        return clap::kProcessContinue;
    if (!m_core.Process(inputs, outputs, static_cast<int>(process->framesCount), false)) {
        SilenceOutputs(process); // a channel is missing
        return clap::kProcessError;
    }
    if (m_core.UpdateRingLength() && m_hostTail && m_hostTail->changed)
        m_hostTail->changed(m_host);
    return clap::kProcessContinue;
}

namespace {

bool CLAP_CALL AudioPortGet(const clap::Plugin* plugin, uint32_t index, bool isInput, clap::AudioPortInfo* info)
{
    CClapPlugin* self = CClapPlugin::From(plugin);
    if (!self || !info || index != 0)
        return false;
    const uint32_t channels = self->ChannelCount(isInput);
    std::memset(info, 0, sizeof *info);
    info->id = 0;
    std::strcpy(info->name, isInput ? "Input" : "Output");
    info->flags = clap::kAudioPortIsMain;
    info->channelCount = channels;
    info->portType = PortType(channels);
    info->inPlacePair = 0; // input 0 and output 0 may share buffers
    return true;
}

} // namespace

const clap::PluginAudioPorts kClapAudioPorts{AudioPortCount, AudioPortGet};

const clap::Plugin* CreateClapPlugin(const clap::Host* host, const clap::PluginDescriptor* descriptor,
                                     std::unique_ptr<CEffect> effect, std::unique_ptr<CPluginEditor> editor,
                                     double refreshRate)
{
    if (!host || !effect)
        return nullptr;
    auto plugin = std::make_unique<CClapPlugin>(host, descriptor, std::move(effect), std::move(editor), refreshRate);
    return plugin.release()->GetRecord();
}
