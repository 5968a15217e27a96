#pragma once
#include "SettingsFile.h"

// The factor an editor draws at, from three voices in order: the size its user chose (remembered
// for every instance in the settings file), the host's content scale, the screen's resolution.
class CEditorScale
{
public:
    // `settings` holds the user's choice under `key`.
    CEditorScale(CSettingsFile settings, std::string key);

    // 0: no word from the host.
    void SetHostFactor(double factor) { m_host = factor > 0.0 ? factor : 0.0; }
    void SetScreenFactor(double factor) { m_screen = factor > 0.0 ? factor : 1.0; }
    double HostFactor() const { return m_host; }

    // The size the user chose, in percent; 0 for "follow the host". Read from the file afresh.
    int ChosenPercent() const;
    // Remembers the user's choice (0: follow the host); false when the file could not be written.
    bool Choose(int percent);
    // What to draw at now: reads the user's choice from the file.
    double Factor() const { return Factor(ChosenPercent()); }
    // The same with the user's choice already read, so that one entry point reads the file once.
    double Factor(int chosenPercent) const;

    // A settings value as a size choice: a whole number of percent from 100 to 300, else 0.
    static int ParsePercent(const std::string& text);

private:
    CSettingsFile m_settings;
    std::string m_key;
    double m_host = 0.0;
    double m_screen = 1.0;
};
