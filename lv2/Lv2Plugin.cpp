#include "Lv2Plugin.h"
#include <climits>
#include <cmath>
#include <cstring>

namespace {

uint32_t BitsOf(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float FloatOf(uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// A NaN: a value first read with these very bits would be refused anyway, and any other value
// differs, so every connected control input is applied at its first block.
constexpr uint32_t kNeverSeen = 0x7FC0DEADu;
const float kUnplugged = FloatOf(kNeverSeen);

} // namespace

std::unique_ptr<CLv2Plugin> CLv2Plugin::Create(std::unique_ptr<CEffect> effect, double sampleRate, double refreshRate)
{
    if (!effect)
        return nullptr;
    std::unique_ptr<CLv2Plugin> plugin(new CLv2Plugin(std::move(effect), refreshRate));
    if (!plugin->m_core.SetSampleRate(static_cast<float>(sampleRate)))
        return nullptr;
    // Ready at the host's rate even for a host that runs without activating first.
    plugin->m_core.Resume();
    return plugin;
}

CLv2Plugin::CLv2Plugin(std::unique_ptr<CEffect> effect, double refreshRate)
    : m_core(std::move(effect), nullptr, refreshRate),
      m_layout(m_core),
      m_ports(static_cast<size_t>(m_layout.Count()), nullptr),
      m_seen(static_cast<size_t>(m_layout.ControlInputs()), kNeverSeen),
      m_reads(static_cast<size_t>(m_layout.ControlInputs()), &kUnplugged),
      m_audioPorts(static_cast<uint32_t>(m_layout.AudioInputs() + m_layout.AudioOutputs())),
      m_latencyPort(static_cast<size_t>(m_layout.Latency()))
{
}

void CLv2Plugin::ConnectControlPort(uint32_t port, float* connected)
{
    if (port >= m_ports.size())
        return;
    if (const uint32_t k = port - m_audioPorts; k < m_reads.size())
        m_reads[k] = connected ? connected : &kUnplugged;
    m_ports[port] = connected;
}

void CLv2Plugin::Activate()
{
    m_core.Resume();
    m_settle = true;
}

void CLv2Plugin::ApplyControls()
{
    // Every block reads every control input, and most blocks change none: one pass folds the
    // differences of the bits into one word, without a branch per port, and only a change walks
    // the ports again. An unconnected port reads as never seen (a port disconnected after its
    // first value then sends every block on the walk, which skips it, as before).
    const float* const* reads = m_reads.data();
    const uint32_t* seen = m_seen.data();
    uint32_t differ = 0;
#pragma GCC unroll 4
    for (size_t k = 0, count = m_seen.size(); k < count; ++k)
        differ |= BitsOf(*reads[k]) ^ seen[k];
    if (differ != 0)
        ApplyChangedControls();
}

void CLv2Plugin::ApplyChangedControls()
{
    float* const* ports = m_ports.data() + m_layout.ControlInput(0);
    uint32_t* seen = m_seen.data();
    for (int k = 0, count = m_layout.ControlInputs(); k < count; ++k) {
        const float* port = ports[k];
        if (!port)
            continue;
        const float value = *port;
        const uint32_t bits = BitsOf(value);
        if (bits == seen[k])
            continue;
        seen[k] = bits;
        // A value that is not finite is refused, as the VST 2 adapter refuses it; the next
        // finite one is taken.
        if (std::isfinite(value))
            ApplyControl(k, value);
    }
}

void CLv2Plugin::ApplyControl(int k, float value)
{
    if (k == 0)
        m_core.SetParameter(0, value > 0.5f ? 0.0f : 1.0f); // "enabled" is the bypass inverted
    else
        m_core.SetParameter(k, m_core.ToNormalized(k, value));
}

void CLv2Plugin::SilenceConnectedOutputs(uint32_t frames)
{
    for (int c = 0; c < m_layout.AudioOutputs(); ++c)
        if (float* output = m_ports[static_cast<size_t>(m_layout.FirstAudioOutput() + c)])
            std::memset(output, 0, static_cast<size_t>(frames) * sizeof(float));
}

void CLv2Plugin::ReportOutputParameters()
{
    for (int j = 0; j < m_layout.ControlOutputs(); ++j)
        if (float* port = m_ports[static_cast<size_t>(m_layout.ControlOutput(j))])
            *port = m_core.GetRealValue(1 + m_core.GetInputParameterCount() + j);
}

void CLv2Plugin::ReportOutputs()
{
    // In line in the block: most effects have no output parameters.
    if (m_layout.ControlOutputs() != 0)
        ReportOutputParameters();
    if (float* port = m_ports[m_latencyPort])
        *port = static_cast<float>(m_core.GetLatency());
}

void CLv2Plugin::Run(uint32_t frames)
{
    ApplyControls();
    if (m_settle) {
        m_core.SettleParameters();
        m_settle = false;
    }
    // A 0-frame block goes to the core as VST 2's does (a change made before it lands without a
    // ramp at the next one), so both formats keep computing the same samples. Beyond the core's
    // block length a host is broken; a missing channel leaves nothing to process from or into,
    // so whatever is connected hears silence.
    if (frames <= static_cast<uint32_t>(INT_MAX)) {
        // The audio ports come first, inputs then outputs, so the core takes their locations as
        // the host connected them.
        if (!m_core.Process(m_ports.data(), m_ports.data() + m_layout.FirstAudioOutput(), static_cast<int>(frames),
                            false))
            SilenceConnectedOutputs(frames);
    }
    ReportOutputs();
}
