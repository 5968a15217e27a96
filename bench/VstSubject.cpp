#include "VstSubject.h"

#include "BenchError.h"
#include "DisplayText.h"

#include <dlfcn.h>

#include <utility>

namespace {

// A host that answers only what a plug-in needs to come up: the interface version it speaks.
VstIntPtr benchHostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

} // namespace

VstLibrary::VstLibrary(const std::string& path) : path_(path)
{
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
        throw BenchError("cannot load our plug-in " + path + ": " + dlerror() + " (build it with `make build-linux`)");
    entry_ = reinterpret_cast<VstPluginMainProc>(dlsym(handle_, "VSTPluginMain"));
    if (entry_ == nullptr) {
        dlclose(handle_);
        throw BenchError(path + " exports no VSTPluginMain");
    }
}

VstLibrary::~VstLibrary()
{
    dlclose(handle_);
}

AEffect* VstLibrary::createEffect() const
{
    AEffect* effect = entry_(benchHostCallback);
    if (effect == nullptr || effect->magic != kEffectMagic)
        throw BenchError(path_ + ": VSTPluginMain returned no effect");
    if (effect->numInputs != kBenchChannels || effect->numOutputs != kBenchChannels)
        throw BenchError(path_ + ": expected a stereo effect");
    if ((effect->flags & effFlagsCanReplacing) == 0 || effect->processReplacing == nullptr)
        throw BenchError(path_ + ": the effect cannot process replacing");
    return effect;
}

VstSubject::VstSubject(const VstLibrary& library, std::string name)
    : BenchSubject(std::move(name), ""), effect_(library.createEffect())
{
    dispatch(effOpen);
    dispatch(effSetSampleRate, 0, 0, nullptr, static_cast<float>(kBenchSampleRate));
    dispatch(effSetBlockSize, 0, kBenchMaxBlockFrames);
}

VstSubject::~VstSubject()
{
    if (running_)
        dispatch(effMainsChanged, 0, 0);
    dispatch(effClose);
}

VstIntPtr VstSubject::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) const
{
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string VstSubject::text(VstInt32 opcode, VstInt32 index) const
{
    char buffer[256] = {}; // far more than any limit of the interface, for plug-ins that overrun them
    dispatch(opcode, index, 0, buffer);
    std::string result(buffer);
    while (!result.empty() && result.back() == ' ')
        result.pop_back();
    while (!result.empty() && result.front() == ' ')
        result.erase(result.begin());
    return result;
}

int VstSubject::parameterIndex(const std::string& parameterName) const
{
    for (int i = 0; i < effect_->numParams; ++i)
        if (text(effGetParamName, i) == parameterName)
            return i;
    throw BenchError("our plug-in has no parameter named \"" + parameterName + "\"");
}

float VstSubject::parameter(int index) const
{
    return effect_->getParameter(effect_, index);
}

void VstSubject::selectProgram(const std::string& programName)
{
    for (int i = 0; i < effect_->numPrograms; ++i) {
        dispatch(effSetProgram, 0, i);
        if (text(effGetProgramName, 0) == programName)
            return;
    }
    throw BenchError("our plug-in has no program named \"" + programName + "\"");
}

void VstSubject::alternateParameterEveryBlock(int index, float a, float b)
{
    rampIndex_ = index;
    rampValues_[0] = a;
    rampValues_[1] = b;
}

void VstSubject::start(const std::string& note)
{
    std::string settings;
    for (int i = 0; i < effect_->numParams; ++i) {
        const std::string label = text(effGetParamLabel, i);
        settings += (i == 0 ? "" : ", ") + text(effGetParamName, i) + " " + shortNumber(text(effGetParamDisplay, i)) +
                    (label.empty() ? "" : " " + label);
    }
    describe(note.empty() ? settings : settings + "; " + note);
    dispatch(effMainsChanged, 0, 1);
    running_ = true;
}

void VstSubject::automate(int index, double normalised)
{
    effect_->setParameter(effect_, index, static_cast<float>(normalised));
}

void VstSubject::process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels], int frames)
{
    if (rampIndex_ >= 0) {
        effect_->setParameter(effect_, rampIndex_, rampValues_[rampTurn_]);
        rampTurn_ ^= 1;
    }
    // The interface takes non-const channel pointers; a replacing effect only reads its inputs.
    float* in[kBenchChannels] = {const_cast<float*>(inputs[0]), const_cast<float*>(inputs[1])};
    float* out[kBenchChannels] = {outputs[0], outputs[1]};
    effect_->processReplacing(effect_, in, out, frames);
}
