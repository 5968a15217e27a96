#pragma once
#include "Effect.h"
#include "RingBuffer.h"
#include "StereoEffect.h"
#include "WavetableLfo.h"

// The chorus in its plain per-frame form: every frame looks up the oscillator, computes the swept
// delay, writes and reads the delay line and, while a ramp runs, steps the ramp and recomputes
// everything derived from it. Slow but obviously right; the optimised CChorus must produce the
// same bits from the same calls.
class CReferenceChorus : public CEffectBase
{
public:
    enum Parameter { kGain, kDry, kWet, kDelay, kDepth, kRate, kPhase, kLfoType, kParameterCount };

    CReferenceChorus();
    CReferenceChorus(const CReferenceChorus& source);
    CReferenceChorus& operator=(const CReferenceChorus&) = delete;

    CEffect* Clone() const override { return new CReferenceChorus(*this); }
    const CEffectInfo* GetInfo() const override;
    const CParameterInfoList* GetSettingsInfo() const override;
    const CParameterInfoList* GetParameterInfo() const override;
    void SetParameters(const CValueArray* values) override;
    const CIOInfo* GetIOInfo() const override;
    void ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                          const CValueArrayList* changes) override;
    void ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                             const CValueArrayList* changes) override;
    void Skip(int frames) override;
    void ApplySettings(const CValueArray* settings) override;
    void Reset() override;

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
    void ToInternal(const CValueArray& values, float* set) const;
    void Recompute();

    float m_dryGain = 0.0f;
    float m_wetGain = 0.0f;
    float m_baseDelay = 0.0f;
    float m_depth = 0.0f;
    CWavetableLfo* m_lfo;
    float m_sets[3][kParameterCount] = {};
    CRingBuffer m_line;
    CWavetableLfo m_sine;
    CWavetableLfo m_triangle;
    double m_tablePerSecond = 0.0;
    int m_settingsLength = 0;
};

// The stereo composition of the reference: Stereo spreads the two oscillators' phases.
class CReferenceStereoChorus : public CStereoEffect<CReferenceChorus>
{
public:
    CReferenceStereoChorus();
    CReferenceStereoChorus(const CReferenceStereoChorus& source);

    CEffect* Clone() const override { return new CReferenceStereoChorus(*this); }
    void Initialize(double sampleRate, const CValueArray* settings) override;
    void SetParameters(const CValueArray* values) override;
    void ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                          const CValueArrayList* changes) override;
    void ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                             const CValueArrayList* changes) override;
    bool ProcessTailReplacing(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes) override;
    bool ProcessTailAccumulating(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes) override;

private:
    enum { kStereo = CReferenceChorus::kPhase };

    const CValueArrayList* RampFor(const CValueArrayList* changes, float spread);
    void ScaleStereo(const CValueArrayList* changes, float spread);

    CValueArrayList m_changes;
    CValueArray m_channelValues;
};
