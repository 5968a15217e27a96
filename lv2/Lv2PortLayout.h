#pragma once
class CPluginCore;

// Where each of a core's pieces sits among the LV2 port indexes, so that the plug-in and the
// Turtle that describes it agree: the audio inputs, the audio outputs, one control input per host
// input parameter (host index 0, the bypass, first), one control output per output parameter,
// and last the latency report.
class CLv2PortLayout
{
public:
    explicit CLv2PortLayout(const CPluginCore& core);

    int AudioInputs() const { return m_audioInputs; }
    int AudioOutputs() const { return m_audioOutputs; }
    int FirstAudioOutput() const { return m_audioInputs; }
    // The control input of host index 0 .. N, and the control output of output parameter j.
    int ControlInput(int hostIndex) const { return m_audioInputs + m_audioOutputs + hostIndex; }
    int ControlInputs() const { return m_controlInputs; }
    int ControlOutput(int j) const { return ControlInput(m_controlInputs) + j; }
    int ControlOutputs() const { return m_controlOutputs; }
    int Latency() const { return ControlOutput(m_controlOutputs); }
    int Count() const { return Latency() + 1; }

private:
    int m_audioInputs;
    int m_audioOutputs;
    int m_controlInputs;
    int m_controlOutputs;
};
