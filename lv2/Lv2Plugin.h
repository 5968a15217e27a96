#pragma once
#include "Lv2PortLayout.h"
#include "PluginCore.h"
#include <cstdint>
#include <memory>
#include <vector>

// Publishes a plug-in core as one LV2 plug-in instance. Control ports carry real values; each
// block applies the values that changed since the last one, so a change becomes that block's
// ramp exactly as a VST 2 host's setParameter before processReplacing does. The bypass port is
// LV2's "enabled" port: 1 plays, 0 bypasses.
class CLv2Plugin
{
public:
    // nullptr for a rate the core refuses (the VST 2 adapter's limits); the effect is freed then.
    static std::unique_ptr<CLv2Plugin> Create(std::unique_ptr<CEffect> effect, double sampleRate, double refreshRate);
    CLv2Plugin(const CLv2Plugin&) = delete;
    CLv2Plugin& operator=(const CLv2Plugin&) = delete;

    // An index outside the layout is ignored; nullptr disconnects.
    // Hosts may connect the audio ports before every block: those come first, cheapest, and in line
    // in the host's call.
    void ConnectPort(uint32_t port, void* location)
    {
        float* const connected = static_cast<float*>(location);
        if (port >= m_audioPorts) {
            ConnectControlPort(port, connected);
            return;
        }
        m_ports[port] = connected; // a block with one missing is refused by the core
    }
    void Activate();
    // No allocation, lock or system call.
    void Run(uint32_t frames);

    const CLv2PortLayout& GetLayout() const { return m_layout; }
    const CPluginCore& GetCore() const { return m_core; }

private:
    void ConnectControlPort(uint32_t port, float* connected);
    CLv2Plugin(std::unique_ptr<CEffect> effect, double refreshRate);
    void ApplyControls();
    void ApplyChangedControls();
    void ApplyControl(int k, float value);
    void SilenceConnectedOutputs(uint32_t frames);
    void ReportOutputs();
    void ReportOutputParameters();

    CPluginCore m_core;
    CLv2PortLayout m_layout;
    std::vector<float*> m_ports;    // every port's location as the host connected it
    std::vector<uint32_t> m_seen;   // the bits of each control input last read
    // Where each block reads each control input: its port, or a stand-in never seen while it is
    // unconnected. Kept by ConnectPort, so a block reads without a test per port.
    std::vector<const float*> m_reads;
    uint32_t m_audioPorts;  // the audio ports, inputs then outputs, from port 0 on
    size_t m_latencyPort;   // the port index of the latency report
    bool m_settle = true; // the next block's values are the starting point, not a change
};
