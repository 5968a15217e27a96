// The Windows probe: every function the plug-in module imports is redirected through a thunk of
// ours that counts the call and jumps on to the original. Thunks touch neither the stack nor any
// register but the flags, so every calling convention passes through unchanged. A CProbedCall
// scope adds what was called during it to the findings; pure functions (memory copies, maths)
// are allowed, any other import (KERNEL32, the C runtime's allocator and locks, USER32, ...) is a
// finding.
#include "AudioThreadProbe.h"
#include <windows.h>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {
constexpr int kThunkCount = 1024;
constexpr int kThunkBytes = 16;
} // namespace

extern "C" {
volatile LONG g_importCalls[kThunkCount];
void* g_importTargets[kThunkCount];
extern char g_importThunks[];
}

#if defined(__x86_64__)
asm(R"(
    .text
    .balign 16
    .globl g_importThunks
g_importThunks:
    .set thunkIndex, 0
    .rept 1024
    .balign 16
    lock incl g_importCalls+4*thunkIndex(%rip)
    jmp *g_importTargets+8*thunkIndex(%rip)
    .set thunkIndex, thunkIndex+1
    .endr
)");
#elif defined(__i386__)
asm(R"(
    .text
    .balign 16
    .globl _g_importThunks
_g_importThunks:
    .set thunkIndex, 0
    .rept 1024
    .balign 16
    lock incl _g_importCalls+4*thunkIndex
    jmp *_g_importTargets+4*thunkIndex
    .set thunkIndex, thunkIndex+1
    .endr
)");
#else
#error "import thunks exist for i686 and x86_64"
#endif

namespace {

struct SHookedImport
{
    void** slot; // the entry in the module's import address table
    std::string name; // "KERNEL32.dll!Sleep"
};

struct SWindowsProbe
{
    std::vector<SHookedImport> hooks;
    std::map<int, long> calledInside; // thunk -> calls inside CProbedCall scopes
};

SWindowsProbe* g_probe = nullptr; // one probe at a time: the thunks are global
thread_local LONG t_callsBefore[kThunkCount];

// Functions without side effects beyond their arguments, which processing may call.
bool IsPure(const std::string& function)
{
    static const std::set<std::string> pure = {
        "memcpy", "memmove", "memset", "memcmp", "memchr", "strlen", "abs", "labs", "fabs", "fabsf",
        "sin", "cos", "tan", "asin", "acos", "atan", "atan2", "sinh", "cosh", "tanh", "exp", "log", "log10",
        "pow", "sqrt", "floor", "ceil", "fmod", "modf", "frexp", "ldexp", "sinf", "cosf", "tanf", "expf",
        "logf", "log10f", "powf", "sqrtf", "floorf", "ceilf", "fmodf", "atan2f", "_isnan", "_finite", "_hypot",
        "_CIsin", "_CIcos", "_CItan", "_CIatan", "_CIatan2", "_CIexp", "_CIlog", "_CIlog10", "_CIpow", "_CIsqrt",
        "_CIfmod"};
    return pure.count(function) != 0;
}

std::string ImportName(BYTE* base, const IMAGE_THUNK_DATA& lookup)
{
    if (IMAGE_SNAP_BY_ORDINAL(lookup.u1.Ordinal))
        return "#" + std::to_string(IMAGE_ORDINAL(lookup.u1.Ordinal));
    return reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + lookup.u1.AddressOfData)->Name;
}

void WriteSlot(void** slot, void* value)
{
    DWORD previous = 0;
    VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &previous);
    *slot = value;
    VirtualProtect(slot, sizeof *slot, previous, &previous);
}

// Points every import address table entry of `module` at a thunk; returns false when there were
// more imports than thunks (those beyond stay unwatched).
bool HookImports(HMODULE module, SWindowsProbe& probe)
{
    BYTE* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* headers = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress == 0)
        return true;
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         library->Name != 0; ++library) {
        const std::string libraryName = reinterpret_cast<const char*>(base + library->Name);
        auto* lookup = reinterpret_cast<IMAGE_THUNK_DATA*>(
            base + (library->OriginalFirstThunk ? library->OriginalFirstThunk : library->FirstThunk));
        auto* addresses = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (int i = 0; lookup[i].u1.AddressOfData != 0; ++i) {
            const int thunk = static_cast<int>(probe.hooks.size());
            if (thunk == kThunkCount)
                return false;
            void** slot = reinterpret_cast<void**>(&addresses[i].u1.Function);
            g_importTargets[thunk] = *slot;
            probe.hooks.push_back({slot, libraryName + "!" + ImportName(base, lookup[i])});
            WriteSlot(slot, g_importThunks + thunk * kThunkBytes);
        }
    }
    return true;
}

std::string FunctionOf(const std::string& import) { return import.substr(import.find('!') + 1); }

} // namespace

CAudioThreadProbe::CAudioThreadProbe(const void* addressInPlugin)
{
    HMODULE module = nullptr;
    if (g_probe) {
        m_unavailable = "another probe is active";
        return;
    }
    if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<const char*>(addressInPlugin), &module)) {
        m_unavailable = "the plug-in's module cannot be found";
        return;
    }
    auto* probe = new SWindowsProbe();
    if (!HookImports(module, *probe))
        m_unavailable = "the plug-in imports more functions than the probe has thunks";
    g_probe = probe;
    m_state = probe;
}

CAudioThreadProbe::~CAudioThreadProbe()
{
    auto* probe = static_cast<SWindowsProbe*>(m_state);
    if (!probe)
        return;
    for (size_t thunk = 0; thunk < probe->hooks.size(); ++thunk)
        WriteSlot(probe->hooks[thunk].slot, g_importTargets[thunk]);
    g_probe = nullptr;
    delete probe;
}

void CAudioThreadProbe::RunOnAudioThread(const std::function<void()>& work)
{
    std::thread audio(work);
    audio.join();
}

std::vector<std::string> CAudioThreadProbe::Findings() const
{
    std::vector<std::string> findings;
    const auto* probe = static_cast<const SWindowsProbe*>(m_state);
    if (!probe)
        return findings;
    for (const auto& [thunk, calls] : probe->calledInside) {
        const std::string& name = probe->hooks[static_cast<size_t>(thunk)].name;
        if (!IsPure(FunctionOf(name)))
            findings.push_back(name + ": " + std::to_string(calls) + (calls == 1 ? " call" : " calls"));
    }
    return findings;
}

CProbedCall::CProbedCall()
{
    if (g_probe)
        for (size_t thunk = 0; thunk < g_probe->hooks.size(); ++thunk)
            t_callsBefore[thunk] = g_importCalls[thunk];
}

CProbedCall::~CProbedCall()
{
    if (g_probe)
        for (size_t thunk = 0; thunk < g_probe->hooks.size(); ++thunk)
            if (const LONG calls = g_importCalls[thunk] - t_callsBefore[thunk])
                g_probe->calledInside[static_cast<int>(thunk)] += calls;
}
