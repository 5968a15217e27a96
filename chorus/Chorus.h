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
    template <bool Accumulate>
    void Process(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                 const CValueArrayList* changes);
    // Converts real parameter values into the internal units of a ramp set.
    void ToInternal(const CValueArray& values, float* set) const;
    void Recompute();

    float m_dryGain = 0.0f;
    float m_wetGain = 0.0f;
    float m_baseDelay = 0.0f; // samples
    float m_depth = 0.0f;     // fraction
    CWavetableLfo* m_lfo;
    float m_sets[3][kParameterCount] = {};
    CRingBuffer m_line;
    CWavetableLfo m_sine;
    CWavetableLfo m_triangle;
    CWavetableLfo* m_custom = nullptr;
    double m_tablePerSecond = 0.0; // table size / sample rate, so the frame path never divides
};
