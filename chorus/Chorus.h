#pragma once
#include "Effect.h"
#include "RingBuffer.h"
#include "WavetableLfo.h"
#include "ChorusSweep.h"
#include <emmintrin.h>

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
    void Restart() override;
    int GetRingLength() const override;

    // For tests and tools: the state the frame loop works from.
    float GetDryGain() const { return m_dryGain; }
    float GetWetGain() const { return m_wetGain; }
    float GetBaseDelay() const { return m_baseDelay; }
    float GetDepth() const { return m_depth; }
    const CWavetableLfo& GetLfo() const { return *m_lfo; }
    bool IsTriangle() const { return m_lfo == &m_triangle; }
    const float* GetRampSet(int set) const { return m_sets[set]; }
    const CRingBuffer& GetDelayLine() const { return m_line; }

    // The sample pointers of one block: frame f at pointer + f * stride.
    struct CFrames
    {
        const float* input;
        int inputStride;
        float* output;
        int outputStride;
    };
    // A block Begin() has prepared: where its samples lie and which frame loop runs it.
    struct CBlock
    {
        CFrames io;
        int sets;       // ramp entries taken: 0 or 1 run the steady loop
        bool sweepOnly; // a ramp that moves only the Delay and the Depth
    };

    // Process() in two halves, so a stereo pair can take both channels' ramps before running
    // both channels in one pass: Begin() takes the block's ramp and returns false when there is
    // nothing to process; Run() processes the frames.
    bool Begin(const CAudioBufferList* inputs, const CAudioBufferList* outputs, const CValueArrayList* changes,
               CBlock& block);
    // The same for plain channels (stride 1) and a ramp of `sets` entries of kParameterCount real
    // values each, of whose Phase values this channel takes phaseShare (as a float product).
    bool Begin(const float* input, float* output, const float* const* ramp, int sets, float phaseShare, CBlock& block);
    // Begin() for the second channel of a pair, with the ramp `first` has just begun with: the two
    // differ only in their Phase share, so this one takes first's converted values and gains
    // instead of deriving them again (the same bits: the same conversions of the same values).
    bool BeginTwin(const CChorus& first, const CBlock& firstBlock, const float* input, float* output,
                   const float* const* ramp, int sets, float phaseShare, CBlock& block);
    // Begin() then BeginTwin() for a pair of plain channels whose lines are there at one sample
    // rate, in one call that converts each set once (sets >= 1). Returns false, having done
    // nothing, otherwise.
    static bool BeginPair(CChorus& a, const float* inputA, float* outputA, float shareA, CChorus& b,
                          const float* inputB, float* outputB, float shareB, const float* const* ramp, int sets,
                          CBlock& blockA, CBlock& blockB);
    // Begin() for plain channels without a ramp: the steady loop.
    bool BeginSteady(const float* input, float* output, CBlock& block) const
    {
        block = CBlock{CFrames{input, 1, output, 1}, 0, false};
        return m_line.Data() != nullptr;
    }
    void Run(const CBlock& block, int frames, bool accumulate);
    // Runs both channels' blocks as a.Run() then b.Run() would, in one pass where it can.
    static void RunPair(CChorus& a, const CBlock& blockA, CChorus& b, const CBlock& blockB, int frames,
                        bool accumulate);
    // BeginSteady() and RunPair() for plain channels in the common case, with nothing in between:
    // both lines there, both sweeps within range and no channel's samples where the other one's
    // lie. Returns false, having done nothing, otherwise.
    static bool RunSteadyPair(CChorus& a, const float* inputA, float* outputA, CChorus& b, const float* inputB,
                              float* outputB, int frames, bool accumulate);
    // RunPair() for two blocks whose ramps move only the Delay and the Depth, in the same common
    // case, without the general path's layers. Returns false, having done nothing, otherwise.
    static bool RunSweepOnlyPair(CChorus& a, const CBlock& blockA, CChorus& b, const CBlock& blockB, int frames,
                                 bool accumulate);

