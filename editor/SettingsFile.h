#pragma once
#include <string>

// One small text file of the user's own settings, one "key=value" line each. Reading never fails
// loudly: a missing, unreadable or damaged file simply has no value. A write re-reads the file,
// changes one key and puts the whole file in place by renaming a finished temporary copy over it,
// so that two editors writing at once never leave a half-written file and neither loses the
// other's keys.
class CSettingsFile
{
public:
    explicit CSettingsFile(std::string path) : m_path(std::move(path)) {}

    const std::string& Path() const { return m_path; }
    // The value of `key`; empty when there is none.
    std::string Read(const std::string& key) const;
    // Sets `key` to `value` (a line without '=' or line breaks); false when it could not be saved.
    bool Write(const std::string& key, const std::string& value) const;

    // Where the user's settings go: Windows %APPDATA%\<folder>\<file>, elsewhere
    // $XDG_CONFIG_HOME/<folder>/<file> (~/.config when unset). Empty when neither is known.
    static std::string UserPath(const std::string& folder, const std::string& file);

private:
    std::string m_path;
};
