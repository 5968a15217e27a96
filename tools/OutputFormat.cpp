#include "OutputFormat.h"

#include "ToolError.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <sndfile.h>

namespace {

struct Container
{
    const char* extension;
    int format;
    const char* name;
};

constexpr Container kContainers[] = {
    {".wav", SF_FORMAT_WAV, "WAV"},   {".flac", SF_FORMAT_FLAC, "FLAC"}, {".aiff", SF_FORMAT_AIFF, "AIFF"},
    {".aif", SF_FORMAT_AIFF, "AIFF"}, {".aifc", SF_FORMAT_AIFF, "AIFF"},
};

const Container& containerFor(const std::string& path)
{
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const Container& container : kContainers)
    {
        // The extension must follow a name: "x.wav" qualifies, ".wav" and "dir/.wav" do not.
        const std::string extension = container.extension;
        const std::size_t stem = lower.size() - std::min(lower.size(), extension.size());
        if (stem > 0 && lower.compare(stem, std::string::npos, extension) == 0 && lower[stem - 1] != '/')
            return container;
    }
    throw ToolError("cannot tell the output format from '" + path + "': name it .wav, .flac or .aiff");
}

bool isValid(int format, int sampleRate)
{
    SF_INFO info{};
    info.format = format;
    info.channels = 2;
    info.samplerate = sampleRate;
    return sf_format_check(&info) != 0;
}

bool isFloat(int subtype)
{
    return subtype == SF_FORMAT_FLOAT || subtype == SF_FORMAT_DOUBLE;
}

// The input's sample format in the output container; 8-bit data changes signedness between
// WAV (unsigned) and AIFF or FLAC (signed).
std::optional<int> inputSubtypeIn(const Container& container, int inputFormat, int sampleRate)
{
    const int subtype = inputFormat & SF_FORMAT_SUBMASK;
    if (isValid(container.format | subtype, sampleRate))
        return subtype;
    if (subtype == SF_FORMAT_PCM_U8 && isValid(container.format | SF_FORMAT_PCM_S8, sampleRate))
        return SF_FORMAT_PCM_S8;
    if (subtype == SF_FORMAT_PCM_S8 && isValid(container.format | SF_FORMAT_PCM_U8, sampleRate))
        return SF_FORMAT_PCM_U8;
    return std::nullopt;
}

int requiredInputSubtype(const Container& container, int inputFormat, int sampleRate)
{
    if (const auto subtype = inputSubtypeIn(container, inputFormat, sampleRate))
        return *subtype;
    if (isFloat(inputFormat & SF_FORMAT_SUBMASK))
        throw ToolError(std::string(container.name) + " cannot hold the input's float samples; write a .wav or .aiff file");
    throw ToolError(std::string("the input's sample format cannot be written as ") + container.name +
                    "; use --format float or another output type");
}

} // namespace

int chooseOutputFormat(const std::string& outputPath, SampleFormatChoice choice, int inputFormat, int sampleRate)
{
    const Container& container = containerFor(outputPath);
    const bool holdsFloat = isValid(container.format | SF_FORMAT_FLOAT, sampleRate);
    int subtype = SF_FORMAT_FLOAT;
    switch (choice)
    {
    case SampleFormatChoice::Float:
        if (!holdsFloat)
            throw ToolError(std::string(container.name) +
                            " cannot hold float samples; use --format input or write a .wav or .aiff file");
        break;
    case SampleFormatChoice::Input:
        subtype = requiredInputSubtype(container, inputFormat, sampleRate);
        break;
    case SampleFormatChoice::Automatic:
        // 24 bits keep what a float render needs when the container takes integers only.
        if (!holdsFloat)
            subtype = inputSubtypeIn(container, inputFormat, sampleRate).value_or(SF_FORMAT_PCM_24);
        break;
    }
    const int format = container.format | subtype;
    if (!isValid(format, sampleRate))
        throw ToolError(std::string(container.name) + " cannot hold audio at " + std::to_string(sampleRate) + " Hz");
    return format;
}
