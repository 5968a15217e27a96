#include "SettingsFile.h"
#include <atomic>
#include <cerrno>
#include <chrono>
#include <thread>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>
#if defined(_WIN32)
#include <direct.h>
#include <process.h>
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr std::size_t kLargestFile = 64 * 1024; // anything larger is not ours
#if defined(_WIN32)
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

// Windows refuses to open a file another writer is renaming over that moment, and to rename over
// a file another reader holds open: both are tried again for a little while.
constexpr int kAttempts = 100;
constexpr auto kPause = std::chrono::milliseconds(2);

enum class ERead
{
    Read,
    Missing,
    Unreadable
};

ERead TryRead(const std::string& path, std::string& text);

bool ReadWhole(const std::string& path, std::string& text)
{
    return TryRead(path, text) == ERead::Read;
}

// The file's text, or whether there is none; a file that stays locked or is too long is unreadable.
ERead ReadForUpdate(const std::string& path, std::string& text)
{
    ERead result = ERead::Unreadable;
    for (int attempt = 0; attempt < kAttempts; ++attempt)
    {
        text.clear();
        result = TryRead(path, text);
        if (result != ERead::Unreadable || errno != EACCES)
            return result;
        std::this_thread::sleep_for(kPause);
    }
    return result;
}

ERead TryRead(const std::string& path, std::string& text)
{
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return errno == ENOENT ? ERead::Missing : ERead::Unreadable;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0 && text.size() <= kLargestFile)
        text.append(buffer, got);
    std::fclose(file);
    errno = 0;
    return text.size() <= kLargestFile ? ERead::Read : ERead::Missing; // not ours: it is replaced
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
    {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
    }
    return lines;
}

bool MakeFolder(const std::string& path)
{
#if defined(_WIN32)
    return _mkdir(path.c_str()) == 0 || errno == EEXIST;
#else
    return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
#endif
}

// Every folder on the way to the file, made where missing.
bool MakeFoldersFor(const std::string& path)
{
    for (std::size_t at = path.find(kSeparator, 1); at != std::string::npos; at = path.find(kSeparator, at + 1))
        if (!MakeFolder(path.substr(0, at)))
            return false;
    return true;
}

// Replaces `to` with `from` in one step: readers see the old file or the new one, never a part.
bool ReplaceFile(const std::string& from, const std::string& to)
{
#if defined(_WIN32)
    for (int attempt = 0; attempt < kAttempts; ++attempt)
    {
        if (MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        std::this_thread::sleep_for(kPause);
    }
    return false;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

// A name no other writer uses at the same time: this process and a count within it.
std::string TemporaryName(const std::string& path)
{
    static std::atomic<unsigned> count{0};
#if defined(_WIN32)
    const long process = static_cast<long>(_getpid());
#else
    const long process = static_cast<long>(getpid());
#endif
    return path + "." + std::to_string(process) + "." + std::to_string(count.fetch_add(1)) + ".tmp";
}

} // namespace

std::string CSettingsFile::Read(const std::string& key) const
{
    std::string text;
    if (key.empty() || !ReadWhole(m_path, text))
        return {};
    for (const std::string& line : Lines(text))
        if (line.size() > key.size() && line.compare(0, key.size(), key) == 0 && line[key.size()] == '=')
            return line.substr(key.size() + 1);
    return {};
}

bool CSettingsFile::Write(const std::string& key, const std::string& value) const
{
    if (m_path.empty() || key.empty() || key.find_first_of("=\r\n") != std::string::npos ||
        value.find_first_of("\r\n") != std::string::npos || !MakeFoldersFor(m_path))
        return false;
    std::string text, out;
    // The other keys, as they are now. A file that exists but cannot be read is not replaced: its
    // keys would be lost (a damaged or foreign file is read, and its lines kept).
    if (ReadForUpdate(m_path, text) == ERead::Unreadable)
        return false;
    bool replaced = false;
    for (const std::string& line : Lines(text))
    {
        const bool same = line.size() > key.size() && line.compare(0, key.size(), key) == 0 && line[key.size()] == '=';
        if (same && replaced)
            continue;
        out += same ? key + "=" + value : line;
        out += '\n';
        replaced = replaced || same;
    }
    if (!replaced)
        out += key + "=" + value + "\n";

    const std::string temporary = TemporaryName(m_path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    const bool closed = std::fclose(file) == 0;
    if (written && closed && ReplaceFile(temporary, m_path))
        return true;
    std::remove(temporary.c_str());
    return false;
}

std::string CSettingsFile::UserPath(const std::string& folder, const std::string& file)
{
    std::string base;
#if defined(_WIN32)
    if (const char* appData = std::getenv("APPDATA"); appData && *appData)
        base = appData;
#else
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config == '/')
        base = config;
    else if (const char* home = std::getenv("HOME"); home && *home)
        base = std::string(home) + "/.config";
#endif
    if (base.empty())
        return {};
    return base + kSeparator + folder + kSeparator + file;
}
