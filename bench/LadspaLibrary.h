#pragma once
// A LADSPA plug-in library found by what it contains rather than by its file name: the search path
// is scanned and every library's descriptors are compared by label and by name.
#include <ladspa.h>

#include <memory>
#include <string>
#include <vector>

class LadspaLibrary
{
public:
    explicit LadspaLibrary(const std::string& path); // throws BenchError
    ~LadspaLibrary();
    LadspaLibrary(const LadspaLibrary&) = delete;
    LadspaLibrary& operator=(const LadspaLibrary&) = delete;

    const std::string& path() const { return path_; }
    // The descriptor whose label or name is labelOrName, or null.
    const LADSPA_Descriptor* find(const std::string& labelOrName) const;

private:
    std::string path_;
    void* handle_ = nullptr;
    LADSPA_Descriptor_Function descriptors_ = nullptr;
};

// LADSPA_PATH when set, else the usual install folders.
std::vector<std::string> ladspaSearchPath();

// The first library on the search path holding labelOrName. BenchError naming the Debian package
// to install when none does.
std::unique_ptr<LadspaLibrary> openLadspaLibraryWith(const std::string& labelOrName, const std::string& package);
