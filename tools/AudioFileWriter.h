#pragma once
// Writes the rendered stereo audio all or nothing: samples go to a hidden temporary file beside
// the output, which replaces the output only on commit(). Until then an error, an exception or
// an interruption removes it, so a failed render never leaves a partial file behind.
#include <sndfile.h>

#include <string>

class AudioFileWriter
{
public:
    // Throws ToolError when the temporary file cannot be created in the output's directory.
    AudioFileWriter(const std::string& path, int format, int sampleRate, int channels);
    ~AudioFileWriter();
    AudioFileWriter(const AudioFileWriter&) = delete;
    AudioFileWriter& operator=(const AudioFileWriter&) = delete;

    void write(const float* interleaved, sf_count_t frames);
    // Finishes the file and moves it to the output path.
    void commit();

    const std::string& temporaryPath() const { return temporaryPath_; }

private:
    void discard();

    std::string path_;
    std::string temporaryPath_;
    int descriptor_ = -1;
    SNDFILE* file_ = nullptr;
};
