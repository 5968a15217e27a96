#include "AudioFileReader.h"

#include "ToolError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// libsndfile reports a missing file as "System error"; say what happened in the user's words.
void checkReadable(const std::string& path)
{
    struct stat status{};
    if (stat(path.c_str(), &status) != 0)
    {
        if (errno == ENOENT)
            throw ToolError("input file not found: '" + path + "'");
        throw ToolError("cannot read '" + path + "': " + std::strerror(errno));
    }
    if (S_ISDIR(status.st_mode))
        throw ToolError("input '" + path + "' is a directory");
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        throw ToolError("cannot read '" + path + "': " + std::strerror(errno));
    close(fd);
}

} // namespace

AudioFileReader::AudioFileReader(const std::string& path) : path_(path)
{
    checkReadable(path);
    file_ = sf_open(path.c_str(), SFM_READ, &info_);
    if (file_ == nullptr)
        throw ToolError("'" + path + "' is not an audio file vstrender can read (" + sf_strerror(nullptr) + ")");
    if (info_.channels != 1 && info_.channels != 2)
    {
        const int channels = info_.channels;
        sf_close(file_);
        throw ToolError("'" + path + "' has " + std::to_string(channels) +
                        " channels; only mono and stereo input is supported");
    }
}

AudioFileReader::~AudioFileReader()
{
    sf_close(file_);
}

sf_count_t AudioFileReader::read(float* interleaved, sf_count_t frames)
{
    const sf_count_t got = sf_readf_float(file_, interleaved, frames);
    if (got < frames && sf_error(file_) != SF_ERR_NO_ERROR)
        throw ToolError("error reading '" + path_ + "': " + sf_strerror(file_));
    return got;
}
