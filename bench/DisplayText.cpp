#include "DisplayText.h"

#include <cstdio>
#include <cstdlib>

std::string shortNumber(const std::string& display)
{
    char* end = nullptr;
    const double value = std::strtod(display.c_str(), &end);
    if (end == display.c_str())
        return display;
    char text[32];
    std::snprintf(text, sizeof text, "%.3g", value);
    return text + std::string(end);
}
