#include "LiveObjects.h"

namespace testing_support {

int CountGdiObjects()
{
    int count = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0)
            ++count;
    return count;
}

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM counter)
{
    ++*reinterpret_cast<int*>(counter);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND hwnd, LPARAM counter)
{
    DWORD process = 0;
    GetWindowThreadProcessId(hwnd, &process);
    if (process == GetCurrentProcessId())
    {
        ++*reinterpret_cast<int*>(counter);
        EnumChildWindows(hwnd, &CountChild, counter); // descendants at every depth
    }
    return TRUE;
}

} // namespace

int CountWindows()
{
    int count = 0;
    EnumWindows(&CountTopLevel, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace testing_support
