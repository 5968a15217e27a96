#pragma once
// Runs the built vstrender as a subprocess, the way a user would, and captures what it prints.
#include <string>
#include <sys/types.h>
#include <vector>

struct ToolResult
{
    int exitCode = -1;   // -1 when killed by a signal
    int signal = 0;      // the signal that ended it, or 0
    std::string out;
    std::string err;
};

struct ToolLaunch
{
    std::vector<std::string> arguments;
    std::string program = VSTRENDER_PATH;
    std::string workingDirectory;  // empty: the test's own
    long long fileSizeLimit = -1;  // bytes; writes beyond it fail, as on a full disk
};

class ToolProcess
{
public:
    explicit ToolProcess(const ToolLaunch& launch);
    ~ToolProcess();
    pid_t pid() const { return pid_; }
    ToolResult wait();

private:
    pid_t pid_ = -1;
    std::string outPath_;
    std::string errPath_;
};

ToolResult runTool(const ToolLaunch& launch);
ToolResult runTool(const std::vector<std::string>& arguments);
