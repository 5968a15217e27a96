#pragma once
// The peer bench's command line.
#include <string>

struct BenchOptions
{
    int repetitions = 11;
    double seconds = 60.0;  // of noise per pass
    std::string pluginPath; // our plug-in binary
    std::string kernels;    // empty: the ones the plug-in picks for the CPU; else "sse2" or "avx2"
    int block = 0;          // frames per block of a single run; 0: every size of the sweep
    bool help = false;
};

// BenchError with the reason when an option is unknown or its value is out of range.
BenchOptions parseBenchOptions(int argc, const char* const argv[], const std::string& defaultPluginPath);

const char* benchUsage();
