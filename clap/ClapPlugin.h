#pragma once
#include "ClapInterface.h"
#include "ClapOutbox.h"
#include "PluginCore.h"
#include <atomic>
#include <memory>
#include <vector>

// Publishes a plug-in core as one CLAP plug-in: the plug-in record, its extensions, and CLAP's
// lifecycle and thread rules over the core's calls. Parameters are published at the core's host
// indexes (their CLAP ids) in their real units; values arriving in a block are applied before
// the block's one Process call, as a VST 2 host's changes between blocks are.
//
// Misbehaving hosts are survived: calls out of order are refused or answered harmlessly, and
// calls made on the audio thread that CLAP reserves for the main thread are refused when the host
// says which thread is which.
class CClapPlugin : private CPluginCoreListener, private CEditorHost
{
public:
    CClapPlugin(const clap::Host* host, const clap::PluginDescriptor* descriptor, std::unique_ptr<CEffect> effect,
                std::unique_ptr<CPluginEditor> editor, double refreshRate);
    CClapPlugin(const CClapPlugin&) = delete;
    CClapPlugin& operator=(const CClapPlugin&) = delete;
    ~CClapPlugin() override;

    const clap::Plugin* GetRecord() const { return &m_record; }
    static CClapPlugin* From(const clap::Plugin* plugin);

    // Lifecycle and audio (ClapPlugin.cpp).
    bool Init();
    bool Activate(double sampleRate, uint32_t minFrames, uint32_t maxFrames);
    void Deactivate();
    bool StartProcessing();
    void StopProcessing();
    void Reset();
    void OnMainThread();
    clap::ProcessStatus Process(const clap::Process* process);
    const void* GetExtension(const char* id) const;

    // Parameters (ClapParams.cpp).
    uint32_t ParamCount() const;
    bool GetParamInfo(uint32_t index, clap::ParamInfo* info) const;
    bool GetParamValue(clap::Id id, double* value) const;
    bool ValueToText(clap::Id id, double value, char* text, uint32_t capacity) const;
    bool TextToValue(clap::Id id, const char* text, double* value) const;
    void Flush(const clap::InputEvents* in, const clap::OutputEvents* out);

    // State and factory programs (ClapState.cpp).
    bool SaveState(const clap::OutputStream* stream) const;
    bool LoadState(const clap::InputStream* stream);
    bool LoadPreset(uint32_t locationKind, const char* location, const char* loadKey);

    // The editor window (ClapGui.cpp); offered only when there is an editor.
    bool IsGuiApiSupported(const char* api, bool floating) const;
    bool CreateGui(const char* api, bool floating);
    void DestroyGui();
    bool GetGuiSize(uint32_t* width, uint32_t* height);
    bool SetGuiParent(const clap::Window* window);
    bool ShowGui(bool show);
    bool SetGuiScale(double scale);
    // The editor's user chose another size: the host is asked to follow (gui.request_resize,
    // which CLAP allows from any thread).
    bool RequestResize(int width, int height) override;

    uint32_t GetLatency() const { return static_cast<uint32_t>(m_core.GetLatency()); }
    uint32_t ChannelCount(bool input) const { return static_cast<uint32_t>(input ? m_inputChannels : m_outputChannels); }
    uint32_t GetTail() const;

private:
    void OnParameterAutomated(int index, float normalised) override;
    void OnBeginEdit(int index) override;
    void OnEndEdit(int index) override;
    void OnParameterChanged() override {}
    // Programs and the editor's presets: the host rereads the values from its main thread.
    void OnValuesReplaced() override;

    bool IsAudioThread() const;
    // Most blocks carry no events: only their count is asked for then, without the list's frame.
    void ApplyEvents(const clap::InputEvents* in)
    {
        if (const uint32_t count = in && in->size && in->get ? in->size(in) : 0)
            ApplyEventList(in, count);
    }
    void ApplyEventList(const clap::InputEvents* in, uint32_t count);
    void ApplyValue(clap::Id id, double value);
    float Clamped(clap::Id id, double value) const; // within the published range
    bool IsInputParam(clap::Id id) const { return id <= static_cast<clap::Id>(m_core.GetInputParameterCount()); }
    void PostToHost(CGestureOutbox::EKind kind, int index, double value);
    void AfterValuesReplaced();
    bool BindPorts(const clap::Process* process, float**& inputs, float**& outputs) const;
    static void SilenceOutputs(const clap::Process* process);

    clap::Plugin m_record;
    const clap::Host* m_host;
    const clap::HostParams* m_hostParams = nullptr;
    const clap::HostThreadCheck* m_threadCheck = nullptr;
    const clap::HostGui* m_hostGui = nullptr;
    const clap::HostPresetLoad* m_hostPresetLoad = nullptr;
    const clap::HostTail* m_hostTail = nullptr;
    CPluginCore m_core;
    std::unique_ptr<CPluginEditor> m_editor;
    CEditorContext m_editorContext;
    CGestureOutbox m_outbox; // the editor's gestures and values, for the next block or flush
    std::vector<std::atomic<float>> m_hostValues; // the last real value the host sent, per input
    size_t m_inputChannels; // the channels the core takes
    size_t m_outputChannels;
    bool m_initialised = false;
    bool m_guiCreated = false;
    bool m_guiParented = false;
    std::atomic<bool> m_active{false};
    std::atomic<bool> m_processing{false};
    std::atomic<bool> m_rescanPending{false};
};

// The extensions' function tables, each defined beside its handlers.
extern const clap::PluginAudioPorts kClapAudioPorts;
extern const clap::PluginParams kClapParams;
extern const clap::PluginState kClapState;
extern const clap::PluginPresetLoad kClapPresetLoad;
extern const clap::PluginLatency kClapLatency;
extern const clap::PluginTail kClapTail;
extern const clap::PluginGui kClapGui;

// Builds the adapter around an effect (owning it and the editor-window object, whatever
// happens); nullptr without an effect or a host. The record is freed by its destroy call.
const clap::Plugin* CreateClapPlugin(const clap::Host* host, const clap::PluginDescriptor* descriptor,
                                     std::unique_ptr<CEffect> effect, std::unique_ptr<CPluginEditor> editor,
                                     double refreshRate);
