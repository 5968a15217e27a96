#pragma once
#include "Effect.h"
#include "RingBuffer.h"
#include "WavetableLfo.h"

// The single-channel chorus: the input goes into a delay line and is read back at a delay that
// a table oscillator sweeps around a base delay; the swept copy is mixed with the dry signal.
class CChorus : public CEffectBase
{
public:
    enum Parameter { kGain, kDry, kWet, kDelay, kDepth, kRate, kPhase, kLfoType, kParameterCount };

    CChorus();
    CChorus(const CChorus& source);
    CChorus& operator=(const CChorus&) = delete;

    CEffect* Clone() const override { return new CChorus(*this); }
    const CEffectInfo* GetInfo() const override;
    const CParameterInfoList* GetSettingsInfo() const override;
    const CParameterInfoList* GetParameterInfo() const override;
    void SetParameters(const CValueArray* values) override;
    const CPresetList* GetPresets() const override;
    const CIOInfo* GetIOInfo() const override;
    void ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                          const CValueArrayList* changes) override;
    void ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                             const CValueArrayList* changes) override;
    void Skip(int frames) override;
    void ApplySettings(const CValueArray* settings) override;
    void Reset() override;

    // For tests and tools: the state the frame loop works from.
    float GetDryGain() const { return m_dryGain; }
    float GetWetGain() const { return m_wetGain; }
    float GetBaseDelay() const { return m_baseDelay; }
    float GetDepth() const { return m_depth; }
    const CWavetableLfo& GetLfo() const { return *m_lfo; }
    bool IsTriangle() const { return m_lfo == &m_triangle; }
    const float* GetRampSet(int set) const { return m_sets[set]; }
    const CRingBuffer& GetDelayLine() const { return m_line; }

private:
    // The sample pointers of one block: frame f at pointer + f * stride.
    struct CFrames
    {
        const float* input;
        int inputStride;
        float* output;
        int outputStride;
    };

    template <bool Accumulate>
    void Process(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                 const CValueArrayList* changes);
    // The frame loop with fixed parameters, and with a ramp of `sets` (2 or 3) entries. Both work
    // on local copies of the state, so stores to the samples never force it to be reloaded.
    template <bool Accumulate>
    void ProcessSteady(const CFrames& io, int frames);
    template <bool Accumulate>
    void ProcessRamp(const CFrames& io, int frames, int sets);
    // The common ramp: the waveform stays and the sample rate is known, so everything derived
    // can be computed for many frames at once.
    template <bool Accumulate>
    void ProcessRampOneWaveform(const CFrames& io, int frames, bool curved);
    // The one-knob ramp: only the Delay and the Depth move, everything else derived holds.
    template <bool Accumulate>
    void ProcessRampSweepOnly(const CFrames& io, int frames, bool curved);
    // The oscillator an LFO Type value selects; values that name none keep `current`.
    CWavetableLfo* ChooseLfo(float type, CWavetableLfo* current)
    {
        return type == 0.0f ? &m_sine : type == 1.0f ? &m_triangle : m_custom ? m_custom : current;
    }
    // Converts real parameter values into the internal units of a ramp set.
    void ToInternal(const CValueArray& values, float* set) const;
    void Recompute();

    float m_dryGain = 0.0f;
    float m_wetGain = 0.0f;
    float m_baseDelay = 0.0f; // samples
    float m_depth = 0.0f;     // fraction
    CWavetableLfo* m_lfo;
    static constexpr int kSets = 3; // values, per-frame steps, steps of the steps
    float m_sets[kSets][kParameterCount] = {};
    CRingBuffer m_line;
    CWavetableLfo m_sine;
    CWavetableLfo m_triangle;
    CWavetableLfo* m_custom = nullptr;
    double m_tablePerSecond = 0.0; // table size / sample rate, so the frame path never divides
};
