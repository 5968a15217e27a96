#pragma once
#include "PluginCore.h"
#include "GestureRelay.h"
#include "VstInterface.h"
#include <memory>

class CVstEditor;

// What a VST 2 host identifies a plug-in by: its registered id, and its version as one number.
struct SVstIdentity
{
    VstInt32 uniqueId;
    VstInt32 version;
};

// The one number VST 2 hosts show for a version: 1.2.3 is 1203 (minor below 10, patch below 100).
constexpr VstInt32 VstVersionNumber(int major, int minor, int patch) { return major * 1000 + minor * 100 + patch; }

// Publishes a plug-in core as a VST 2 plug-in: the AEffect record, the dispatcher, and the VST 2
// names of the core's operations. The record lives inside this object, so its address is valid
// until effClose deletes the adapter.
class CVstPlugin : private CPluginCoreListener, private CGestureRelay::CSink
{
public:
    CVstPlugin(audioMasterCallback host, std::unique_ptr<CEffect> effect, const CValueArray* settings,
               double refreshRate);
    CVstPlugin(const CVstPlugin&) = delete;
    CVstPlugin& operator=(const CVstPlugin&) = delete;
    virtual ~CVstPlugin();

    AEffect* GetRecord() { return &m_record; }
    static CVstPlugin* FromRecord(AEffect* record);
    void SetIdentity(const SVstIdentity& identity);
    void SetEditor(std::unique_ptr<CVstEditor> editor);
    CVstEditor* GetEditor() const { return m_editor.get(); }
    CEditorContext MakeEditorContext() { return m_core.MakeEditorContext(); }

    // Host requests (dispatcher).
    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    // Parameters and programs.
    virtual void setParameter(VstInt32 index, float value) { m_core.SetParameter(index, value); }
    virtual float getParameter(VstInt32 index) const { return m_core.GetParameter(index); }
    virtual void setParameterAutomated(VstInt32 index, float value) { m_core.SetParameterAutomated(index, value); }
    virtual void getParameterName(VstInt32 index, char* text) const { m_core.GetParameterName(index, text); }
    virtual void getParameterLabel(VstInt32 index, char* text) const { m_core.GetParameterLabel(index, text); }
    virtual void getParameterDisplay(VstInt32 index, char* text) const { m_core.GetParameterDisplay(index, text); }
    virtual void setProgram(VstInt32 index) { m_core.SetProgram(index); }
    virtual VstInt32 getProgram() const { return m_core.GetProgram(); }
    virtual void setProgramName(const char* text) { m_core.SetProgramName(text); }
    virtual void getProgramName(char* text) const { m_core.GetProgramName(text); }
    virtual void float2string(float value, char* text) const;

    // Audio.
    virtual void process(float** inputs, float** outputs, VstInt32 frames) { m_core.Process(inputs, outputs, frames, true); }
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 frames)
    {
        m_core.Process(inputs, outputs, frames, false);
    }
    virtual void passThrough(float** inputs, float** outputs, VstInt32 frames) { m_core.PassThrough(inputs, outputs, frames); }
    virtual void setSampleRate(float rate) { m_core.SetSampleRate(rate); }
    virtual float getSampleRate() const { return m_core.GetSampleRate(); }
    virtual void setBlockSize(VstInt32 frames) { m_blockSize = frames; }
    virtual void suspend() {}
    virtual void resume() { m_core.Resume(); }

    // For tests and tools.
    const CEffect& GetEffect() const { return m_core.GetEffect(); }
    CParameterSet& GetInputParameterSet() { return m_core.GetInputParameterSet(); }
    CParameterSet& GetOutputParameterSet() { return m_core.GetOutputParameterSet(); }
    int GetOutputRefreshInterval() const { return m_core.GetOutputRefreshInterval(); }
    VstInt32 GetBlockSize() const { return m_blockSize; }

private:
    // What the core reports, in VST 2 terms. The host is never told where a gesture starts or
    // ends: VST 2 hosts of this plug-in's era record each automated value on its own. The
    // editor's values go through the relay (which thread calls the host; the host's thread is
    // the one that calls effEditIdle); output parameters, which the audio thread reports, go
    // straight to the host.
    void OnParameterAutomated(int index, float normalised) override;
    void OnBeginEdit(int) override {}
    void OnEndEdit(int) override {}
    void OnParameterChanged() override;
    // A value the relay delivers, as audioMasterAutomate.
    void Send(const CGestureOutbox::SGesture& gesture) override;
    void Automate(int index, float normalised);

    void FillRecord();

    // Dispatcher handlers, one per request that needs more than a constant.
    VstIntPtr OnSetProgram(VstIntPtr value);
    VstIntPtr OnMainsChanged(VstIntPtr value);
    VstIntPtr OnEditGetRect(void* ptr);
    VstIntPtr OnEditOpen(void* ptr);
    VstIntPtr OnEditClose();
    VstIntPtr OnEditIdle();
    VstIntPtr OnVendorSpecific(VstInt32 index, VstIntPtr value, float opt);
    VstIntPtr OnSetBlockSizeAndSampleRate(VstIntPtr value, float opt);
    VstIntPtr OnGetEffectName(void* ptr);
    VstIntPtr OnGetVendorString(void* ptr);
    VstIntPtr OnEditKey(bool down, VstInt32 index, VstIntPtr value, float opt);
    VstIntPtr OnSetEditKnobMode(VstIntPtr value);
    VstIntPtr OnGetSpeakerArrangement(VstIntPtr value, void* ptr);

    std::unique_ptr<CVstEditor> m_editor;
    audioMasterCallback m_host;
    VstInt32 m_blockSize = 1024;
    AEffect m_record;
    CGestureRelay m_relay{*this};
    CPluginCore m_core;
};

// Builds the adapter around an effect (taking ownership of it and of the editor-window object,
// whatever happens) and returns its record, or nullptr when there is no effect or the host
// answers version 0.
AEffect* CreateVstPlugin(audioMasterCallback host, std::unique_ptr<CEffect> effect, const SVstIdentity& identity,
                         std::unique_ptr<CPluginEditor> editor, double refreshRate, const CValueArray* settings);
