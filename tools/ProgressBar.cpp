#include "ProgressBar.h"

#include <algorithm>

namespace {

constexpr double kDelayBeforeShowing = 1.0;
constexpr double kRedrawInterval = 0.1;
constexpr int kBarWidth = 30;

std::string minutesAndSeconds(double seconds)
{
    const long long whole = static_cast<long long>(seconds + 0.5);
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    return text;
}

} // namespace

ProgressBar::ProgressBar(std::FILE* terminal, bool enabled)
    : terminal_(terminal), enabled_(enabled), start_(Clock::now()), lastDrawn_(start_)
{
}

std::string ProgressBar::line(long long done, long long total, double elapsedSeconds)
{
    const double fraction = total > 0 ? std::clamp(static_cast<double>(done) / static_cast<double>(total), 0.0, 1.0) : 1.0;
    const int filled = static_cast<int>(fraction * kBarWidth);
    std::string text = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] ";
    char percent[16];
    std::snprintf(percent, sizeof percent, "%3d%%", static_cast<int>(fraction * 100.0));
    text += percent;
    if (fraction > 0.0 && fraction < 1.0)
        text += "  " + minutesAndSeconds(elapsedSeconds * (1.0 - fraction) / fraction) + " left";
    return text;
}

void ProgressBar::update(long long done, long long total)
{
    if (!enabled_)
        return;
    const Clock::time_point now = Clock::now();
    const double elapsed = std::chrono::duration<double>(now - start_).count();
    if (elapsed < kDelayBeforeShowing || std::chrono::duration<double>(now - lastDrawn_).count() < kRedrawInterval)
        return;
    lastDrawn_ = now;
    shown_ = true;
    // Trailing blanks cover a longer "left" text from the previous draw.
    std::fprintf(terminal_, "\r%s   ", line(done, total, elapsed).c_str());
    std::fflush(terminal_);
}

void ProgressBar::finish()
{
    if (!shown_)
        return;
    std::fprintf(terminal_, "\r%*s\r", kBarWidth + 30, "");
    std::fflush(terminal_);
    shown_ = false;
}
