#pragma once
// Reads a mono or stereo audio file (anything libsndfile reads: WAV, FLAC, AIFF, ...) as
// interleaved 32-bit float frames.
#include <sndfile.h>

#include <string>

class AudioFileReader
{
public:
    // Throws ToolError with a user-facing message when the file is missing or not readable audio.
    explicit AudioFileReader(const std::string& path);
    ~AudioFileReader();
    AudioFileReader(const AudioFileReader&) = delete;
    AudioFileReader& operator=(const AudioFileReader&) = delete;

    int channels() const { return info_.channels; }
    int sampleRate() const { return info_.samplerate; }
    sf_count_t frames() const { return info_.frames; }
    int format() const { return info_.format; }
    const std::string& path() const { return path_; }

    // Reads up to `frames` frames; returns how many were read (fewer only at the end of the file).
    sf_count_t read(float* interleaved, sf_count_t frames);

private:
    std::string path_;
    SF_INFO info_{};
    SNDFILE* file_ = nullptr;
};
