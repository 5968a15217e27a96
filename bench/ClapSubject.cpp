#include "ClapSubject.h"

#include "BenchError.h"
#include "DisplayText.h"

#include <string>
#include <utility>

ClapSubject::ClapSubject(const std::string& path, std::string name) : BenchSubject(std::move(name), "")
{
    library_ = std::make_unique<SharedLibrary>(path, "build it: target StereoChorusClap");
    entry_ = static_cast<const clap::Entry*>(library_->symbol("clap_entry"));
    if (!entry_->init(path.c_str())) {
        entry_ = nullptr;
        throw BenchError(path + ": clap_entry.init failed");
    }
    try {
        const auto* factory = static_cast<const clap::PluginFactory*>(entry_->getFactory(clap::kPluginFactoryId));
        if (factory == nullptr || factory->getPluginCount(factory) < 1)
            throw BenchError(path + ": no plug-in factory, or no plug-in in it");
        const clap::PluginDescriptor* descriptor = factory->getPluginDescriptor(factory, 0);
        plugin_ = descriptor != nullptr ? factory->createPlugin(factory, &host_.record, descriptor->id) : nullptr;
        if (plugin_ == nullptr)
            throw BenchError(path + ": the factory created no plug-in");
        if (!plugin_->init(plugin_))
            throw BenchError(path + ": the plug-in would not initialise");
        describe(parameterSettings());
        if (!plugin_->activate(plugin_, kBenchSampleRate, 1, kBenchMaxBlockFrames))
            throw BenchError(path + ": the plug-in refuses 44100 Hz and blocks of up to 4096 frames");
        active_ = true;
        // From here on the bench's thread is the audio thread.
        host_.onAudioThread = true;
        if (!plugin_->startProcessing(plugin_))
            throw BenchError(path + ": the plug-in would not start processing");
        processing_ = true;
    } catch (...) {
        release();
        throw;
    }
}

ClapSubject::~ClapSubject()
{
    release();
}

void ClapSubject::release()
{
    if (processing_)
        plugin_->stopProcessing(plugin_);
    host_.onAudioThread = false;
    if (active_)
        plugin_->deactivate(plugin_);
    if (plugin_ != nullptr)
        plugin_->destroy(plugin_);
    if (entry_ != nullptr)
        entry_->deinit();
    processing_ = active_ = false;
    plugin_ = nullptr;
    entry_ = nullptr;
}

// Every parameter as the host shows it: name and text at its current value.
std::string ClapSubject::parameterSettings() const
{
    const auto* params = static_cast<const clap::PluginParams*>(plugin_->getExtension(plugin_, clap::kExtParams));
    if (params == nullptr)
        return "as the plug-in starts";
    std::string settings;
    const uint32_t count = params->count(plugin_);
    for (uint32_t i = 0; i < count; ++i) {
        clap::ParamInfo info{};
        double value = 0.0;
        char text[64] = {};
        if (!params->getInfo(plugin_, i, &info) || !params->getValue(plugin_, info.id, &value))
            continue;
        const bool shown = params->valueToText(plugin_, info.id, value, text, sizeof text);
        settings += (settings.empty() ? "" : ", ") + std::string(info.name) + " " +
                    (shown ? shortNumber(text) : std::to_string(value));
    }
    return settings;
}

void ClapSubject::automate(int index, double normalised)
{
    inputEvents_.Add(static_cast<clap::Id>(index), normalised);
}

void ClapSubject::process(const float* const inputs[kBenchChannels], float* const outputs[kBenchChannels], int frames)
{
    // The interface takes non-const channel pointers; an effect only reads its inputs.
    float* in[kBenchChannels] = {const_cast<float*>(inputs[0]), const_cast<float*>(inputs[1])};
    float* out[kBenchChannels] = {outputs[0], outputs[1]};
    const clap::AudioBuffer input{in, nullptr, kBenchChannels, 0, 0};
    clap::AudioBuffer output{out, nullptr, kBenchChannels, 0, 0};
    const clap::Process block{-1,     static_cast<uint32_t>(frames), nullptr, &input, &output, 1, 1, inputEvents_.Get(),
                              outputEvents_.Get()};
    const clap::ProcessStatus status = plugin_->process(plugin_, &block);
    inputEvents_.Clear();
    if (status == clap::kProcessError)
        throw BenchError("CLAP process() failed");
}
