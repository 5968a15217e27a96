#pragma once
// The bench over every block size a host may use, from low-latency 16-frame blocks to 4096: what
// each subject costs per frame at each size, what each block costs it before any frame (fitted
// from the sizes), and our goals at each size. Then the many-instance run.
#include "PeerReport.h"

#include <ostream>
#include <vector>

// The block sizes of the sweep.
const std::vector<int>& sweepBlockSizes();

// One block size's run: the times of every subject, in the order of the subjects.
struct BlockRun
{
    int block;
    PassTimes times;
};

void printSweepReport(std::ostream& out, const std::vector<BenchSubject*>& subjects, const std::vector<BlockRun>& runs,
                      int framesPerPass, const ReportReferences& references, const Goals& goals);

// Crowds of ours and of TAP (subjects 0 and 1 of times), each `instances` strong, at `block`
// frames; singleRatio is ours / TAP one instance each at the same block size, from the sweep.
void printCrowdReport(std::ostream& out, const std::vector<BenchSubject*>& crowds, const PassTimes& times,
                      int framesPerPass, int instances, int block, double singleRatio);
