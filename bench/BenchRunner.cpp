#include "BenchRunner.h"

#include "BenchError.h"

#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct OutputBlock
{
    float left[kBenchMaxBlockFrames];
    float right[kBenchMaxBlockFrames];
};

// The signal in host-sized blocks, the last one shorter when the length is not a multiple.
void processSignal(BenchSubject& subject, const StereoSignal& signal, int frames, int blockFrames, OutputBlock& output)
{
    float* const outputs[kBenchChannels] = {output.left, output.right};
    for (int start = 0; start < frames; start += blockFrames) {
        const float* const inputs[kBenchChannels] = {signal.left.data() + start, signal.right.data() + start};
        subject.process(inputs, outputs, std::min(blockFrames, frames - start));
    }
}

} // namespace

void warmUp(const std::vector<BenchSubject*>& subjects, const StereoSignal& signal, int blockFrames)
{
    const int frames = std::min(signal.frames(), static_cast<int>(kBenchSampleRate));
    OutputBlock output{};
    for (BenchSubject* subject : subjects) {
        std::fill(std::begin(output.left), std::end(output.left), 0.0f);
        std::fill(std::begin(output.right), std::end(output.right), 0.0f);
        processSignal(*subject, signal, frames, blockFrames, output);
        double energy = 0.0;
        for (int n = 0; n < std::min(blockFrames, frames); ++n)
            energy += static_cast<double>(output.left[n]) * output.left[n] + static_cast<double>(output.right[n]) * output.right[n];
        if (!(energy > 0.0) || !std::isfinite(energy))
            throw BenchError(subject->name() + " gives silence or garbage for noise: check how it is set up");
    }
}

void checkSameSamples(BenchSubject& reference, const std::vector<BenchSubject*>& others, const StereoSignal& signal,
                      int blockFrames)
{
    const int frames = std::min(signal.frames(), static_cast<int>(kBenchSampleRate));
    // Left channel then right, the whole second each.
    const auto render = [&](BenchSubject& subject) {
        std::vector<float> samples(static_cast<size_t>(frames) * kBenchChannels);
        OutputBlock output{};
        for (int start = 0; start < frames; start += blockFrames) {
            const int count = std::min(blockFrames, frames - start);
            const float* const inputs[kBenchChannels] = {signal.left.data() + start, signal.right.data() + start};
            float* const outputs[kBenchChannels] = {output.left, output.right};
            subject.process(inputs, outputs, count);
            std::copy(output.left, output.left + count, samples.begin() + start);
            std::copy(output.right, output.right + count, samples.begin() + frames + start);
        }
        return samples;
    };
    const std::vector<float> expected = render(reference);
    for (BenchSubject* other : others) {
        const std::vector<float> samples = render(*other);
        const auto difference = std::mismatch(expected.begin(), expected.end(), samples.begin(),
                                              [](float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; });
        if (difference.first != expected.end()) {
            const long at = static_cast<long>(difference.first - expected.begin());
            throw BenchError(other->name() + " computes other samples than " + reference.name() + " (first in the " +
                             (at < frames ? "left" : "right") + " channel at frame " + std::to_string(at % frames) +
                             " of the second after the warm-up)");
        }
    }
}

PassTimes runInterleaved(const std::vector<BenchSubject*>& subjects, const StereoSignal& signal, int blockFrames,
                         int repetitions, const RepetitionReport& report)
{
    const size_t count = subjects.size();
    PassTimes times(count, std::vector<double>(static_cast<size_t>(repetitions), 0.0));
    OutputBlock output{};
    for (int r = 0; r < repetitions; ++r) {
        if (report)
            report(r + 1, repetitions);
        for (size_t k = 0; k < count; ++k) {
            const size_t s = (static_cast<size_t>(r) + k) % count;
            const double start = threadCpuSeconds();
            processSignal(*subjects[s], signal, signal.frames(), blockFrames, output);
            times[s][static_cast<size_t>(r)] = threadCpuSeconds() - start;
        }
    }
    return times;
}
