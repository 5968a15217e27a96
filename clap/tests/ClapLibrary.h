#pragma once
// Loads a plug-in binary as a host does (dlopen, or LoadLibrary under Wine) and finds its symbols.
#include <string>

class CClapLibrary
{
public:
    explicit CClapLibrary(const std::string& path);
    ~CClapLibrary();
    CClapLibrary(const CClapLibrary&) = delete;
    CClapLibrary& operator=(const CClapLibrary&) = delete;

    bool IsLoaded() const { return m_handle != nullptr; }
    void* Symbol(const char* name) const;

private:
    void* m_handle = nullptr;
};
