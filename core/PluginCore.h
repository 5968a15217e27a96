#pragma once
#include "Effect.h"
#include "HostAudioBuffer.h"
#include "ParameterSet.h"
#include "PlainChannelEffect.h"
#include "PluginEditor.h"
#include "SharedValueArray.h"
#include <atomic>
#include <memory>
#include <vector>

// What a format adapter passes on to its host when the core or the editor changes a parameter.
// Calls come from any thread: the editor's, the host's, and (for output parameters) the audio one.
class CPluginCoreListener
{
public:
    // A value to report to the host as automation; only values the core applied are reported.
    virtual void OnParameterAutomated(int index, float normalised) = 0;
    // Where the editor's gesture on one parameter starts and ends.
    virtual void OnBeginEdit(int index) = 0;
    virtual void OnEndEdit(int index) = 0;
    // Any value changed, by whoever; an open editor may want to refresh.
    virtual void OnParameterChanged() = 0;
    // A program or the editor's preset changed many values at once; the host should read them
    // all again. From any thread, the audio thread included: adapters defer what they tell.
    virtual void OnValuesReplaced() {}
    virtual ~CPluginCoreListener() = default;
};

// How the core maps one input's normalised value to its real one: minimum + normalised * span,
// taken from the descriptor once rather than asked of it at every write.
struct CInputRange
{
    double minimum;
    double span;
    bool known; // a descriptor was there; inputs without one read 0
};

// One host program: the bypass flag and the normalised input values, and a name. Hosts switch
// programs from more than one thread, so the values are shared ones.
struct CProgramSlot
{
    static constexpr size_t kNameChars = 31;
    explicit CProgramSlot(int valueCount) : values(valueCount) {}
    CSharedValueArray values; // [0] bypass as 0.0 or 1.0, [1 + i] normalised input i
    char name[kNameChars + 1] = {};
};

// Publishes any effect of the framework to a plug-in format adapter, knowing no format itself.
// The host sees a flat list of 0..1 parameters: index 0 is the core's own "Bypass", 1..N the
// effect's inputs, N+1..N+M its outputs; and at least 16 programs, built from the effect's
// presets. Audio blocks turn parameter changes made since the last block into a per-frame ramp.
//
// Threads: parameter and program calls may come from any thread and are lock-free; processing,
// resume and sample-rate changes come from one thread at a time (the host does not overlap them).
// Construction, state and text calls may allocate; parameter, program and process calls never do.
class CPluginCore
{
public:
    static constexpr int kMinimumPrograms = 16;
    static constexpr float kLowestSampleRate = 1.0f;
    static constexpr float kHighestSampleRate = 3072000.0f;
    static constexpr double kInitialSampleRate = 44100.0;

    // Takes the effect; a throw while building leaves nothing behind.
    CPluginCore(std::unique_ptr<CEffect> effect, const CValueArray* settings, double refreshRate);
    CPluginCore(const CPluginCore&) = delete;
    CPluginCore& operator=(const CPluginCore&) = delete;
    virtual ~CPluginCore();

    void SetListener(CPluginCoreListener* listener) { m_listener = listener; }

    // Shape.
    int GetParameterCount() const { return m_parameterCount; }
    int GetInputParameterCount() const { return m_realInputs.GetCount(); }
    int GetProgramCount() const { return m_programCount; }
    int GetInputChannels() const { return m_inputChannels; }
    int GetOutputChannels() const { return m_outputChannels; }
    int GetLatency() const { return m_latency; }
    int GetTailLength() const { return m_effect->GetTailLength(); }
    const char* GetEffectName() const;
    // The descriptor of a host index: the core's "Bypass" at 0; nullptr outside the range.
    const CParameterInfo* GetParameterInfo(int index) const;
    bool IsOutputParameter(int index) const { return index > GetInputParameterCount() && index < m_parameterCount; }

    // Parameters, 0..1 on the host side.
    // Applies a value; false (and nothing changes) for a bad index or a value that is not finite.
    virtual bool SetParameter(int index, float normalised);
    virtual float GetParameter(int index) const;
    // SetParameter, then the listener's automation report, only when the value was applied.
    virtual bool SetParameterAutomated(int index, float normalised);
    float GetRealValue(int index) const;
    void GetParameterName(int index, char* text) const;  // up to 23 characters and a NUL
    void GetParameterLabel(int index, char* text) const; // up to 23 characters and a NUL
    void GetParameterDisplay(int index, char* text) const;
    // The display text a normalised value would have, without applying it (at most 8 characters).
    void FormatParameter(int index, float normalised, char* text) const;
    // The same, rounded to the digits shown, so that a text read back shows as itself again.
    void FormatRoundedParameter(int index, float normalised, char* text) const;
    // Reads a display text (or a plain number in the parameter's unit) back into a 0..1 value.
    bool ParseParameter(int index, const char* text, float& normalised) const;
    float ToNormalized(int index, float real) const;
    float ToReal(int index, float normalised) const;
    // The editor's gestures, passed to the listener.
    void BeginEdit(int index);
    void EndEdit(int index);

