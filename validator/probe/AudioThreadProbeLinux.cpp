// The Linux probe: allocator and lock hooks (LinuxAllocationHooks.cpp) and a system-call trap.
// The audio thread runs under a seccomp filter that traps every system call not made from one
// small gadget of ours; the SIGSYS handler counts a call made inside the plug-in and makes it
// fail with ENOSYS, and replays any other call through the gadget, so the thread otherwise
// behaves as usual. The filter belongs to that thread alone and ends with it.
#include "AudioThreadProbe.h"
#include "ProbeCounters.h"
#include <cerrno>
#include <csignal>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <thread>
#if defined(__x86_64__)
#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <ucontext.h>
#endif

#if defined(__x86_64__)
// long ValidatorSyscall(number, a1, a2, a3, a4, a5, a6): the one place allowed to make system
// calls on the watched thread.
asm(R"(
    .text
    .globl ValidatorSyscallBegin
    .globl ValidatorSyscallEnd
    .globl ValidatorSyscall
    .type ValidatorSyscall, @function
ValidatorSyscall:
    mov %rdi, %rax
    mov %rsi, %rdi
    mov %rdx, %rsi
    mov %rcx, %rdx
    mov %r8, %r10
    mov %r9, %r8
    mov 8(%rsp), %r9
ValidatorSyscallBegin:
    syscall
ValidatorSyscallEnd:
    ret
    .size ValidatorSyscall, .-ValidatorSyscall
)");
extern "C" long ValidatorSyscall(long number, long a1, long a2, long a3, long a4, long a5, long a6);
extern "C" char ValidatorSyscallBegin[];
extern "C" char ValidatorSyscallEnd[];
#endif

namespace {

#if defined(__x86_64__)

void OnTrappedSyscall(int, siginfo_t* info, void* context)
{
    auto* registers = static_cast<ucontext_t*>(context)->uc_mcontext.gregs;
    const int number = info->si_syscall;
    if (InsideProbedCall()) {
        ProbeCounters().syscalls[number >= 0 && number < kSyscallSlots ? number : kSyscallSlots - 1].fetch_add(
            1, std::memory_order_relaxed);
        registers[REG_RAX] = -ENOSYS;
        return;
    }
    registers[REG_RAX] = ValidatorSyscall(number, registers[REG_RDI], registers[REG_RSI], registers[REG_RDX],
                                          registers[REG_R10], registers[REG_R8], registers[REG_R9]);
}

// Allows the gadget (the kernel reports the address after its syscall instruction), sigreturn
// and thread exit; traps everything else.
bool InstallSyscallTrap()
{
    const uint64_t gadget = reinterpret_cast<uint64_t>(ValidatorSyscallEnd);
    const auto low = static_cast<uint32_t>(gadget);
    const auto high = static_cast<uint32_t>(gadget >> 32);
    const uint32_t ipLow = offsetof(seccomp_data, instruction_pointer);
    sock_filter program[] = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_rt_sigreturn, 3, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_exit, 2, 0),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_exit_group, 1, 0),
        BPF_JUMP(BPF_JMP | BPF_JA, 1, 0, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, ipLow),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, low, 0, 3),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, ipLow + 4),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, high, 0, 1),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_TRAP),
    };
    sock_fprog filter{static_cast<unsigned short>(sizeof program / sizeof program[0]), program};
    return prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) == 0 && prctl(PR_SET_SECCOMP, SECCOMP_MODE_FILTER, &filter) == 0;
}

void InstallTrapHandler()
{
    struct sigaction action;
    std::memset(&action, 0, sizeof action);
    action.sa_sigaction = OnTrappedSyscall;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGSYS, &action, nullptr);
}

const char* SyscallName(int number)
{
    switch (number) {
    case SYS_read: return "read";
    case SYS_write: return "write";
    case SYS_openat: return "openat";
    case SYS_close: return "close";
    case SYS_mmap: return "mmap";
    case SYS_munmap: return "munmap";
    case SYS_mprotect: return "mprotect";
    case SYS_brk: return "brk";
    case SYS_madvise: return "madvise";
    case SYS_futex: return "futex";
    case SYS_getpid: return "getpid";
    case SYS_gettid: return "gettid";
    case SYS_getppid: return "getppid";
    case SYS_nanosleep: return "nanosleep";
    case SYS_clock_nanosleep: return "clock_nanosleep";
    case SYS_sched_yield: return "sched_yield";
    case SYS_ioctl: return "ioctl";
    case SYS_clock_gettime: return "clock_gettime";
    default: return nullptr;
    }
}

#endif

struct SLinuxProbe
{
    long callsBefore[kWatchedCallCount];
    long syscallsBefore[kSyscallSlots];
    bool trapInstalled = false;
    bool trapFailed = false;
};

std::string Count(long calls) { return std::to_string(calls) + (calls == 1 ? " call" : " calls"); }

} // namespace

CAudioThreadProbe::CAudioThreadProbe(const void*)
{
#if defined(VALIDATOR_SANITIZED)
    m_unavailable = "the sanitizer's allocator replaces the probe's hooks";
    return;
#endif
    auto* state = new SLinuxProbe();
    for (int c = 0; c < kWatchedCallCount; ++c)
        state->callsBefore[c] = ProbeCounters().calls[c].load();
    for (int s = 0; s < kSyscallSlots; ++s)
        state->syscallsBefore[s] = ProbeCounters().syscalls[s].load();
    m_state = state;
#if defined(__x86_64__)
    InstallTrapHandler();
#endif
}

CAudioThreadProbe::~CAudioThreadProbe() { delete static_cast<SLinuxProbe*>(m_state); }

void CAudioThreadProbe::RunOnAudioThread(const std::function<void()>& work)
{
    auto* state = static_cast<SLinuxProbe*>(m_state);
    std::thread audio([&] {
#if defined(__x86_64__)
        if (state && InstallSyscallTrap())
            state->trapInstalled = true;
        else if (state)
            state->trapFailed = true;
#endif
        work();
    });
    audio.join();
}

std::vector<std::string> CAudioThreadProbe::Findings() const
{
    std::vector<std::string> findings;
    const auto* state = static_cast<const SLinuxProbe*>(m_state);
    if (!state)
        return findings;
    for (int c = 0; c < kWatchedCallCount; ++c)
        if (const long calls = ProbeCounters().calls[c].load() - state->callsBefore[c])
            findings.push_back(std::string(WatchedCallName(c)) + ": " + Count(calls));
#if defined(__x86_64__)
    for (int s = 0; s < kSyscallSlots; ++s)
        if (const long calls = ProbeCounters().syscalls[s].load() - state->syscallsBefore[s]) {
            const char* name = SyscallName(s);
            findings.push_back("system call " + std::to_string(s) + (name ? std::string(" (") + name + ")" : "") +
                               ": " + Count(calls));
        }
#endif
    if (state->trapFailed)
        findings.push_back("the system-call trap could not be installed");
    return findings;
}
