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
    size_t oursRamp;
    size_t tap;
};

// Ours / TAP, medians of per-repetition ratios, must stay at or below these.
constexpr double kGoalAtDefaults = 0.5;
constexpr double kGoalWithRamp = 0.6;

void printPeerReport(std::ostream& out, const std::vector<BenchSubject*>& subjects, const PassTimes& times,
                     int framesPerPass, const ReportReferences& references);
