// The audio path: host blocks to effect calls, parameter changes to per-frame ramps, bypass.
#include "PluginCore.h"
#include <algorithm>
#include <cstring>

void CPluginCore::TakeChanges(int frames, uint32_t written)
{
    // One snapshot of the values other threads write serves the comparison, the steps and the
    // new "previous" values, so a change that lands while this runs is not half taken: it
    // arrives with the next block. One pass reads each value once and writes the snapshot and the
    // ramp's entries (the previous values and the steps as ValuesToStep computes them) whether or
    // not anything moved: nothing reads the entries of a ramp of no sets.
    m_ringMayMove = true;
    const int count = m_inputCount;
    const std::atomic<float>* shared = m_realInputs.Values();
    float* __restrict targets = m_rampTargets.Data();
    float* __restrict previous = m_previousInputs.Data();
    float* __restrict start = m_rampEntries[0];
    float* __restrict steps = m_rampEntries[1];
    // A block of no frames moves nothing (its steps are 0), so the change stays pending and ramps
    // across the next real block instead of jumping at its start.
    const bool taken = frames != 0;
    const float factor = taken ? 1.0f / static_cast<float>(frames) : 0.0f;
    bool same = count > 0; // as ValuesEqual compares: as floats, every one
    for (int i = 0; i < count; ++i) {
        const float from = previous[i], to = shared[i].load(std::memory_order_relaxed);
        targets[i] = to;
        start[i] = from;
        steps[i] = (to - from) * factor;
        same = (from == to) & same;
    }
    if (same) {
        if (m_rampActive)
            m_effect->SetParameters(&m_rampTargets); // land exactly on the targets
        m_ramp.used = 0;
        m_rampActive = false;
        m_inputsTaken = written;
        return;
    }
    m_ramp.used = m_ramp.GetCapacity();
    if (!taken)
        return;
    // The targets become the previous values (not where all were equal: +0 and -0 compare equal).
    std::copy(targets, targets + count, previous);
    m_rampActive = true;
    m_inputsTaken = written;
}

bool CPluginCore::BindChannels(float** inputs, float** outputs, int frames)
{
    // A host that passes no channel arrays (or a missing channel) gets nothing processed.
    if ((!inputs && !m_inputBuffers.empty()) || (!outputs && !m_outputBuffers.empty()))
        return false;
    for (size_t i = 0; i < m_inputBuffers.size(); ++i) {
        if (!inputs[i])
            return false;
        m_inputBuffers[i].Set(inputs[i], frames);
    }
    for (size_t o = 0; o < m_outputBuffers.size(); ++o) {
        if (!outputs[o])
            return false;
        m_outputBuffers[o].Set(outputs[o], frames);
    }
    return true;
}

bool CPluginCore::Process(float** inputs, float** outputs, int frames, bool accumulate)
{
    if (frames < 0)
        return false;
    if (IsBypassed()) {
        if (accumulate)
            AddInputToOutputs(inputs, outputs, frames); // as the replacing path copies it
        else
            PassThrough(inputs, outputs, frames);
        m_effect->Skip(frames);
        return HasChannels(inputs, outputs);
    }
    if (m_plainEffect) {
        // The effect takes the host's channels and the ramp's values as they are.
        if (!HasChannels(inputs, outputs))
            return false;
        UpdateRamp(frames);
        m_plainEffect->ProcessChannels(inputs, outputs, frames, m_rampEntries, m_ramp.used, m_inputCount,
                                       accumulate);
    } else {
        if (!BindChannels(inputs, outputs, frames))
            return false;
        UpdateRamp(frames);
        const CBufferArrayList in(m_inputBuffers.data(), static_cast<int>(m_inputBuffers.size()));
        const CBufferArrayList out(m_outputBuffers.data(), static_cast<int>(m_outputBuffers.size()));
        if (accumulate)
            m_effect->ProcessAccumulating(&in, &out, frames, &m_ramp);
        else
            m_effect->ProcessReplacing(&in, &out, frames, &m_ramp);
    }
    m_refreshCounter += frames;
    if (m_refreshCounter >= m_refreshInterval)
        RefreshOutputs(true);
    if (!accumulate && m_effectOutputs == 0)
        PassThrough(inputs, outputs, frames);
    return true;
}

template <class Transfer>
void CPluginCore::ForEachInputToOutput(float** inputs, float** outputs, int frames, Transfer transfer) const
{
    if (!inputs || !outputs || m_inputChannels == 0 || m_outputChannels <= 0 || frames <= 0)
        return;
    // Outputs beyond the inputs take the last input: a mono input reaches every output.
    for (int o = 0; o < m_outputChannels; ++o) {
        const float* in = inputs[o < m_inputChannels ? o : m_inputChannels - 1];
        if (in && outputs[o])
            transfer(in, outputs[o]);
    }
}

void CPluginCore::PassThrough(float** inputs, float** outputs, int frames)
{
    ForEachInputToOutput(inputs, outputs, frames, [frames](const float* in, float* out) {
        // In-place hosts hand the same buffer as input and output: memmove copes with overlap.
        if (in != out)
            std::memmove(out, in, static_cast<size_t>(frames) * sizeof(float));
    });
}

void CPluginCore::AddInputToOutputs(float** inputs, float** outputs, int frames)
{
    ForEachInputToOutput(inputs, outputs, frames, [frames](const float* in, float* out) {
        for (int f = 0; f < frames; ++f)
            out[f] += in[f];
    });
}

bool CPluginCore::SetSampleRate(float rate)
{
    // Beyond the slowest and four times the fastest audio interfaces (768 kHz), a host's rate is
    // garbage, and taking it would size the effect's delay lines for it: FLT_MAX Hz asked the
    // chorus for 4 GB.
    if (!(rate >= kLowestSampleRate && rate <= kHighestSampleRate)) // true for NaN
        return false;
    m_sampleRate = rate;
    return true;
}

void CPluginCore::Resume()
{
    m_effect->Initialize(m_sampleRate, m_settings);
    m_presetView.SetList(m_effect->GetPresets());
    m_effect->SetParameters(&m_realInputs);
    m_ringMayMove = true;
    if (m_previousInputs.GetCount() == m_realInputs.GetCount())
        AssignValues(&m_previousInputs, &m_realInputs);
    m_refreshCounter = m_refreshInterval;
    RefreshOutputs(false);
    m_refreshCounter = m_refreshInterval;
}

void CPluginCore::SettleParameters()
{
    AssignValues(&m_rampTargets, &m_realInputs); // one snapshot, as UpdateRamp takes it
    m_effect->SetParameters(&m_rampTargets);
    m_ringMayMove = true;
    AssignValues(&m_previousInputs, &m_rampTargets);
    m_ramp.used = 0;
    m_rampActive = false;
}
