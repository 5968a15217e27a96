#include "PeerReport.h"

#include "BenchStatistics.h"
#include "TextTable.h"

#include <algorithm>

double nsPerFrameAndChannel(double seconds, int framesPerPass)
{
    return seconds * 1e9 / (static_cast<double>(framesPerPass) * kBenchChannels);
}

namespace {

// Share of one core a stereo instance takes while playing at the bench's rate.
double percentOfOneCore(double nsPerFrameChannel)
{
    return nsPerFrameChannel * 1e-9 * kBenchChannels * kBenchSampleRate * 100.0;
}

void printCosts(std::ostream& out, const std::vector<BenchSubject*>& subjects, const PassTimes& times,
                int framesPerPass, const ReportReferences& references)
{
    TextTable table;
    table.addColumn("Subject", TextTable::Align::Left);
    table.addColumn("ns/frame/ch", TextTable::Align::Right);
    table.addColumn("min", TextTable::Align::Right);
    table.addColumn("max", TextTable::Align::Right);
    table.addColumn("% of a core", TextTable::Align::Right);
    table.addColumn("x ours default", TextTable::Align::Right);
    table.addColumn("x ours ramp", TextTable::Align::Right);
    for (size_t s = 0; s < subjects.size(); ++s) {
        const std::vector<double>& t = times[s];
        const double ns = nsPerFrameAndChannel(median(t), framesPerPass);
        table.addRow({subjects[s]->name(), fixed(ns, 2),
                      fixed(nsPerFrameAndChannel(*std::min_element(t.begin(), t.end()), framesPerPass), 2),
                      fixed(nsPerFrameAndChannel(*std::max_element(t.begin(), t.end()), framesPerPass), 2),
                      fixed(percentOfOneCore(ns), 3),
                      fixed(medianPairedRatio(t, times[references.oursDefaults]), 2),
                      fixed(medianPairedRatio(t, times[references.oursRamp]), 2)});
    }
    table.print(out);
    out << "\nns/frame/ch     median CPU time per frame and channel; min and max over the repetitions\n"
           "% of a core     what one stereo instance costs while playing at 44.1 kHz\n"
           "x ours default  median over repetitions of (this subject's time / ours at defaults),\n"
           "x ours ramp     ... / ours with the ramp: above 1 the subject is slower than ours\n";
}

void printGoals(std::ostream& out, const std::vector<BenchSubject*>& subjects, const PassTimes& times,
                const ReportReferences& references, const Goals& goals)
{
    const std::string tap = subjects[references.tap]->name();
    out << "\nOurs against " << tap << " (median of per-repetition ratios):\n\n";
    TextTable table;
    table.addColumn("Ratio", TextTable::Align::Left);
    table.addColumn("measured", TextTable::Align::Right);
    table.addColumn("goal", TextTable::Align::Right);
    table.addColumn("", TextTable::Align::Left);
    const auto addGoal = [&](size_t ours, double goal) {
        const double ratio = medianPairedRatio(times[ours], times[references.tap]);
        table.addRow({subjects[ours]->name() + " / " + tap, fixed(ratio, 3), "<= " + fixed(goal, 2),
                      ratio <= goal ? "met" : "NOT MET"});
    };
    addGoal(references.oursDefaults, goals.atDefaults);
    addGoal(references.oursRamp, goals.withRamp);
    addGoal(references.oursDepthRamp, goals.withRamp);
    table.print(out);
}

void printFormats(std::ostream& out, const std::vector<BenchSubject*>& subjects, const PassTimes& times,
                  const ReportReferences& references)
{
    if (references.formats.empty())
        return;
    const std::string ours = subjects[references.oursDefaults]->name();
    out << "\nEvery format against " << ours << " (VST 2; median of per-repetition ratios):\n\n";
    TextTable table;
    table.addColumn("Ratio", TextTable::Align::Left);
    table.addColumn("measured", TextTable::Align::Right);
    table.addColumn("goal", TextTable::Align::Right);
    table.addColumn("", TextTable::Align::Left);
    for (size_t format : references.formats) {
        const double ratio = medianPairedRatio(times[format], times[references.oursDefaults]);
        const bool met = ratio >= kFormatBand.lowest && ratio <= kFormatBand.highest;
        table.addRow({subjects[format]->name() + " / " + ours, fixed(ratio, 3),
                      fixed(kFormatBand.lowest, 2) + " .. " + fixed(kFormatBand.highest, 2), met ? "met" : "NOT MET"});
    }
    table.print(out);
}

} // namespace

void printSettings(std::ostream& out, const std::vector<BenchSubject*>& subjects)
{
    out << "\nSettings:\n";
    for (const BenchSubject* subject : subjects)
        out << "  " << subject->name() << ": " << subject->settings() << '\n';
}

void printPeerReport(std::ostream& out, const std::vector<BenchSubject*>& subjects, const PassTimes& times,
                     int framesPerPass, const ReportReferences& references, const Goals& goals)
{
    printCosts(out, subjects, times, framesPerPass, references);
    printGoals(out, subjects, times, references, goals);
    printFormats(out, subjects, times, references);
    printSettings(out, subjects);
}
