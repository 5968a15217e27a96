#pragma once
// Small text helpers shared by the option parser and the parameter lookups.
#include <optional>
#include <string>

std::string trim(const std::string& text);
bool equalsIgnoringCase(const std::string& a, const std::string& b);

// The whole text as a finite number (surrounding blanks allowed), or nothing.
std::optional<double> parseNumber(const std::string& text);
// The whole text as a decimal integer (surrounding blanks allowed), or nothing.
std::optional<long long> parseInteger(const std::string& text);

// A leading number and whatever follows it, trimmed ("50 %" gives 50 and "%"); nothing when the
// text does not start with a finite number.
struct NumberWithSuffix
{
    double number;
    std::string suffix;
};
std::optional<NumberWithSuffix> parseNumberWithSuffix(const std::string& text);
