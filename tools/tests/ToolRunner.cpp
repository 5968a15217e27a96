#include "ToolRunner.h"

#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string makeCaptureFile()
{
    char name[] = "/tmp/vstrender-capture-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0)
        throw std::runtime_error("cannot create a capture file");
    close(fd);
    return name;
}

std::string slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

ToolProcess::ToolProcess(const ToolLaunch& launch) : outPath_(makeCaptureFile()), errPath_(makeCaptureFile())
{
    std::vector<std::string> argv = {launch.program};
    argv.insert(argv.end(), launch.arguments.begin(), launch.arguments.end());
    std::vector<char*> pointers;
    for (std::string& argument : argv)
        pointers.push_back(argument.data());
    pointers.push_back(nullptr);

    pid_ = fork();
    if (pid_ < 0)
        throw std::runtime_error("fork failed");
    if (pid_ == 0)
    {
        const int out = open(outPath_.c_str(), O_WRONLY | O_TRUNC);
        const int err = open(errPath_.c_str(), O_WRONLY | O_TRUNC);
        dup2(out, STDOUT_FILENO);
        dup2(err, STDERR_FILENO);
        if (!launch.workingDirectory.empty() && chdir(launch.workingDirectory.c_str()) != 0)
            _exit(126);
        if (launch.fileSizeLimit >= 0)
        {
            signal(SIGXFSZ, SIG_IGN); // a failed write, not a killed process
            const rlimit limit{static_cast<rlim_t>(launch.fileSizeLimit), static_cast<rlim_t>(launch.fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        signal(SIGINT, SIG_DFL);
        execv(pointers[0], pointers.data());
        _exit(127);
    }
}

ToolProcess::~ToolProcess()
{
    if (pid_ > 0)
    {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    unlink(outPath_.c_str());
    unlink(errPath_.c_str());
}

ToolResult ToolProcess::wait()
{
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    ToolResult result;
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    result.out = slurp(outPath_);
    result.err = slurp(errPath_);
    return result;
}

ToolResult runTool(const ToolLaunch& launch)
{
    ToolProcess process(launch);
    return process.wait();
}

ToolResult runTool(const std::vector<std::string>& arguments)
{
    ToolLaunch launch;
    launch.arguments = arguments;
    return runTool(launch);
}
