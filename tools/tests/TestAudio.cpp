#include "TestAudio.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <stdlib.h>

Audio makeSignal(sf_count_t frames, int channels, int sampleRate)
{
    Audio audio;
    audio.channels = channels;
    audio.sampleRate = sampleRate;
    audio.frames = frames;
    audio.samples.resize(static_cast<std::size_t>(frames * channels));
    const double twoPi = 6.283185307179586;
    for (sf_count_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            audio.samples[static_cast<std::size_t>(i * channels + c)] =
                static_cast<float>(0.5 * std::sin(twoPi * (220.0 + 110.0 * c) * static_cast<double>(i) / sampleRate));
    return audio;
}

void writeAudio(const std::string& path, const Audio& audio, int format)
{
    SF_INFO info{};
    info.format = format;
    info.channels = audio.channels;
    info.samplerate = audio.sampleRate;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        throw std::runtime_error("cannot write test audio " + path + ": " + sf_strerror(nullptr));
    sf_writef_float(file, audio.samples.data(), audio.frames);
    sf_close(file);
}

Audio readAudio(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        throw std::runtime_error("cannot read " + path + ": " + sf_strerror(nullptr));
    Audio audio;
    audio.channels = info.channels;
    audio.sampleRate = info.samplerate;
    audio.format = info.format;
    audio.frames = info.frames;
    audio.samples.resize(static_cast<std::size_t>(info.frames * info.channels));
    sf_readf_float(file, audio.samples.data(), info.frames);
    sf_close(file);
    return audio;
}

ScratchDirectory::ScratchDirectory()
{
    char name[] = "/tmp/vstrender-test-XXXXXX";
    if (mkdtemp(name) == nullptr)
        throw std::runtime_error("cannot create a scratch directory");
    path_ = name;
}

ScratchDirectory::~ScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(path_, ignored);
}

std::vector<std::string> ScratchDirectory::entries() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}
