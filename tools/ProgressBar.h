#pragma once
// A one-line progress bar on a terminal. It appears only once a render has run for a second, so
// short renders stay silent, redraws at most ten times a second, and is erased when done.
#include <chrono>
#include <cstdio>
#include <string>

class ProgressBar
{
public:
    // Draws nothing at all when not enabled (standard error is not a terminal, or --quiet).
    ProgressBar(std::FILE* terminal, bool enabled);
    // Erases the bar, so that an error message after a failed render starts on a clean line.
    ~ProgressBar() { finish(); }
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void update(long long done, long long total);
    void finish();

    // "[##########..........]  50%  0:05 left", the line drawn after `elapsed` seconds.
    static std::string line(long long done, long long total, double elapsedSeconds);

private:
    using Clock = std::chrono::steady_clock;

    std::FILE* terminal_;
    bool enabled_;
    bool shown_ = false;
    Clock::time_point start_;
    Clock::time_point lastDrawn_;
};
