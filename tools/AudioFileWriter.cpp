#include "AudioFileWriter.h"

#include "InterruptCleanup.h"
#include "ToolError.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string fileNameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

AudioFileWriter::AudioFileWriter(const std::string& path, int format, int sampleRate, int channels) : path_(path)
{
    struct stat status{};
    if (stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
        throw ToolError("output '" + path + "' is a directory");

    std::string pattern = directoryOf(path) + "/." + fileNameOf(path) + ".vstrender-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    {
        InterruptsDeferred deferred;
        descriptor_ = mkstemp(name.data());
        if (descriptor_ < 0)
            throw ToolError("cannot write '" + path + "': " + std::strerror(errno));
        temporaryPath_ = name.data();
        removeOnInterrupt(temporaryPath_);
    }

    SF_INFO info{};
    info.format = format;
    info.samplerate = sampleRate;
    info.channels = channels;
    file_ = sf_open_fd(descriptor_, SFM_WRITE, &info, SF_FALSE);
    if (file_ == nullptr)
    {
        const std::string reason = sf_strerror(nullptr);
        discard();
        throw ToolError("cannot write '" + path + "': " + reason);
    }
    // Samples beyond full scale are clipped rather than wrapped when the output holds integers.
    sf_command(file_, SFC_SET_CLIPPING, nullptr, SF_TRUE);
}

AudioFileWriter::~AudioFileWriter()
{
    discard();
}

void AudioFileWriter::write(const float* interleaved, sf_count_t frames)
{
    if (sf_writef_float(file_, interleaved, frames) != frames)
        throw ToolError("cannot write '" + path_ + "': " + sf_strerror(file_));
}

void AudioFileWriter::commit()
{
    // Closing writes the headers; only then is a failure to write (a full disk) certain to show.
    // No fsync: the rename already keeps readers from seeing a partial file, and waiting for the
    // disk would multiply the time of a long render.
    const int closeError = sf_close(file_);
    file_ = nullptr;
    if (closeError != 0)
        throw ToolError("cannot write '" + path_ + "': " + sf_error_number(closeError));

    const mode_t mask = umask(0);
    umask(mask);
    fchmod(descriptor_, 0666 & ~mask);
    close(descriptor_);
    descriptor_ = -1;

    if (std::rename(temporaryPath_.c_str(), path_.c_str()) != 0)
        throw ToolError("cannot write '" + path_ + "': " + std::strerror(errno));
    keepOnInterrupt();
    temporaryPath_.clear();
}

void AudioFileWriter::discard()
{
    if (file_ != nullptr)
        sf_close(file_);
    file_ = nullptr;
    if (descriptor_ >= 0)
        close(descriptor_);
    descriptor_ = -1;
    if (!temporaryPath_.empty())
    {
        unlink(temporaryPath_.c_str());
        keepOnInterrupt();
        temporaryPath_.clear();
    }
}
