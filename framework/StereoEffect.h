#pragma once
#include "Effect.h"
#include <algorithm>
#include <memory>
#include <string>

// A two-channel effect made of two single-channel instances of TInner: left takes channel 0,
// right channel 1. Parameters, settings, presets and identity are the left instance's, so one
// set of values drives both; output parameters are reported for both, suffixed " (L)" / " (R)".
template <class TInner>
class CStereoEffect : public CEffect
{
public:
    CStereoEffect() { Build(); }
    CStereoEffect(const CStereoEffect& source)
        : m_left(source.m_left), m_right(source.m_right),
          m_inputCount(source.m_inputCount), m_outputCount(source.m_outputCount),
          m_pins(std::make_unique<CIOInfo>(*source.m_pins))
    {
        BuildOutputDescriptors();
        PointOutputValues();
    }
    CStereoEffect& operator=(const CStereoEffect&) = delete;

    CEffect* Clone() const override { return new CStereoEffect(*this); }
    const CEffectInfo* GetInfo() const override { return m_left.GetInfo(); }
    const CParameterInfoList* GetSettingsInfo() const override { return m_left.GetSettingsInfo(); }
    void Initialize(double sampleRate, const CValueArray* settings) override
    {
        m_left.Initialize(sampleRate, settings);
        m_right.Initialize(sampleRate, settings);
    }
    const CParameterInfoList* GetParameterInfo() const override { return m_left.GetParameterInfo(); }
    void SetParameters(const CValueArray* values) override
    {
        m_left.SetParameters(values);
        m_right.SetParameters(values);
    }
    const CPresetList* GetPresets() const override { return m_left.GetPresets(); }
    const CIOInfo* GetIOInfo() const override { return m_pins.get(); }

    void ProcessReplacing(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                          const CValueArrayList* changes) override
    {
        ProcessLeft(inputs, outputs, frames, changes, false);
        ProcessRight(inputs, outputs, frames, changes, false);
    }
    void ProcessAccumulating(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                             const CValueArrayList* changes) override
    {
        ProcessLeft(inputs, outputs, frames, changes, true);
        ProcessRight(inputs, outputs, frames, changes, true);
    }
    bool ProcessTailReplacing(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes) override
    {
        const bool left = TailLeft(outputs, frames, changes, false);
        return TailRight(outputs, frames, changes, false) || left;
    }
    bool ProcessTailAccumulating(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes) override
    {
        const bool left = TailLeft(outputs, frames, changes, true);
        return TailRight(outputs, frames, changes, true) || left;
    }
    void Skip(int frames) override
    {
        m_left.Skip(frames);
        m_right.Skip(frames);
    }
    int GetTailLength() const override { return std::max(m_left.GetTailLength(), m_right.GetTailLength()); }
    int GetLatency() const override { return std::max(m_left.GetLatency(), m_right.GetLatency()); }
    void ResetTail() override
    {
        m_left.ResetTail();
        m_right.ResetTail();
    }
    const CParameterInfoList* GetOutputParameterInfo() const override { return m_outputDescriptors.get(); }
    void UpdateOutputParameters() override
    {
        m_left.UpdateOutputParameters();
        m_right.UpdateOutputParameters();
        PointOutputValues();
    }
    const CValueArray* GetOutputValues() const override { return &m_outputValues; }
    int GetRingLength() const override { return std::max(m_left.GetRingLength(), m_right.GetRingLength()); }
    void Restart() override
    {
        m_left.Restart();
        m_right.Restart();
    }

    TInner& Left() { return m_left; }
    TInner& Right() { return m_right; }

protected:
    // The channel routing every derived class keeps: the caller's lists go to the left instance
    // (it uses index 0), index 1 of each list goes to the right instance through a one-buffer list.
    void ProcessLeft(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                     const CValueArrayList* changes, bool accumulate)
    {
        if (accumulate)
            m_left.ProcessAccumulating(inputs, outputs, frames, changes);
        else
            m_left.ProcessReplacing(inputs, outputs, frames, changes);
    }
    void ProcessRight(const CAudioBufferList* inputs, const CAudioBufferList* outputs, int frames,
                      const CValueArrayList* changes, bool accumulate)
    {
        const CSingleBufferList in(RightInput(inputs));
        const CSingleBufferList out(RightOutput(outputs));
        if (accumulate)
            m_right.ProcessAccumulating(&in, &out, frames, changes);
        else
            m_right.ProcessReplacing(&in, &out, frames, changes);
    }
    bool TailLeft(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes, bool accumulate)
    {
        return accumulate ? m_left.ProcessTailAccumulating(outputs, frames, changes)
                          : m_left.ProcessTailReplacing(outputs, frames, changes);
    }
    bool TailRight(const CAudioBufferList* outputs, int frames, const CValueArrayList* changes, bool accumulate)
    {
        const CSingleBufferList out(RightOutput(outputs));
        return accumulate ? m_right.ProcessTailAccumulating(&out, frames, changes)
                          : m_right.ProcessTailReplacing(&out, frames, changes);
    }

    // The buffers of channel 1, which the right instance takes (nullptr when there are none).
    CAudioBuffer* RightInput(const CAudioBufferList* inputs) const
    {
        return inputs && m_inputCount ? const_cast<CAudioBuffer*>(inputs->GetConstBuffer(1)) : nullptr;
    }
    CAudioBuffer* RightOutput(const CAudioBufferList* outputs) const
    {
        return outputs && m_outputCount ? outputs->GetBuffer(1) : nullptr;
    }

    TInner m_left;
    TInner m_right;

private:
    void Build()
    {
        BuildOutputDescriptors();
        PointOutputValues();
        const CIOInfo* inner = m_left.GetIOInfo();
        m_inputCount = 2 * inner->GetInputCount();
        m_outputCount = 2 * inner->GetOutputCount();
        m_pins = std::make_unique<CIOInfo>(m_outputCount, m_inputCount);
        for (int i = 0; i < m_inputCount; ++i)
            m_pins->SetInput(i, *inner->GetInput(0));
        for (int i = 0; i < m_outputCount; ++i)
            m_pins->SetOutput(i, *inner->GetOutput(0));
    }
    void BuildOutputDescriptors()
    {
        const CParameterInfoList* inner = m_left.GetOutputParameterInfo();
        const int n = inner ? inner->GetCount() : 0;
        m_outputDescriptors = std::make_unique<CParameterInfoList>(2 * n, nullptr);
        for (int i = 0; i < n; ++i) {
            const CParameterInfo* item = inner->GetItem(i);
            if (!item)
                continue;
            ReplaceItem(*m_outputDescriptors, i, Suffixed(*item, " (L)"));
            ReplaceItem(*m_outputDescriptors, n + i, Suffixed(*item, " (R)"));
        }
    }
    static CParameterInfo Suffixed(const CParameterInfo& item, const char* suffix)
    {
        const std::string name = std::string(item.GetName() ? item.GetName() : "") + suffix;
        return CParameterInfo(name.c_str(), item.GetKind(), item.GetMin(), item.GetMax(), item.GetDefault(),
                              item.GetUnit(), item.GetDescription());
    }
    void PointOutputValues()
    {
        m_outputValues.SetSecond(m_right.GetOutputValues());
        m_outputValues.SetFirst(m_left.GetOutputValues());
    }

    std::unique_ptr<CParameterInfoList> m_outputDescriptors;
    CJoinedValueArray m_outputValues;
    int m_inputCount = 0;
    int m_outputCount = 0;
    std::unique_ptr<CIOInfo> m_pins;
};
