#pragma once
#include "AudioBuffer.h"
#include "EffectInfo.h"
#include "ParameterInfo.h"
#include "Preset.h"
#include "ValueArray.h"

// The one interface between signal processing and everything else.
// Processing, Skip and SetParameters run on the audio thread and never allocate or lock; the
// effect is never entered by two threads at once. Returned lists and records stay owned by the
// effect (or are shared process-wide) and must not outlive it.
class CEffect
{
public:
    virtual CEffect* Clone() const = 0;
    virtual const CEffectInfo* GetInfo() const = 0;
    virtual const CParameterInfoList* GetSettingsInfo() const = 0;
    virtual void Initialize(double sampleRate, const CValueArray* settings) = 0;
    virtual const CParameterInfoList* GetParameterInfo() const = 0;
    virtual void SetParameters(const CValueArray* values) = 0;
    virtual const CPresetList* GetPresets() const = 0;
    virtual const CIOInfo* GetIOInfo() const = 0;
    virtual void ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs,
                                  int frames, const CValueArrayList* changes) = 0;
    virtual void ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs,
                                     int frames, const CValueArrayList* changes) = 0;
    virtual bool ProcessTailReplacing(const CAudioBufferList* outputs, int frames,
                                      const CValueArrayList* changes) = 0;
    virtual bool ProcessTailAccumulating(const CAudioBufferList* outputs, int frames,
                                         const CValueArrayList* changes) = 0;
    virtual void Skip(int frames) = 0;
    virtual int GetTailLength() const = 0;
    virtual int GetLatency() const = 0;
    virtual void ResetTail() = 0;
    virtual const CParameterInfoList* GetOutputParameterInfo() const = 0;
    virtual void UpdateOutputParameters() = 0;
    virtual const CValueArray* GetOutputValues() const = 0;
    // How many frames the current settings ring on after the input stops. GetTailLength is the
    // fixed answer for hosts that ask once; this one follows the settings. On the audio thread.
    virtual int GetRingLength() const = 0;
    // Forgets past input and where the effect's oscillators stand, as Initialize leaves a new
    // instance, without allocating: a host's reset on the audio thread.
    virtual void Restart() = 0;
    virtual ~CEffect() = default;
};

// Process-wide empty answers for effects that have no settings, parameters, outputs or presets.
const CParameterInfoList* EmptySettingsInfo();
const CParameterInfoList* EmptyParameterInfo();
const CParameterInfoList* EmptyOutputParameterInfo();
const CValueArray* EmptyOutputValues();
const CPresetList* EmptyPresetList();

// Sensible defaults for every operation but identity, cloning, pins and processing.
class CEffectBase : public CEffect
{
public:
    const CParameterInfoList* GetSettingsInfo() const override { return EmptySettingsInfo(); }
    // Settings first (they may size buffers and the tail), then parameter defaults, then resets.
    void Initialize(double sampleRate, const CValueArray* settings) override;
    const CParameterInfoList* GetParameterInfo() const override { return EmptyParameterInfo(); }
    void SetParameters(const CValueArray*) override {}
    const CPresetList* GetPresets() const override { return EmptyPresetList(); }
    bool ProcessTailReplacing(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes) override;
    bool ProcessTailAccumulating(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes) override;
    void Skip(int) override {}
    int GetTailLength() const override { return m_tailLength; }
    int GetLatency() const override { return m_latency; }
    void ResetTail() override { m_tailCounter = 0; }
    const CParameterInfoList* GetOutputParameterInfo() const override { return EmptyOutputParameterInfo(); }
    void UpdateOutputParameters() override {}
    const CValueArray* GetOutputValues() const override { return EmptyOutputValues(); }
    int GetRingLength() const override { return GetTailLength(); }
    void Restart() override
    {
        ResetTail();
        Reset();
    }

    virtual void ApplySettings(const CValueArray*) {}
    virtual void Reset() {}

protected:
    double m_sampleRate = 0.0;
    int m_tailLength = 0;
    int m_latency = 0;
    int m_tailCounter = 0;

private:
    // Counts the block against the tail; false when the tail is already complete.
    bool AdvanceTail(int frames);
};
