#pragma once

// What an effect may offer besides CEffect, for hosts' small blocks: the block as plain channel
// arrays (stride 1) and the ramp as plain value arrays, so that no buffer object or value list
// is built or asked for on every block. It must compute exactly what ProcessReplacing and
// ProcessAccumulating compute for the same samples and ramp. Audio thread: no allocation, no lock.
class CPlainChannelEffect
{
public:
    // inputs and outputs hold one non-null pointer per channel the effect declares; ramp[k] for
    // k < rampEntries holds valueCount values, as entry k of CValueArrayList (0: no change).
    virtual void ProcessChannels(const float* const* inputs, float* const* outputs, int frames,
                                 const float* const* ramp, int rampEntries, int valueCount, bool accumulate) = 0;

protected:
    ~CPlainChannelEffect() = default;
};