private:
    // Whether the two channels' blocks can run in one pass with unsaturated sweeps.
    [[gnu::always_inline]] static bool FusesInRange(const CChorus& a, const CFrames& x, const CChorus& b, const CFrames& y, int frames);
    template <bool Accumulate>
    void Process(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                 const CValueArrayList* changes);
    // The frame loop with a ramp of `sets` (2 or 3) entries that moves more than the Delay and the
    // Depth. It works on local copies of the state, so stores to the samples never force it to be
    // reloaded.
    template <bool Accumulate>
    void ProcessRamp(const CFrames& io, int frames, int sets);
    // The common ramp: the waveform stays and the sample rate is known, so everything derived
    // can be computed for many frames at once.
    template <bool Accumulate>
    void ProcessRampOneWaveform(const CFrames& io, int frames, bool curved);
    // Whether the ramp in m_sets moves only the Delay and the Depth (and the waveform stays).
    bool IsSweepOnlyRamp(int sets) const;
    template <bool Accumulate>
    void Run(const CBlock& block, int frames);
    // The pieces of the steady and the one-knob loops, each channel's own: the sweep from the
    // state, the delay line pass over the block's samples, and the state stored back afterwards.
    template <bool Saturating>
    CFixedSweep<Saturating> FixedSweep() const;
    // Calls run(sweep) with the sweep for the block: the one-knob ramp's or the fixed one, without
    // saturation where the block keeps within the limit on a table within +-1.
    template <class Then>
    void WithSweep(const CBlock& block, int frames, const Then& run);
    template <bool Saturating>
    [[gnu::always_inline]] CDelayDepthSweep<Saturating> DelayDepthSweep(bool curved) const;
    CLinePass LinePass(const CFrames& io, int frames);
    CLinePass LinePass(const CFrames& io, int frames, bool steady);
    template <bool Saturating>
    void Finish(const CFixedSweep<Saturating>& sweep, const CLinePass& pass);
    template <bool Saturating>
    [[gnu::always_inline]] void Finish(const CDelayDepthSweep<Saturating>& sweep, const CLinePass& pass);
    template <bool Accumulate, class Sweep>
    void RunChunks(const CFrames& io, int frames, Sweep& sweep);
    template <bool Accumulate>
    static void RunFused(CChorus& a, const CBlock& blockA, CChorus& b, const CBlock& blockB, int frames);
    // The passes of a fused pair over x and y, then each channel's state stored back.
    template <bool Accumulate, class SweepA, class SweepB>
    [[gnu::always_inline]] static void RunPasses(CChorus& a, SweepA& sweepA, const CFrames& x, CChorus& b, SweepB& sweepB,
                                                 const CFrames& y, int frames);
    // The oscillator an LFO Type value selects; values that name none keep `current`.
    CWavetableLfo* ChooseLfo(float type, CWavetableLfo* current)
    {
        return type == 0.0f ? &m_sine : type == 1.0f ? &m_triangle : m_custom ? m_custom : current;
    }
    // Converts real parameter values (kParameterCount of them) into the internal units of a ramp set.
    // Two values to a lane of doubles, as the scalar form value * m_sampleRate * 0.001 or value *
    // 0.01 would be: a factor of 1.0 leaves a lane's bits as they were.
    void ToInternal(const float* values, float* set) const
    {
        static_assert(kGain == 0 && kDry == 1 && kWet == 2 && kDelay == 3 && kDepth == 4 && kRate == 5
                          && kPhase == 6 && kLfoType == 7,
                      "the lanes below");
        const __m128 low = _mm_loadu_ps(values);
        const __m128 high = _mm_loadu_ps(values + 4);
        const __m128d gainDry = _mm_mul_pd(_mm_cvtps_pd(low), _mm_set_pd(0.01, 1.0));
        const __m128d wetDelay = _mm_mul_pd(_mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(low, low)), _mm_set_pd(m_sampleRate, 1.0)),
                                            _mm_set_pd(0.001, 0.01));
        const __m128d depthRate = _mm_mul_pd(_mm_cvtps_pd(high), _mm_set_pd(1.0, 0.01));
        const __m128d phaseType = _mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(high, high)), _mm_set_pd(1.0, 0.01));
        _mm_storeu_ps(set, _mm_movelh_ps(_mm_cvtpd_ps(gainDry), _mm_cvtpd_ps(wetDelay)));
        _mm_storeu_ps(set + 4, _mm_movelh_ps(_mm_cvtpd_ps(depthRate), _mm_cvtpd_ps(phaseType)));
    }
    void ToInternal(const CValueArray& values, float* set) const;
    // The rest of Begin() once the ramp's sets are in m_sets.
    void Prepare(const CFrames& io, int sets, CBlock& block);
    void Recompute();
    // Recompute() less the gains: what the Delay, the Depth, the Rate, the Phase and the LFO Type derive.
    void RecomputeSweep();

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
    double m_longestDelay = 0.0;   // samples: the longest the line serves; longer ones are held here
    int m_settingsLength = 0;      // the line the max delay setting alone asks for: the tail length
};

