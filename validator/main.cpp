// vstvalidate: drives a VST 2 plug-in binary through what hosts really do, including what they
// should not do, and prints one line per case and a summary.
//   vstvalidate [--list] [--case TEXT] [--thread-seconds S] PLUGIN
#include "PluginLibrary.h"
#include "ValidatorCase.h"
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

const char* g_runningCase = nullptr;
constexpr size_t kFailuresShown = 8;

// A crash ends the run, but the report still says which case caused it.
void ReportCrash(const char* what)
{
    std::fprintf(stdout, "CRASH %s: %s\n", g_runningCase ? g_runningCase : "(between cases)", what);
    std::fflush(stdout);
    std::_Exit(3);
}

#if defined(_WIN32)
LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* info)
{
    char text[64];
    std::snprintf(text, sizeof text, "exception 0x%08lx",
                  static_cast<unsigned long>(info->ExceptionRecord->ExceptionCode));
    ReportCrash(text);
    return EXCEPTION_EXECUTE_HANDLER;
}
void InstallCrashReport() { SetUnhandledExceptionFilter(OnUnhandledException); }
#else
void OnSignal(int signal) { ReportCrash(signal == SIGSEGV ? "segmentation fault" : signal == SIGFPE ? "arithmetic fault" : "abort"); }
void InstallCrashReport()
{
    std::signal(SIGSEGV, OnSignal);
    std::signal(SIGFPE, OnSignal);
    std::signal(SIGBUS, OnSignal);
}
#endif

int Usage(const char* problem)
{
    if (problem)
        std::fprintf(stderr, "vstvalidate: %s\n", problem);
    std::fprintf(stderr, "usage: vstvalidate [--list] [--case TEXT] [--thread-seconds S] PLUGIN\n");
    return 2;
}

std::string FullName(const SValidatorCase& c) { return std::string(c.group) + "/" + c.name; }

} // namespace

int main(int argc, char** argv)
{
    std::string pluginPath;
    std::string filter;
    bool listOnly = false;
    double threadSeconds = 10.0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--list") {
            listOnly = true;
        } else if (arg == "--case" && i + 1 < argc) {
            filter = argv[++i];
        } else if (arg == "--thread-seconds" && i + 1 < argc) {
            char* end = nullptr;
            threadSeconds = std::strtod(argv[++i], &end);
            if (!end || *end || !(threadSeconds > 0.0))
                return Usage("--thread-seconds needs a positive number of seconds");
        } else if (!arg.empty() && arg[0] == '-') {
            return Usage(("unknown option " + arg).c_str());
        } else if (pluginPath.empty()) {
            pluginPath = arg;
        } else {
            return Usage("only one plug-in at a time");
        }
    }
    if (listOnly) {
        for (const SValidatorCase& c : RegisteredCases())
            std::printf("%s\n", FullName(c).c_str());
        return 0;
    }
    if (pluginPath.empty())
        return Usage("no plug-in given");

    PluginLibrary library(pluginPath);
    VstPluginMainProc entry = library.IsLoaded() ? library.Entry("VSTPluginMain") : nullptr;
    if (!entry) {
        std::fprintf(stderr, "vstvalidate: %s: %s\n", pluginPath.c_str(),
                     library.IsLoaded() ? "exports no VSTPluginMain" : "cannot be loaded");
        return 2;
    }

    InstallCrashReport();
    std::setvbuf(stdout, nullptr, _IOLBF, 4096);
    const auto started = std::chrono::steady_clock::now();
    int passed = 0;
    int failed = 0;
    int skipped = 0;
    for (const SValidatorCase& c : RegisteredCases()) {
        const std::string name = FullName(c);
        if (!filter.empty() && name.find(filter) == std::string::npos)
            continue;
        g_runningCase = name.c_str();
        CCaseContext context(entry, threadSeconds, pluginPath);
        c.body(context);
        context.CloseAll();
        g_runningCase = nullptr;

        if (context.Skipped() && !context.Failed()) {
            std::printf("skip  %s  (%s)\n", name.c_str(), context.SkipReason().c_str());
            ++skipped;
            continue;
        }
        std::string line = (context.Failed() ? "FAIL  " : "ok    ") + name;
        for (const std::string& note : context.Notes())
            line += "  (" + note + ")";
        // One fault met at every parameter would bury the others: the first few say enough.
        const std::vector<std::string>& failures = context.Failures();
        for (size_t i = 0; i < failures.size() && i < kFailuresShown; ++i)
            line += "\n        - " + failures[i];
        if (failures.size() > kFailuresShown)
            line += "\n        - and " + std::to_string(failures.size() - kFailuresShown) + " more";
        std::printf("%s\n", line.c_str());
        (context.Failed() ? failed : passed) += 1;
    }
    if (passed + failed + skipped == 0)
        return Usage(("no case matches " + filter).c_str());
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("%d cases: %d passed, %d failed, %d skipped (%.1f s)\n", passed + failed + skipped, passed, failed,
                skipped, seconds);
    return failed ? 1 : 0;
}
