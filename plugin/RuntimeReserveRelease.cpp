// Every plug-in binary carries its own copy of the C++ runtime (hosts bring whatever runtime they
// were built with, if any). That copy reserves about 70 KB at load for throwing exceptions when memory is
// short, and nothing returns it: a host that loads and unloads the plug-in (scans, reloads,
// sandboxes) would lose it on every unload. Unloading hands it back; no exception is in flight
// by then.
#include <cstddef> // defines __GLIBCXX__ when the runtime is libstdc++
#if defined(__GLIBCXX__)
namespace __gnu_cxx {
void __freeres() noexcept;
}

__attribute__((destructor)) static void ReleaseRuntimeReserve() { __gnu_cxx::__freeres(); }
#endif
