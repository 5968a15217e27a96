#pragma once
#include <optional>
#include <string>

// A string that may be absent: "none" and "" are different answers for descriptors and presets.
class COwnedString
{
public:
    COwnedString() = default;
    COwnedString(const char* text) { if (text) m_text = text; }
    const char* Get() const { return m_text ? m_text->c_str() : nullptr; }
    bool IsSet() const { return m_text.has_value(); }

private:
    std::optional<std::string> m_text;
};
