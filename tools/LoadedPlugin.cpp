#include "LoadedPlugin.h"

#include "ToolError.h"

#include <algorithm>
#include <cstring>

namespace {

// Plug-ins routinely write past the published text limits; give them plenty of room.
constexpr std::size_t kTextBufferSize = 512;

} // namespace

LoadedPlugin::LoadedPlugin(const std::string& path) : library_(path)
{
    effect_ = library_.createEffect(hostCallback);
    attachHostContext(effect_, &context_);
    dispatch(effOpen);
}

LoadedPlugin::~LoadedPlugin()
{
    if (running_)
        stop();
    dispatch(effClose);
}

VstIntPtr LoadedPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) const
{
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string LoadedPlugin::dispatchText(VstInt32 opcode, VstInt32 index) const
{
    char text[kTextBufferSize] = {};
    dispatch(opcode, index, 0, text);
    text[kTextBufferSize - 1] = '\0';
    return text;
}

std::string LoadedPlugin::effectName() const { return dispatchText(effGetEffectName); }
std::string LoadedPlugin::vendor() const { return dispatchText(effGetVendorString); }
std::string LoadedPlugin::product() const { return dispatchText(effGetProductString); }
VstIntPtr LoadedPlugin::vendorVersion() const { return dispatch(effGetVendorVersion); }
VstIntPtr LoadedPlugin::vstVersion() const { return dispatch(effGetVstVersion); }

bool LoadedPlugin::canDo(const char* capability) const
{
    return dispatch(effCanDo, 0, 0, const_cast<char*>(capability)) > 0;
}

std::string LoadedPlugin::parameterName(int index) const { return dispatchText(effGetParamName, index); }
std::string LoadedPlugin::parameterLabel(int index) const { return dispatchText(effGetParamLabel, index); }
std::string LoadedPlugin::parameterDisplay(int index) const { return dispatchText(effGetParamDisplay, index); }

float LoadedPlugin::parameter(int index) const
{
    return effect_->getParameter(effect_, index);
}

void LoadedPlugin::setParameter(int index, float normalised)
{
    effect_->setParameter(effect_, index, normalised);
}

std::string LoadedPlugin::displayAt(int index, float normalised)
{
    const float saved = parameter(index);
    setParameter(index, normalised);
    std::string text = parameterDisplay(index);
    setParameter(index, saved);
    return text;
}

bool LoadedPlugin::setBypass(bool on)
{
    return dispatch(effSetBypass, 0, on ? 1 : 0) != 0;
}

int LoadedPlugin::program() const
{
    return static_cast<int>(dispatch(effGetProgram));
}

void LoadedPlugin::setProgram(int index)
{
    dispatch(effBeginSetProgram);
    dispatch(effSetProgram, 0, index);
    dispatch(effEndSetProgram);
}

std::string LoadedPlugin::programName(int index)
{
    char text[kTextBufferSize] = {};
    if (dispatch(effGetProgramNameIndexed, index, -1, text) != 0)
    {
        text[kTextBufferSize - 1] = '\0';
        return text;
    }
    // Plug-ins without indexed names: visit the program and come back.
    const int current = program();
    if (index == current)
        return dispatchText(effGetProgramName);
    setProgram(index);
    std::string name = dispatchText(effGetProgramName);
    setProgram(current);
    return name;
}

void LoadedPlugin::configure(double sampleRate, int blockSize)
{
    context_.sampleRate = sampleRate;
    context_.blockSize = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(sampleRate));
    dispatch(effSetBlockSize, 0, blockSize);

    const std::size_t frames = static_cast<std::size_t>(blockSize);
    inputSamples_.assign(frames * static_cast<std::size_t>(std::max(inputCount(), 1)), 0.0f);
    outputSamples_.assign(frames * static_cast<std::size_t>(std::max(outputCount(), 1)), 0.0f);
    inputs_.clear();
    outputs_.clear();
    for (int c = 0; c < std::max(inputCount(), 1); ++c)
        inputs_.push_back(inputSamples_.data() + frames * static_cast<std::size_t>(c));
    for (int c = 0; c < std::max(outputCount(), 1); ++c)
        outputs_.push_back(outputSamples_.data() + frames * static_cast<std::size_t>(c));
}

void LoadedPlugin::start()
{
    dispatch(effMainsChanged, 0, 1);
    dispatch(effStartProcess);
    running_ = true;
}

void LoadedPlugin::stop()
{
    dispatch(effStopProcess);
    dispatch(effMainsChanged, 0, 0);
    running_ = false;
}

void LoadedPlugin::process(int frames)
{
    if ((effect_->flags & effFlagsCanReplacing) != 0 && effect_->processReplacing != nullptr)
    {
        effect_->processReplacing(effect_, inputs_.data(), outputs_.data(), frames);
        return;
    }
    // Older plug-ins only add into the host's buffers.
    for (float* channel : outputs_)
        std::fill(channel, channel + frames, 0.0f);
    effect_->process(effect_, inputs_.data(), outputs_.data(), frames);
}
