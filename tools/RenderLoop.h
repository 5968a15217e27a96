#pragma once
// Streams an input file through a plug-in into a stereo output, block by block.
#include <sndfile.h>

class AudioFileReader;
class AudioFileWriter;
class LoadedPlugin;
class ProgressBar;

struct RenderSettings
{
    int blockSize = 1024;
    bool hostBypass = false;  // copy the input instead of processing (the plug-in cannot bypass itself)
    sf_count_t tailFrames = 0; // silence fed after the input, so effects can ring out
};

// The output has as many frames as the input plus the tail. The plug-in's reported latency is
// compensated: its first `latency` output frames are dropped and silence is fed at the end.
// Mono input is fed to both plug-in inputs; a mono plug-in output goes to both output channels.
void render(AudioFileReader& input, LoadedPlugin& plugin, AudioFileWriter& output, const RenderSettings& settings,
            ProgressBar& progress);
