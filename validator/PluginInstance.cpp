#include "PluginInstance.h"
#include <cmath>

SHostLog& HostLog()
{
    static SHostLog log;
    return log;
}

VstIntPtr ValidatorHostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    SHostLog& log = HostLog();
    switch (opcode) {
    case audioMasterVersion:
        ++log.versionQueries;
        return 2400;
    case audioMasterAutomate:
        ++log.automations;
        return 0;
    default:
        ++log.otherCalls;
        return 0;
    }
}

CPluginInstance::CPluginInstance(VstPluginMainProc entry)
{
    if (entry)
        m_effect = entry(ValidatorHostCallback);
    if (m_effect && m_effect->magic != kEffectMagic)
        m_effect = nullptr;
}

CPluginInstance::~CPluginInstance() { Close(); }

VstIntPtr CPluginInstance::Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt)
{
    return m_effect ? m_effect->dispatcher(m_effect, opcode, index, value, ptr, opt) : 0;
}

void CPluginInstance::Start(float sampleRate, VstInt32 blockSize)
{
    Dispatch(effOpen);
    Dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    Dispatch(effSetBlockSize, 0, blockSize);
    Dispatch(effMainsChanged, 0, 1);
}

void CPluginInstance::Close()
{
    if (!m_effect)
        return;
    m_effect->dispatcher(m_effect, effClose, 0, 0, nullptr, 0.0f);
    m_effect = nullptr;
}

void CPluginInstance::ProcessReplacing(float** inputs, float** outputs, VstInt32 frames)
{
    m_effect->processReplacing(m_effect, inputs, outputs, frames);
}

void CPluginInstance::ProcessAccumulating(float** inputs, float** outputs, VstInt32 frames)
{
    m_effect->process(m_effect, inputs, outputs, frames);
}

CChannelBuffers::CChannelBuffers(int channels, int frames, float fill)
    : m_frames(frames), m_storage(static_cast<size_t>(channels), std::vector<float>(static_cast<size_t>(frames), fill))
{
    for (auto& channel : m_storage)
        m_pointers.push_back(channel.data());
}

void CChannelBuffers::Fill(float value)
{
    for (auto& channel : m_storage)
        for (float& sample : channel)
            sample = value;
}

bool CChannelBuffers::AllFinite() const
{
    for (const auto& channel : m_storage)
        for (float sample : channel)
            if (!std::isfinite(sample))
                return false;
    return true;
}