    // Programs.
    virtual void SetProgram(int index);
    int GetProgram() const { return m_currentProgram.load(std::memory_order_relaxed); }
    void SetProgramName(const char* text);
    void GetProgramName(char* text) const;
    // Any program's name (up to 31 characters and a NUL); "" outside the range.
    void GetProgramNameAt(int program, char* text) const;
    void SetProgramNameAt(int program, const char* text);
    // A program's stored value at host index 0..N; the current program's are the live values.
    float GetProgramValue(int program, int index) const;
    void SetProgramValue(int program, int index, float normalised);
    // Replaces every program (values: GetProgramCount() rows of 1 + N finite values; names: one
    // per program) and makes `current` the current program with its values live, without saving
    // the state being left into any program.
    void RestorePrograms(int current, const float* values, const char* const* names);

    // Audio.
    // False where a channel the effect takes is missing (nothing is processed then; a bypassed
    // block still passes what exists through) or the frame count is negative.
    bool Process(float** inputs, float** outputs, int frames, bool accumulate);
    void PassThrough(float** inputs, float** outputs, int frames);
    // Takes rates from 1 Hz to 3.072 MHz; anything else is garbage and ignored (false).
    bool SetSampleRate(float rate);
    float GetSampleRate() const { return m_sampleRate; }
    void Resume();
    // The current values become the effect's own at once, without a ramp from the old ones: for
    // formats whose host hands the starting values with the first block after a resume. No
    // allocation, so it may run on the audio thread.
    void SettleParameters();
    bool IsBypassed() const { return m_bypass.load(std::memory_order_relaxed) != 0; }
    // Forgets past input, where the effect's oscillators stand and any ramp under way, so the
    // next blocks sound as a new instance's would; allocates nothing, so it may run on the audio
    // thread (PluginCoreReset.cpp).
    void Reset();
    // The frames the current settings ring on after the input stops, as the last block, resume
    // or reset left them; any thread may ask.
    int GetRingLength() const { return m_ringLength.load(std::memory_order_relaxed); }
    // Takes the effect's ring length after a block or a resume; true when it changed. The length
    // follows the effect's values, so it is asked again only where they may have moved since:
    // changes taken, a ramp, values settled, a resume or a reset.
    bool UpdateRingLength() { return m_ringMayMove && TakeRingLength(); }
    // A block that needs no work: input silent for longer than the ring. The outputs get zeros,
    // the values land and the effect's time moves on as processing would move it. As after
    // Process, the caller takes the ring length once the block is done.
    void SkipSilentBlock(float** outputs, int frames);

    // For the editor: real-unit parameter sets over the core, and the effect's presets.
    CEditorContext MakeEditorContext();
    CParameterSet& GetInputParameterSet() { return m_inputSet; }
    CParameterSet& GetOutputParameterSet() { return m_outputSet; }

    const CEffect& GetEffect() const { return *m_effect; }
    int GetOutputRefreshInterval() const { return m_refreshInterval; }

private:
    // The store behind both parameter sets: the core at host indexes.
    class CHostStore : public CParameterSet
    {
    public:
        explicit CHostStore(CPluginCore& core) : m_core(core) {}
        int GetCount() const override { return m_core.m_parameterCount; }
        const CParameterInfo* GetItem(int) const override { return nullptr; }
        float GetValue(int index) const override { return m_core.GetParameter(index); }
        int SetValue(int index, float value) override { return m_core.SetParameterAutomated(index, value) ? 1 : 0; }
        void BeginEdit(int index) override { m_core.BeginEdit(index); }
        void EndEdit(int index) override { m_core.EndEdit(index); }
        void ValuesReplaced() override { m_core.NotifyValuesReplaced(); }

    private:
        CPluginCore& m_core;
    };

