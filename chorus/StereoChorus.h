#pragma once
#include "Chorus.h"
#include "PlainChannelEffect.h"
#include "StereoEffect.h"

// The published effect: a chorus per channel, with "Stereo" in place of the mono "Phase".
// Stereo s sets the left oscillator's phase to -s/4 % and the right one's to +s/4 % of a period,
// so at 100 % the two delay sweeps run opposite and at 0 % both channels sweep in step.
class CStereoChorus : public CStereoEffect<CChorus>, public CPlainChannelEffect
{
public:
    CStereoChorus();
    CStereoChorus(const CStereoChorus& source);

    CEffect* Clone() const override { return new CStereoChorus(*this); }
    const CEffectInfo* GetInfo() const override;
    const CParameterInfoList* GetParameterInfo() const override;
    const CPresetList* GetPresets() const override;
    void Initialize(double sampleRate, const CValueArray* settings) override;
    void SetParameters(const CValueArray* values) override;
    void ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                          const CValueArrayList* changes) override;
    void ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                             const CValueArrayList* changes) override;
    bool ProcessTailReplacing(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes) override;
    bool ProcessTailAccumulating(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes) override;
    void ProcessChannels(const float* const* inputs, float* const* outputs, int frames, const float* const* ramp,
                         int rampEntries, int valueCount, bool accumulate) override;

private:
    enum { kStereo = CChorus::kPhase };
    static constexpr float kLeftSpread = -0.25f;
    static constexpr float kRightSpread = 0.25f;

    // Copies the incoming ramp into the own list with entry 6 scaled for one channel; returns
    // the own list, or nullptr when there is no incoming ramp.
    const CValueArrayList* RampFor(const CValueArrayList* changes, float spread);
    void ScaleStereo(const CValueArrayList* changes, float spread);
    // Runs the channels' blocks that Begin() made ready: both in one pass where it can.
    void RunReady(CChorus::CBlock* left, CChorus::CBlock* right, int frames, bool accumulate);
    template <bool Accumulate>
    void Process(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                 const CValueArrayList* changes);
    template <bool Accumulate>
    bool Tail(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes);

    CValueArrayList m_changes;
    CValueArray m_channelValues; // scratch for SetParameters, so the audio thread never allocates
};
