// Starting over without a new instance: a host's reset, the ring length hosts are told, and
// blocks of silence that need no work.
#include "PluginCore.h"
#include <cstring>

void CPluginCore::Reset()
{
    m_effect->Restart();
    // A new instance starts with its values in place and no ramp from older ones.
    SettleParameters();
    UpdateRingLength();
}

bool CPluginCore::TakeRingLength()
{
    m_ringMayMove = false;
    const int length = m_effect->GetRingLength();
    return m_ringLength.exchange(length, std::memory_order_relaxed) != length;
}

void CPluginCore::SkipSilentBlock(float** outputs, int frames)
{
    if (frames <= 0)
        return;
    SettleParameters();
    m_effect->Skip(frames);
    for (int o = 0; outputs && o < m_outputChannels; ++o)
        if (outputs[o])
            std::memset(outputs[o], 0, static_cast<size_t>(frames) * sizeof(float));
}