    // A normalising set that also tells the store where the editor's gestures start and end.
    class CEditingParameterSet : public CNormalizedParameterSet
    {
    public:
        CEditingParameterSet(const CParameterInfoList* descriptors, int offset, CParameterSet* store)
            : CNormalizedParameterSet(descriptors, offset, store), m_offset(offset), m_store(store) {}
        void BeginEdit(int index) override { m_store->BeginEdit(m_offset + index); }
        void EndEdit(int index) override { m_store->EndEdit(m_offset + index); }
        void ValuesReplaced() override { m_store->ValuesReplaced(); }

    private:
        int m_offset;
        CParameterSet* m_store;
    };

    void NotifyValuesReplaced();
    void SetUpPrograms();
    void StoreProgram(int program);
    void RefreshOutputs(bool notifyHost);
    // Most blocks change nothing: with no write since the values were last taken and no ramp to
    // end, the comparison would find them equal. Inline, so such a block takes no call.
    void UpdateRamp(int frames)
    {
        const uint32_t written = m_inputsWritten.load(std::memory_order_acquire);
        if (written == m_inputsTaken && !m_rampActive) {
            m_ramp.used = 0;
            return;
        }
        TakeChanges(frames, written);
    }
    void TakeChanges(int frames, uint32_t written);
    bool TakeRingLength();
    bool BindChannels(float** inputs, float** outputs, int frames);
    // Whether the host passed every channel the effect takes.
    bool HasChannels(float** inputs, float** outputs) const
    {
        if ((!inputs && m_effectInputs) || (!outputs && m_effectOutputs))
            return false;
        for (int i = 0; i < m_effectInputs; ++i)
            if (!inputs[i])
                return false;
        for (int o = 0; o < m_effectOutputs; ++o)
            if (!outputs[o])
                return false;
        return true;
    }
    template <class Transfer>
    void ForEachInputToOutput(float** inputs, float** outputs, int frames, Transfer transfer) const;
    void AddInputToOutputs(float** inputs, float** outputs, int frames);
    const CParameterInfo* InputInfo(int i) const;
    const CParameterInfo* OutputInfo(int j) const;
    int OutputCount() const { return m_realOutputs.GetCount(); }

    std::unique_ptr<CEffect> m_effect;
    CPluginCoreListener* m_listener = nullptr;
    float m_sampleRate = static_cast<float>(kInitialSampleRate);
    int m_programCount;
    int m_parameterCount;
    int m_latency = 0;
    // Values that parameter and program calls share with the audio thread are relaxed atomics
    // (no locks anywhere); the audio path takes one snapshot per block.
    std::atomic<int> m_currentProgram{0};
    std::atomic<int> m_bypass{0};

    CSharedValueArray m_normalizedInputs;
    CSharedValueArray m_realInputs;
    // Counts the writes to m_realInputs (each after its value, with release order), so a block
    // that finds the count it last took the values at, and no ramp to end, has nothing to compare.
    std::atomic<uint32_t> m_inputsWritten{0};
    uint32_t m_inputsTaken = ~0u;
    CSharedValueArray m_normalizedOutputs;
    CSharedValueArray m_realOutputs;
    int m_inputCount; // the effect's inputs: the length of every input array below
    std::vector<CInputRange> m_inputRanges;
    CValueArray m_previousInputs;
    CValueArray m_rampTargets; // the block's snapshot of the real inputs, allocated once
    std::unique_ptr<CValueArray> m_settingsCopy;
    const CValueArray* m_settings = nullptr;
    CValueArrayList m_ramp;
    float* m_rampEntries[2]; // the ramp's two entries as plain values
    bool m_rampActive = false;
    CPlainChannelEffect* m_plainEffect; // the effect, when it takes plain channels
    std::vector<std::unique_ptr<CProgramSlot>> m_programs;
    std::vector<CHostAudioBuffer> m_inputBuffers;
    std::vector<CHostAudioBuffer> m_outputBuffers;
    CParameterInfoList m_bypassInfo;
    CJoinedParameterInfoList m_hostInputInfo;
    const CParameterInfoList* m_inputInfo; // the effect's lists, as the joined one above holds it
    const CParameterInfoList* m_outputInfo;
    CHostStore m_store;
    CEditingParameterSet m_inputSet;
    CEditingParameterSet m_outputSet;
    CPresetListView m_presetView;
    int m_inputChannels = 0;
    int m_outputChannels = 0;
    int m_effectInputs = 0; // the channels the effect takes: m_inputBuffers.size(), m_outputBuffers.size()
    int m_effectOutputs = 0;
    int m_refreshCounter = 0;
    int m_refreshInterval = 0;
    std::atomic<int> m_ringLength{0};
    bool m_ringMayMove = true; // the effect's values may have moved since the ring length was taken
};
