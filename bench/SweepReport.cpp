#include "SweepReport.h"

#include "BenchStatistics.h"
#include "TextTable.h"

#include <string>

namespace {

void addBlockColumns(TextTable& table, const std::vector<BlockRun>& runs)
{
    for (const BlockRun& run : runs)
        table.addColumn(std::to_string(run.block), TextTable::Align::Right);
}

void printCosts(std::ostream& out, const std::vector<BenchSubject*>& subjects, const std::vector<BlockRun>& runs,
                int framesPerPass)
{
    out << "ns per frame and channel (median over the repetitions) at each block size in frames; the fixed\n"
           "cost of each block and the cost of each frame beyond it, fitted from the sizes:\n\n";
    TextTable table;
    table.addColumn("Subject", TextTable::Align::Left);
    addBlockColumns(table, runs);
    table.addColumn("ns/block", TextTable::Align::Right);
    table.addColumn("ns/frame/ch", TextTable::Align::Right);
    std::vector<int> blocks;
    for (const BlockRun& run : runs)
        blocks.push_back(run.block);
    for (size_t s = 0; s < subjects.size(); ++s) {
        std::vector<std::string> row = {subjects[s]->name()};
        std::vector<double> perStereoFrame;
        for (const BlockRun& run : runs) {
            const double ns = nsPerFrameAndChannel(median(run.times[s]), framesPerPass);
            row.push_back(fixed(ns, 2));
            perStereoFrame.push_back(ns * kBenchChannels);
        }
        const BlockCostFit fit = fitBlockCost(blocks, perStereoFrame);
        row.push_back(fixed(fit.perBlock, 0));
        row.push_back(fixed(fit.perFrame / kBenchChannels, 2));
        table.addRow(row);
    }
    table.print(out);
}

// One row of ratios (numerator / denominator in each block size's run) against a band.
void addRatioRow(TextTable& table, const std::string& name, const std::vector<BlockRun>& runs, size_t numerator,
                 size_t denominator, double lowest, double highest, const std::string& goal)
{
    std::vector<std::string> row = {name, goal};
    std::string missed;
    for (const BlockRun& run : runs) {
        const double ratio = medianPairedRatio(run.times[numerator], run.times[denominator]);
        row.push_back(fixed(ratio, 3));
        if (!(ratio >= lowest && ratio <= highest))
            missed += (missed.empty() ? "NOT MET at " : ", ") + std::to_string(run.block);
    }
    row.push_back(missed.empty() ? "met at every size" : missed);
    table.addRow(row);
}

void printRatios(std::ostream& out, const std::vector<BenchSubject*>& subjects, const std::vector<BlockRun>& runs,
                 const ReportReferences& references, const Goals& goals)
{
    out << "\nRatios at each block size (medians of per-repetition ratios, in the same run):\n\n";
    TextTable table;
    table.addColumn("Ratio", TextTable::Align::Left);
    table.addColumn("goal", TextTable::Align::Right);
    addBlockColumns(table, runs);
    table.addColumn("", TextTable::Align::Left);
    const std::string tap = subjects[references.tap]->name();
    const auto againstTap = [&](size_t ours, double goal) {
        addRatioRow(table, subjects[ours]->name() + " / " + tap, runs, ours, references.tap, 0.0, goal,
                    "<= " + fixed(goal, 2));
    };
    againstTap(references.oursDefaults, goals.atDefaults);
    againstTap(references.oursRamp, goals.withRamp);
    againstTap(references.oursDepthRamp, goals.withRamp);
    for (size_t format : references.formats)
        addRatioRow(table, subjects[format]->name() + " / " + subjects[references.oursDefaults]->name(), runs, format,
                    references.oursDefaults, kFormatBand.lowest, kFormatBand.highest,
                    fixed(kFormatBand.lowest, 2) + " .. " + fixed(kFormatBand.highest, 2));
    table.print(out);
}

} // namespace

const std::vector<int>& sweepBlockSizes()
{
    static const std::vector<int> sizes = {16, 32, 64, 128, 256, 512, 1024, 4096};
    return sizes;
}

void printSweepReport(std::ostream& out, const std::vector<BenchSubject*>& subjects, const std::vector<BlockRun>& runs,
                      int framesPerPass, const ReportReferences& references, const Goals& goals)
{
    printCosts(out, subjects, runs, framesPerPass);
    printRatios(out, subjects, runs, references, goals);
}

void printCrowdReport(std::ostream& out, const std::vector<BenchSubject*>& crowds, const PassTimes& times,
                      int framesPerPass, int instances, int block, double singleRatio)
{
    out << "\n" << instances << " instances at once, each processing its " << block
        << "-frame block in turn (ns per frame and channel of one instance, median):\n\n";
    TextTable table;
    table.addColumn("Subject", TextTable::Align::Left);
    table.addColumn("ns/frame/ch", TextTable::Align::Right);
    table.addColumn("min", TextTable::Align::Right);
    table.addColumn("max", TextTable::Align::Right);
    for (size_t s = 0; s < crowds.size(); ++s) {
        const std::vector<double>& t = times[s];
        const double perInstance = static_cast<double>(framesPerPass) * instances;
        double lo = t.front(), hi = t.front();
        for (double x : t) {
            lo = x < lo ? x : lo;
            hi = x > hi ? x : hi;
        }
        table.addRow({crowds[s]->name(), fixed(nsPerFrameAndChannel(median(t), 1) / perInstance, 2),
                      fixed(nsPerFrameAndChannel(lo, 1) / perInstance, 2), fixed(nsPerFrameAndChannel(hi, 1) / perInstance, 2)});
    }
    table.print(out);
    out << "\n" << crowds[0]->name() << " / " << crowds[1]->name() << ": " << fixed(medianPairedRatio(times[0], times[1]), 3)
        << " (one instance each at " << block << " frames: " << fixed(singleRatio, 3) << ")\n";
}
