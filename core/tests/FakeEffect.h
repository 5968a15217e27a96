#pragma once
// A configurable effect that records what the adapter asks of it.
#include "Effect.h"
#include <cstring>
#include <memory>
#include <string>
#include <vector>

struct EffectLog
{
    std::vector<double> initializeRates;
    std::vector<std::vector<float>> setParameters;
    int rampUsed = -1;
    std::vector<float> rampValues, rampSteps;
    int processCalls = 0;
    int lastFrames = -1;
    std::vector<int> skips;
    int outputUpdates = 0;
    int ringAsks = 0;
    bool destroyed = false;
};

class FakeEffect : public CEffectBase
{
public:
    struct Config
    {
        int inputs = 2, outputs = 2;
        int outputParameters = 0;
        int presets = 3; // kind-0 entries, plus one heading in front
        int latency = 0;
        int tail = 0;
    };

    FakeEffect(EffectLog& log, Config config) : m_log(log), m_config(config), m_pins(config.outputs, config.inputs)
    {
        m_inputInfo = std::make_unique<CParameterInfoList>(3, nullptr);
        ReplaceItem(*m_inputInfo, 0, CParameterInfo("Level", 2, -20.0f, 20.0f, 0.0f, "dB", ""));
        ReplaceItem(*m_inputInfo, 1, CParameterInfo("Mix", 2, 0.0f, 100.0f, 50.0f, "%", ""));
        ReplaceItem(*m_inputInfo, 2, CParameterInfo("Fixed", 2, 5.0f, 5.0f, 5.0f, nullptr, ""));
        m_outputInfo = std::make_unique<CParameterInfoList>(config.outputParameters, nullptr);
        for (int j = 0; j < config.outputParameters; ++j) {
            const std::string name = j == 0 ? "A very long output meter name" : "Meter" + std::to_string(j);
            ReplaceItem(*m_outputInfo, j, CParameterInfo(name.c_str(), 2, -60.0f, 0.0f, -60.0f, "dB", ""));
        }
        m_outputValues = std::make_unique<CValueArray>(nullptr, config.outputParameters);
        std::vector<CPreset> entries;
        const CValueArray none;
        entries.emplace_back(CPreset::kHeading, &none, "Heading", "");
        for (int p = 0; p < config.presets; ++p) {
            const float values[] = {static_cast<float>(p) - 10.0f, 10.0f * p, 5.0f};
            const CValueArray array(values, 3);
            entries.emplace_back(CPreset::kValues, &array, ("Preset " + std::to_string(p + 1)).c_str(), "");
        }
        m_presets = std::make_unique<CPresetList>(entries.data(), static_cast<int>(entries.size()));
        m_latency = config.latency;
        m_tailLength = config.tail;
    }
    ~FakeEffect() override { m_log.destroyed = true; }

    CEffect* Clone() const override { return nullptr; }
    const CEffectInfo* GetInfo() const override
    {
        static const CEffectInfo info("A Fake Effect With A Long Name", "1", "", "");
        return &info;
    }
    void Initialize(double rate, const CValueArray* settings) override
    {
        m_log.initializeRates.push_back(rate);
        CEffectBase::Initialize(rate, settings);
    }
    const CParameterInfoList* GetParameterInfo() const override { return m_inputInfo.get(); }
    void SetParameters(const CValueArray* values) override
    {
        std::vector<float> copy;
        for (int i = 0; values && i < values->GetCount(); ++i)
            copy.push_back(values->GetValue(i));
        m_log.setParameters.push_back(copy);
    }
    const CPresetList* GetPresets() const override { return m_presets.get(); }
    const CIOInfo* GetIOInfo() const override { return &m_pins; }
    void ProcessReplacing(const CAudioBufferList* in, const CAudioBufferList* out, int frames,
                          const CValueArrayList* changes) override
    {
        Record(frames, changes);
        // Output = input * 2 on every declared channel, so tests see that processing happened.
        for (int c = 0; c < out->GetCount(); ++c) {
            const CAudioBuffer* source = in->GetConstBuffer(c);
            for (int f = 0; f < frames; ++f)
                out->GetBuffer(c)->GetWritePointer()[f] = source ? 2.0f * source->GetReadPointer()[f] : 0.0f;
        }
    }
    void ProcessAccumulating(const CAudioBufferList*, const CAudioBufferList* out, int frames,
                             const CValueArrayList* changes) override
    {
        Record(frames, changes);
        for (int c = 0; c < out->GetCount(); ++c)
            for (int f = 0; f < frames; ++f)
                out->GetBuffer(c)->GetWritePointer()[f] += 1.0f;
    }
    void Skip(int frames) override { m_log.skips.push_back(frames); }
    const CParameterInfoList* GetOutputParameterInfo() const override { return m_outputInfo.get(); }
    void UpdateOutputParameters() override
    {
        ++m_log.outputUpdates;
        for (int j = 0; j < m_outputValues->GetCount(); ++j)
            m_outputValues->SetValue(j, -30.0f);
    }
    const CValueArray* GetOutputValues() const override { return m_outputValues.get(); }
    // The tail, and as many frames more as the last Level value set.
    int GetRingLength() const override
    {
        ++m_log.ringAsks;
        const auto& last = m_log.setParameters;
        return m_config.tail + (last.empty() || last.back().empty() ? 0 : static_cast<int>(last.back()[0]));
    }

private:
    void Record(int frames, const CValueArrayList* changes)
    {
        ++m_log.processCalls;
        m_log.lastFrames = frames;
        m_log.rampUsed = changes ? changes->GetUsed() : -1;
        m_log.rampValues.clear();
        m_log.rampSteps.clear();
        if (changes && changes->GetUsed() >= 2)
            for (int i = 0; i < changes->GetItem(0)->GetCount(); ++i) {
                m_log.rampValues.push_back(changes->GetItem(0)->GetValue(i));
                m_log.rampSteps.push_back(changes->GetItem(1)->GetValue(i));
            }
    }

    EffectLog& m_log;
    Config m_config;
    CIOInfo m_pins;
    std::unique_ptr<CParameterInfoList> m_inputInfo, m_outputInfo;
    std::unique_ptr<CValueArray> m_outputValues;
    std::unique_ptr<CPresetList> m_presets;
};
