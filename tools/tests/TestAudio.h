#pragma once
// Audio files and scratch directories for the render host's tests.
#include <sndfile.h>

#include <string>
#include <vector>

struct Audio
{
    int channels = 0;
    int sampleRate = 0;
    int format = 0;
    sf_count_t frames = 0;
    std::vector<float> samples; // interleaved

    float at(sf_count_t frame, int channel) const { return samples[static_cast<std::size_t>(frame * channels + channel)]; }
};

// A deterministic test signal: a different sine per channel at half scale.
Audio makeSignal(sf_count_t frames, int channels, int sampleRate = 44100);
void writeAudio(const std::string& path, const Audio& audio, int format);
Audio readAudio(const std::string& path);

// A fresh directory under /tmp, removed with everything in it when the object goes.
class ScratchDirectory
{
public:
    ScratchDirectory();
    ~ScratchDirectory();
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    // Names of the entries, sorted; hidden ones included.
    std::vector<std::string> entries() const;

private:
    std::string path_;
};
