#pragma once
#include "Effect.h"
#include "HostAudioBuffer.h"
#include "ParameterSet.h"
#include "PluginEditor.h"
#include "SharedValueArray.h"
#include "VstInterface.h"
#include <atomic>
#include <memory>
#include <vector>

class CVstEditor;

// One host program: the bypass flag and the normalised input values, and a name. Hosts switch
// programs from more than one thread, so the values are shared ones.
struct CProgramSlot
{
    explicit CProgramSlot(int valueCount) : values(valueCount) {}
    CSharedValueArray values; // [0] bypass as 0.0 or 1.0, [1 + i] normalised input i
    char name[32] = {};
};

// Publishes any effect of the framework as a VST 2 plug-in. Host parameter 0 is the adapter's
// own "Bypass", 1..N the effect's inputs, N+1..N+M its outputs. The AEffect record lives inside
// this object, so its address is valid until effClose deletes the adapter.
class CVstPlugin
{
public:
    CVstPlugin(audioMasterCallback host, CEffect* effect, const CValueArray* settings, double refreshRate);
    CVstPlugin(const CVstPlugin&) = delete;
    CVstPlugin& operator=(const CVstPlugin&) = delete;
    virtual ~CVstPlugin();

    AEffect* GetRecord() { return &m_record; }
    static CVstPlugin* FromRecord(AEffect* record);
    void SetUniqueId(VstInt32 id) { m_record.uniqueID = id; }
    void SetEditor(CVstEditor* editor);
    CVstEditor* GetEditor() const { return m_editor.get(); }
    CEditorContext MakeEditorContext();

    // Host requests (dispatcher).
    virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

    // Parameters and programs.
    virtual void setParameter(VstInt32 index, float value);
    virtual float getParameter(VstInt32 index) const;
    virtual void setParameterAutomated(VstInt32 index, float value);
    virtual void getParameterName(VstInt32 index, char* text) const;
    virtual void getParameterLabel(VstInt32 index, char* text) const;
    virtual void getParameterDisplay(VstInt32 index, char* text) const;
    virtual void setProgram(VstInt32 index);
    virtual VstInt32 getProgram() const { return m_currentProgram.load(std::memory_order_relaxed); }
    virtual void setProgramName(const char* text);
    virtual void getProgramName(char* text) const;
    virtual void float2string(float value, char* text) const;

    // Audio.
    virtual void process(float** inputs, float** outputs, VstInt32 frames);
    virtual void processReplacing(float** inputs, float** outputs, VstInt32 frames);
    virtual void passThrough(float** inputs, float** outputs, VstInt32 frames);
    virtual void setSampleRate(float rate);
    virtual float getSampleRate() const { return m_sampleRate; }
    virtual void setBlockSize(VstInt32 frames) { m_blockSize = frames; }
    virtual void suspend() {}
    virtual void resume();

    // For tests and tools.
    const CEffect& GetEffect() const { return *m_effect; }
    CParameterSet& GetInputParameterSet() { return m_inputSet; }
    CParameterSet& GetOutputParameterSet() { return m_outputSet; }
    int GetOutputRefreshInterval() const { return m_refreshInterval; }
    VstInt32 GetBlockSize() const { return m_blockSize; }

private:
    // The store behind both parameter sets: the adapter at host indexes.
    class CHostStore : public CParameterSet
    {
    public:
        explicit CHostStore(CVstPlugin& plugin) : m_plugin(plugin) {}
        int GetCount() const override { return m_plugin.m_record.numParams; }
        const CParameterInfo* GetItem(int) const override { return nullptr; }
        float GetValue(int index) const override { return m_plugin.getParameter(index); }
        int SetValue(int index, float value) override
        {
            m_plugin.setParameterAutomated(index, value);
            return 1;
        }
        void BeginEdit(int) override {}
        void EndEdit(int) override {}

    private:
        CVstPlugin& m_plugin;
    };

