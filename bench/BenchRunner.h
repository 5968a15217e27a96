#pragma once
// Runs every subject over the whole signal, repetition after repetition, and times each pass with
// the thread's CPU clock (time the machine spends on other processes does not count, cache and
// frequency effects do). In repetition r the order of the subjects is rotated by r, so no subject
// always runs first or always follows the same neighbour.
#include "BenchSubject.h"
#include "NoiseSignal.h"

#include <functional>
#include <vector>

// Seconds of thread CPU time, [subject][repetition].
using PassTimes = std::vector<std::vector<double>>;

// Called before each repetition with its number (from 1) and the count.
using RepetitionReport = std::function<void(int repetition, int repetitions)>;

// Every pass goes through the signal in blocks of blockFrames (1 .. kBenchMaxBlockFrames), the
// last one shorter when the length is not a multiple.

// One untimed pass over the first second of the signal per subject, so the timed passes start with
// warm code and data; BenchError when a subject gives silence for noise.
void warmUp(const std::vector<BenchSubject*>& subjects, const StereoSignal& signal, int blockFrames);

// One more untimed pass over the first second through the reference and each of the others, which
// must give the same samples bit for bit: the same product through another format, at the same
// settings and in the same state, runs the same kernels. BenchError naming the first that differs.
void checkSameSamples(BenchSubject& reference, const std::vector<BenchSubject*>& others, const StereoSignal& signal,
                      int blockFrames);

PassTimes runInterleaved(const std::vector<BenchSubject*>& subjects, const StereoSignal& signal, int blockFrames,
                         int repetitions, const RepetitionReport& report);
