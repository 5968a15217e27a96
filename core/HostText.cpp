#include "HostText.h"
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

void CopyHostText(char* destination, const char* text, size_t maxChars)
{
    if (!destination)
        return;
    size_t length = text ? std::strlen(text) : 0;
    if (length > maxChars)
        length = maxChars;
    if (length)
        std::memcpy(destination, text, length);
    destination[length] = '\0';
}

namespace {

constexpr int kWidth = 8;

// Values whose integer part does not fit the eight characters, and non-finite ones, are shown
// in exponent form instead of losing their leading digits.
bool FitsFixedText(double magnitude, bool negative)
{
    return std::isfinite(magnitude) && magnitude < (negative ? 1000000.0 : 10000000.0);
}

void WriteExponentText(float value, char* text)
{
    if (std::isnan(value)) {
        std::strcpy(text, "nan");
        return;
    }
    if (std::isinf(value)) {
        std::strcpy(text, value < 0 ? "-inf" : "inf");
        return;
    }
    std::snprintf(text, kWidth + 1, value < 0 ? "%.1e" : "%.2e", static_cast<double>(value));
}

} // namespace

void FloatToRoundedText(float value, char* text)
{
    if (!text)
        return;
    const double m = std::fabs(static_cast<double>(value));
    if (!FitsFixedText(m, value < 0.0f)) {
        WriteExponentText(value, text);
        return;
    }
    // As many places as the display shows; one fewer when rounding carries into a new digit.
    int integerDigits = 1;
    for (double q = std::floor(m); q >= 10.0 && integerDigits < kWidth; q *= 0.1)
        ++integerDigits;
    // A negative value that rounds to zero is shown as "0.000000", as the zero it reads back as.
    const int signedPlaces = kWidth - 1 - integerDigits - 1;
    const bool negative = value < 0.0f && std::round(m * std::pow(10.0, std::max(signedPlaces, 0))) != 0.0;
    for (int places = kWidth - (negative ? 1 : 0) - integerDigits - 1; places >= 0; --places) {
        char number[32];
        std::snprintf(number, sizeof number, "%.*f%s", places, negative ? -m : m, places == 0 ? "." : "");
        if (std::strlen(number) <= static_cast<size_t>(kWidth)) {
            std::strcpy(text, number);
            return;
        }
    }
    WriteExponentText(value, text);
}

void FloatToDisplayText(float value, char* text)
{
    if (!text)
        return;
    const bool negative = value < 0.0f;
    const double m = std::fabs(static_cast<double>(value));
    if (!FitsFixedText(m, negative)) {
        WriteExponentText(value, text);
        return;
    }

    // The integer part, built right to left behind its point.
    char integer[kWidth + 2];
    int start = kWidth + 1;
    integer[start] = '\0';
    integer[--start] = '.';
    int c = negative ? 1 : 0;
    integer[--start] = static_cast<char>('0' + static_cast<int>(std::fmod(std::floor(m), 10.0)));
    c += 2;
    double q = std::floor(m) * 0.1;
    while (q >= 1.0 && c < kWidth) {
        integer[--start] = static_cast<char>('0' + static_cast<int>(std::fmod(q, 10.0)));
        q *= 0.1;
        ++c;
    }
    if (negative)
        integer[--start] = '-';
    std::strcpy(text, integer + start);
    if (c >= kWidth)
        return;

    // The fraction, truncated to the characters left, digits produced right to left.
    static const double kPowersOfTen[] = {1.0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    const int digits = kWidth - c;
    double f = std::fmod(m, 1.0) * kPowersOfTen[digits];
    char fraction[kWidth + 1];
    fraction[digits] = '\0';
    for (int i = digits - 1; i >= 0; --i) {
        if (f <= 0.0) {
            fraction[i] = '0';
        } else {
            fraction[i] = static_cast<char>('0' + static_cast<int>(std::fmod(f, 10.0)));
            f *= 0.1;
        }
    }
    std::strcat(text, fraction);
}