    void FillRecord();
    void SetUpPrograms();
    void StoreProgram(VstInt32 program);
    void RefreshOutputs(bool notifyHost);
    void UpdateRamp(VstInt32 frames);
    bool BindChannels(float** inputs, float** outputs, VstInt32 frames);
    // Calls transfer(input, output) for every output channel and the input that feeds it.
    template <class Transfer>
    void ForEachInputToOutput(float** inputs, float** outputs, VstInt32 frames, Transfer transfer) const;
    void AddInputToOutputs(float** inputs, float** outputs, VstInt32 frames);
    template <bool Accumulate>
    void Process(float** inputs, float** outputs, VstInt32 frames);
    const CParameterInfo* InputInfo(int i) const;
    const CParameterInfo* OutputInfo(int j) const;
    int InputCount() const { return m_realInputs.GetCount(); }
    int OutputCount() const { return m_realOutputs.GetCount(); }

    // Dispatcher handlers, one per request that needs more than a constant.
    VstIntPtr OnSetProgram(VstIntPtr value);
    VstIntPtr OnMainsChanged(VstIntPtr value);
    VstIntPtr OnEditGetRect(void* ptr);
    VstIntPtr OnEditOpen(void* ptr);
    VstIntPtr OnEditClose();
    VstIntPtr OnEditIdle();
    VstIntPtr OnSetBlockSizeAndSampleRate(VstIntPtr value, float opt);
    VstIntPtr OnGetEffectName(void* ptr);
    VstIntPtr OnGetVendorString(void* ptr);
    VstIntPtr OnEditKey(bool down, VstInt32 index, VstIntPtr value, float opt);
    VstIntPtr OnSetEditKnobMode(VstIntPtr value);
    VstIntPtr OnGetSpeakerArrangement(VstIntPtr value, void* ptr);

    float m_sampleRate = 44100.0f;
    std::unique_ptr<CVstEditor> m_editor;
    audioMasterCallback m_host;
    VstInt32 m_programCount;
    VstInt32 m_parameterCount;
    // Values that setParameter, getParameter and program changes share with the audio thread
    // are relaxed atomics (no locks anywhere); the audio path takes one snapshot per block.
    std::atomic<VstInt32> m_currentProgram{0};
    VstInt32 m_blockSize = 1024;
    AEffect m_record;

    CSharedValueArray m_normalizedInputs;
    CSharedValueArray m_realInputs;
    CSharedValueArray m_normalizedOutputs;
    CSharedValueArray m_realOutputs;
    CValueArray m_previousInputs;
    CValueArray m_rampTargets; // the block's snapshot of the real inputs, allocated once
    CValueArray m_rampSteps;
    std::unique_ptr<CValueArray> m_settingsCopy;
    const CValueArray* m_settings = nullptr;
    CValueArrayList m_ramp;
    bool m_rampActive = false;
    std::vector<std::unique_ptr<CProgramSlot>> m_programs;
    std::unique_ptr<CEffect> m_effect;
    std::vector<CHostAudioBuffer> m_inputBuffers;
    std::vector<CHostAudioBuffer> m_outputBuffers;
    CParameterInfoList m_bypassInfo;
    CJoinedParameterInfoList m_hostInputInfo;
    const CParameterInfoList* m_outputInfo;
    std::atomic<int> m_bypass{0};
    CHostStore m_store;
    CNormalizedParameterSet m_inputSet;
    CNormalizedParameterSet m_outputSet;
    CPresetListView m_presetView;
    VstInt32 m_inputChannels = 0;
    VstInt32 m_outputChannels = 0;
    int m_refreshCounter = 0;
    int m_refreshInterval = 0;
};

// Builds the adapter around an effect (taking ownership of it and of the editor-window object)
// and returns its record, or nullptr when there is no effect or the host answers version 0.
AEffect* CreateVstPlugin(audioMasterCallback host, CEffect* effect, VstInt32 uniqueId, CPluginEditor* editor,
                         double refreshRate, const CValueArray* settings);
