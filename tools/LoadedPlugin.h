#pragma once
// One running instance of a VST 2 plug-in, driven the way a host drives it: open, configure the
// sample rate and block size while stopped, resume, process blocks from preallocated channel
// buffers, suspend, close.
#include "HostCallback.h"
#include "PluginLibrary.h"

#include <string>
#include <vector>

class LoadedPlugin
{
public:
    explicit LoadedPlugin(const std::string& path);
    ~LoadedPlugin();
    LoadedPlugin(const LoadedPlugin&) = delete;
    LoadedPlugin& operator=(const LoadedPlugin&) = delete;

    const std::string& path() const { return library_.path(); }

    // Identity.
    std::string effectName() const;
    std::string vendor() const;
    std::string product() const;
    VstIntPtr vendorVersion() const;
    VstIntPtr vstVersion() const;
    VstInt32 uniqueId() const { return effect_->uniqueID; }
    int inputCount() const { return effect_->numInputs > 0 ? effect_->numInputs : 0; }
    int outputCount() const { return effect_->numOutputs > 0 ? effect_->numOutputs : 0; }
    // Frames of delay the plug-in reports; re-read after start(), where plug-ins may change it.
    int latency() const { return effect_->initialDelay; }
    bool canDo(const char* capability) const;

    // Parameters, by the plug-in's index.
    int parameterCount() const { return effect_->numParams > 0 ? effect_->numParams : 0; }
    std::string parameterName(int index) const;
    std::string parameterLabel(int index) const;
    std::string parameterDisplay(int index) const;
    float parameter(int index) const;
    void setParameter(int index, float normalised);
    // The display text the parameter would show at a normalised value; leaves the value unchanged.
    std::string displayAt(int index, float normalised);
    bool setBypass(bool on);

    // Programs.
    int programCount() const { return effect_->numPrograms > 0 ? effect_->numPrograms : 0; }
    int program() const;
    void setProgram(int index);
    std::string programName(int index);

    // Audio. configure() must come first and may be repeated while stopped.
    void configure(double sampleRate, int blockSize);
    void start();
    void stop();
    float* input(int channel) { return inputs_[channel]; }
    float* output(int channel) { return outputs_[channel]; }
    // Processes frames (at most the configured block size) from input(c) into output(c).
    void process(int frames);

private:
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                       float opt = 0.0f) const;
    std::string dispatchText(VstInt32 opcode, VstInt32 index = 0) const;

    PluginLibrary library_;
    HostContext context_;
    AEffect* effect_ = nullptr;
    bool running_ = false;
    std::vector<float> inputSamples_;
    std::vector<float> outputSamples_;
    std::vector<float*> inputs_;
    std::vector<float*> outputs_;
};
