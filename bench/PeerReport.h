#pragma once
// The bench's results as a musician-engineer reads them: one aligned table of costs and ratios,
// our goals against TAP Chorus/Flanger, and every subject's settings.
#include "BenchRunner.h"

#include <ostream>
#include <vector>

// Which rows the ratios are taken against.
struct ReportReferences
{
    size_t oursDefaults;
    size_t oursRamp;      // a Delay ramp in every block
    size_t oursDepthRamp; // a Depth ramp in every block
    size_t tap;
    std::vector<size_t> formats; // ours through the other plug-in formats, each against ours at defaults
};

// Ours / TAP, medians of per-repetition ratios, must stay at or below these: at the defaults and
// with a ramp in every block, with the kernels picked for the CPU or with the SSE2 ones forced.
struct Goals
{
    double atDefaults;
    double withRamp;
};
constexpr Goals kGoals = {0.40, 0.50};
constexpr Goals kGoalsOnSse2 = {0.50, 0.60};

// Every format runs the same kernels behind a thin adapter: its time over the VST 2 one's, at the
// defaults, must lie in this band.
struct FormatBand
{
    double lowest;
    double highest;
};
constexpr FormatBand kFormatBand = {0.95, 1.05};

// A pass's time as nanoseconds per frame and channel.
double nsPerFrameAndChannel(double seconds, int framesPerPass);

// Every subject's control values, as the last part of a report.
void printSettings(std::ostream& out, const std::vector<BenchSubject*>& subjects);

void printPeerReport(std::ostream& out, const std::vector<BenchSubject*>& subjects, const PassTimes& times,
                     int framesPerPass, const ReportReferences& references, const Goals& goals);
