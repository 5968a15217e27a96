#include "EffectInfo.h"

CIOInfo::CIOInfo(int outputCount, int inputCount, const CInputInfo* inputs, const COutputInfo* outputs)
{
    for (int i = 0; i < inputCount; ++i)
        m_inputs.push_back(inputs ? std::make_unique<CInputInfo>(inputs[i].GetName(), inputs[i].GetAttribute())
                                  : std::make_unique<CInputInfo>());
    for (int i = 0; i < outputCount; ++i)
        m_outputs.push_back(outputs ? std::make_unique<COutputInfo>(outputs[i].GetName())
                                    : std::make_unique<COutputInfo>());
}

CIOInfo::CIOInfo(const CIOInfo& source) : CIOInfo(0, 0)
{
    for (int i = 0; i < source.GetInputCount(); ++i)
        m_inputs.push_back(std::make_unique<CInputInfo>(source.GetInput(i)->GetName(), source.GetInput(i)->GetAttribute()));
    for (int i = 0; i < source.GetOutputCount(); ++i)
        m_outputs.push_back(std::make_unique<COutputInfo>(source.GetOutput(i)->GetName()));
}

const CInputInfo* CIOInfo::GetInput(int index) const
{
    return index >= 0 && index < GetInputCount() ? m_inputs[static_cast<size_t>(index)].get() : nullptr;
}

const COutputInfo* CIOInfo::GetOutput(int index) const
{
    return index >= 0 && index < GetOutputCount() ? m_outputs[static_cast<size_t>(index)].get() : nullptr;
}

void CIOInfo::SetInput(int index, const CInputInfo& pin)
{
    if (index >= 0 && index < GetInputCount())
        m_inputs[static_cast<size_t>(index)] = std::make_unique<CInputInfo>(pin.GetName(), pin.GetAttribute());
}

void CIOInfo::SetOutput(int index, const COutputInfo& pin)
{
    if (index >= 0 && index < GetOutputCount())
        m_outputs[static_cast<size_t>(index)] = std::make_unique<COutputInfo>(pin.GetName());
}
