#include "Text.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>

std::string trim(const std::string& text)
{
    const auto isBlank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

bool equalsIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::optional<NumberWithSuffix> parseNumberWithSuffix(const std::string& text)
{
    const std::string trimmed = trim(text);
    if (trimmed.empty())
        return std::nullopt;
    // strtod also reads "inf", "nan" and hexadecimal; none of them is a number a user means here.
    const char first = trimmed[0];
    if (!std::isdigit(static_cast<unsigned char>(first)) && first != '-' && first != '+' && first != '.')
        return std::nullopt;
    const std::size_t digits = (first == '-' || first == '+') ? 1 : 0;
    if (trimmed.compare(digits, 2, "0x") == 0 || trimmed.compare(digits, 2, "0X") == 0)
        return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const double number = std::strtod(trimmed.c_str(), &end);
    if (end == trimmed.c_str() || errno == ERANGE || !std::isfinite(number))
        return std::nullopt;
    return NumberWithSuffix{number, trim(end)};
}

std::optional<double> parseNumber(const std::string& text)
{
    const auto parsed = parseNumberWithSuffix(text);
    if (!parsed || !parsed->suffix.empty())
        return std::nullopt;
    return parsed->number;
}

std::optional<long long> parseInteger(const std::string& text)
{
    const std::string trimmed = trim(text);
    if (trimmed.empty())
        return std::nullopt;
    std::size_t i = (trimmed[0] == '-' || trimmed[0] == '+') ? 1 : 0;
    if (i == trimmed.size())
        return std::nullopt;
    for (std::size_t k = i; k < trimmed.size(); ++k)
        if (!std::isdigit(static_cast<unsigned char>(trimmed[k])))
            return std::nullopt;
    errno = 0;
    const long long value = std::strtoll(trimmed.c_str(), nullptr, 10);
    if (errno == ERANGE)
        return std::nullopt;
    return value;
}
