#pragma once
// Chooses the libsndfile format of the output: the container from the file name's extension,
// the sample format from the user's choice.
#include <string>

enum class SampleFormatChoice
{
    Automatic, // 32-bit float; for FLAC, which holds no float, the input's format (24-bit for float input)
    Float,
    Input,     // the input file's sample format
};

// Throws ToolError when the extension is unknown or the container cannot hold the choice.
int chooseOutputFormat(const std::string& outputPath, SampleFormatChoice choice, int inputFormat, int sampleRate);
