#include "Lv2PortLayout.h"
#include "PluginCore.h"

CLv2PortLayout::CLv2PortLayout(const CPluginCore& core)
    : m_audioInputs(core.GetInputChannels()),
      m_audioOutputs(core.GetOutputChannels()),
      m_controlInputs(1 + core.GetInputParameterCount()),
      m_controlOutputs(core.GetParameterCount() - 1 - core.GetInputParameterCount())
{
}
