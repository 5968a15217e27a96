#include "EditorScale.h"
#include <cctype>

namespace {

constexpr int kSmallestPercent = 100;
constexpr int kLargestPercent = 300;
constexpr const char* kFollowHost = "host";

} // namespace

CEditorScale::CEditorScale(CSettingsFile settings, std::string key)
    : m_settings(std::move(settings)), m_key(std::move(key))
{
}

int CEditorScale::ParsePercent(const std::string& text)
{
    if (text.empty() || text.size() > 3)
        return 0;
    int percent = 0;
    for (char c : text)
    {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return 0;
        percent = percent * 10 + (c - '0');
    }
    return percent >= kSmallestPercent && percent <= kLargestPercent ? percent : 0;
}

int CEditorScale::ChosenPercent() const
{
    return ParsePercent(m_settings.Read(m_key));
}

bool CEditorScale::Choose(int percent)
{
    const int valid = ParsePercent(std::to_string(percent));
    return m_settings.Write(m_key, valid ? std::to_string(valid) : kFollowHost);
}

double CEditorScale::Factor(int chosenPercent) const
{
    if (chosenPercent >= kSmallestPercent && chosenPercent <= kLargestPercent)
        return chosenPercent / 100.0;
    return m_host > 0.0 ? m_host : m_screen;
}
