#include "ParameterValue.h"

#include "LoadedPlugin.h"
#include "Text.h"
#include "ToolError.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr int kTextScanSteps = 1000;
constexpr int kMaxBisectionSteps = 64;
constexpr std::size_t kMaxListedTexts = 8;

std::optional<double> displayNumber(LoadedPlugin& plugin, int index, float normalised)
{
    const auto parsed = parseNumberWithSuffix(plugin.displayAt(index, normalised));
    if (!parsed)
        return std::nullopt;
    return parsed->number;
}

std::string formatNumber(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// One unit of the last digit a display text shows ("0.799999": 1e-6); 0 when it shows no plain
// decimal (an exponent form), which no straight line is trusted to match.
double lastDigit(const std::string& display)
{
    const std::string text = trim(display);
    size_t end = 0;
    while (end < text.size() && std::string("+-0123456789.").find(text[end]) != std::string::npos)
        ++end;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E'))
        return 0.0;
    const size_t point = text.find('.');
    return point == std::string::npos || point >= end ? 1.0 : std::pow(10.0, -static_cast<double>(end - point - 1));
}

// A display that is a straight line between its ends gets the value plug-ins themselves compute
// for a real value: (value - minimum) / (maximum - minimum) in single precision, the parameters'
// own precision. A host that hands a plug-in real values (CLAP, LV2, a VST 3 host's plain values)
// gets that same value, so the same settings render the same samples here and there. The line is
// taken when its display reads the number to the last digit shown (VST 2 displays cut the digits
// beyond: 0.79999995 reads 0.799999).
std::optional<float> straightLineValue(LoadedPlugin& plugin, int index, double target, double atZero, double atOne)
{
    const float low = static_cast<float>(atZero);
    const float value = std::clamp((static_cast<float>(target) - low) / (static_cast<float>(atOne) - low), 0.0f, 1.0f);
    const std::string display = plugin.displayAt(index, value);
    const auto parsed = parseNumberWithSuffix(display);
    if (!parsed || std::fabs(parsed->number - target) > 1.001 * lastDigit(display))
        return std::nullopt;
    return value;
}

float findRealValue(LoadedPlugin& plugin, int index, double target, const std::string& setting)
{
    const auto atZero = displayNumber(plugin, index, 0.0f);
    const auto atOne = displayNumber(plugin, index, 1.0f);
    if (!atZero || !atOne)
        throw ToolError("--param " + setting + ": the parameter shows no numbers (" + plugin.displayAt(index, 0.0f) +
                        " .. " + plugin.displayAt(index, 1.0f) +
                        "); give one of its settings or a normalised value such as 1n");

    const double low = std::min(*atZero, *atOne);
    const double high = std::max(*atZero, *atOne);
    const double slack = 1e-3 * (high - low);
    if (target < low - slack || target > high + slack)
    {
        std::string label = trim(plugin.parameterLabel(index));
        throw ToolError("--param " + setting + ": " + formatNumber(target) + " is out of range (" +
                        trim(plugin.displayAt(index, 0.0f)) + " .. " + trim(plugin.displayAt(index, 1.0f)) +
                        (label.empty() ? "" : " " + label) + ")");
    }
    if (high == low)
        return 0.0f;
    target = std::clamp(target, low, high);
    if (const auto line = straightLineValue(plugin, index, target, *atZero, *atOne))
        return *line;

    const auto distance = [&](float normalised) {
        const auto shown = displayNumber(plugin, index, normalised);
        if (!shown)
            throw ToolError("--param " + setting + ": the parameter's display is not a number everywhere in its "
                            "range; give a normalised value such as 0.5n");
        return std::fabs(*shown - target);
    };

    // A display that bends: the straight line as a first guess, then the search.
    const float linear = static_cast<float>(std::clamp((target - *atZero) / (*atOne - *atZero), 0.0, 1.0));

    const bool rising = *atOne > *atZero;
    float below = 0.0f; // display on the start side of the target
    float above = 1.0f;
    for (int step = 0; step < kMaxBisectionSteps; ++step)
    {
        const float middle = below + (above - below) * 0.5f;
        if (middle <= below || middle >= above)
            break;
        const auto shown = displayNumber(plugin, index, middle);
        if (!shown)
            throw ToolError("--param " + setting + ": the parameter's display is not a number everywhere in its "
                            "range; give a normalised value such as 0.5n");
        if ((*shown < target) == rising)
            below = middle;
        else
            above = middle;
    }

    float best = linear;
    double bestDistance = distance(linear);
    for (float candidate : {above, below})
    {
        const double d = distance(candidate);
        if (d < bestDistance)
        {
            best = candidate;
            bestDistance = d;
        }
    }
    return best;
}

float findDisplayText(LoadedPlugin& plugin, int index, const std::string& wanted, const std::string& setting,
                      const std::string& problem)
{
    std::vector<std::string> seen;
    int runStart = -1;
    int runEnd = -1;
    for (int step = 0; step <= kTextScanSteps; ++step)
    {
        const std::string text = trim(plugin.displayAt(index, static_cast<float>(step) / kTextScanSteps));
        if (equalsIgnoringCase(text, wanted))
        {
            if (runStart < 0)
                runStart = step;
            runEnd = step;
        }
        else if (runStart >= 0)
            break;
        if (seen.size() <= kMaxListedTexts && std::find(seen.begin(), seen.end(), text) == seen.end())
            seen.push_back(text);
    }
    if (runStart >= 0)
    {
        // A setting reaching an end of the range is taken at that end (Off at 0, On at 1).
        if (runStart == 0)
            return 0.0f;
        if (runEnd == kTextScanSteps)
            return 1.0f;
        return static_cast<float>(runStart + runEnd) / (2.0f * kTextScanSteps);
    }
    if (seen.size() <= kMaxListedTexts)
    {
        std::string list;
        for (const std::string& text : seen)
            list += (list.empty() ? "" : ", ") + text;
        throw ToolError("--param " + setting + ": '" + wanted + "' is not one of its settings (" + list + ")");
    }
    throw ToolError("--param " + setting + ": " + problem);
}

} // namespace

float resolveParameterValue(LoadedPlugin& plugin, int index, const std::string& value, const std::string& setting)
{
    const std::string text = trim(value);
    if (text.empty())
        throw ToolError("--param " + setting + ": no value given");

    const auto number = parseNumberWithSuffix(text);
    if (number && (number->suffix == "n" || number->suffix == "N"))
    {
        if (number->number < 0.0 || number->number > 1.0)
            throw ToolError("--param " + setting + ": a normalised value must lie between 0n and 1n");
        return static_cast<float>(number->number);
    }
    const std::string label = trim(plugin.parameterLabel(index));
    if (number && (number->suffix.empty() || equalsIgnoringCase(number->suffix, label)))
        return findRealValue(plugin, index, number->number, setting);
    // "-6 Hz" names the wrong unit; "6..5" or "1,5" is a mistyped number.
    const bool followedByUnit = number && std::isdigit(static_cast<unsigned char>(number->suffix[0])) == 0 &&
                                std::string(".,+-").find(number->suffix[0]) == std::string::npos;
    if (followedByUnit && !label.empty())
        return findDisplayText(plugin, index, text, setting, "'" + number->suffix + "' is not its unit (" + label + ")");
    return findDisplayText(plugin, index, text, setting, "'" + text + "' is not a number");
}
