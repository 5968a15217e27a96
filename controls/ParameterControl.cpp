#include "ParameterControl.h"
#include <algorithm>
#include <cstdio>
#include <cstring>

CParameterControl::CParameterControl(CParameterControlListener* listener, int parameterIndex, int controlId)
    : m_parameterIndex(parameterIndex), m_controlId(controlId)
{
    AddListener(listener);
}

void CParameterControl::AddListener(CParameterControlListener* listener)
{
    if (listener)
        m_listeners.push_back(listener);
}

void CParameterControl::RemoveListener(CParameterControlListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

std::string CParameterControl::GetText()
{
    const double value = GetValue();
    const int length = std::snprintf(nullptr, 0, m_format.c_str(), value);
    std::string text(static_cast<size_t>(std::max(length, 0)), '\0');
    if (length > 0)
        std::snprintf(&text[0], text.size() + 1, m_format.c_str(), value);
    if (!m_unit.empty())
        text += ' ' + m_unit;
    return text;
}

void CParameterControl::NotifyBeginEdit()
{
    Deliver(&CParameterControlListener::OnBeginEdit);
}

void CParameterControl::NotifyGesture()
{
    NotifyBeginEdit();
    NotifyValueChanged();
    NotifyEndEdit();
}

void CParameterControl::NotifyValueChanged()
{
    Deliver(&CParameterControlListener::OnValueChanged);
}

void CParameterControl::NotifyEndEdit()
{
    Deliver(&CParameterControlListener::OnEndEdit);
}

void CParameterControl::Deliver(void (CParameterControlListener::*operation)(CParameterControl*))
{
    if (m_notifying)
        return;
    // By index: a listener may add or remove listeners while it is being called.
    for (size_t i = 0; i < m_listeners.size(); ++i)
    {
        m_notifying = true;
        (m_listeners[i]->*operation)(this);
        m_notifying = false;
    }
}

bool CParameterControl::SetFormat(const std::string& format)
{
    if (!IsSingleNumberFormat(format))
        return false;
    m_format = format;
    return true;
}

bool IsSingleNumberFormat(const std::string& format)
{
    int conversions = 0;
    for (size_t i = 0; i < format.size(); ++i)
    {
        if (format[i] != '%')
            continue;
        if (++i < format.size() && format[i] == '%')
            continue;
        while (i < format.size() && std::strchr("-+ #0", format[i]))
            ++i;
        while (i < format.size() && format[i] >= '0' && format[i] <= '9')
            ++i;
        if (i < format.size() && format[i] == '.')
            for (++i; i < format.size() && format[i] >= '0' && format[i] <= '9';)
                ++i;
        if (i >= format.size() || !std::strchr("fFeEgGaA", format[i]))
            return false;
        ++conversions;
    }
    return conversions == 1;
}
