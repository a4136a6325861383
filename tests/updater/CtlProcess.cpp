#include "CtlProcess.h"

#include <csignal>
#include <cstdlib>

#include <fcntl.h>
#include <sys/ptrace.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "TestDir.h"

namespace {

constexpr const char* kOut = "ctl.out";
constexpr const char* kErr = "ctl.err";

// The "VmHWM:" of /proc/<pid>/status in kB; 0 when it cannot be read.
long PeakOf(pid_t pid)
{
    const std::string status = ReadFile("/proc/" + std::to_string(pid) + "/status");
    const size_t at = status.find("VmHWM:");
    return at == std::string::npos ? 0 : std::strtol(status.c_str() + at + 6, nullptr, 10);
}

} // namespace

CtlProcess::CtlProcess(const std::vector<std::string>& args, const Options& options)
{
    std::vector<std::string> copies = args;
    copies.insert(copies.begin(), VANTORYCTL_PATH);
    std::vector<char*> argv;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    m_pid = ::fork();
    if (m_pid == 0) {
        const int out = ::open(kOut, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open(kErr, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(err, 2);
        if (!options.server.empty())
            ::setenv("VANTORY_CONTENT_SERVER", options.server.c_str(), 1);
        if (options.addressSpaceMb > 0) {
            // The huge page heap reserves address space of its own; the
            // limit is meant for what the program does.
            ::setenv("GLIBC_TUNABLES", "", 1);
            const rlim_t bytes = static_cast<rlim_t>(options.addressSpaceMb) << 20;
            const rlimit limit{bytes, bytes};
            ::setrlimit(RLIMIT_AS, &limit);
        }
        if (options.measurePeak)
            ::ptrace(PTRACE_TRACEME, 0, nullptr, nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    m_traced = options.measurePeak;
}

CtlProcess::~CtlProcess()
{
    if (!m_waited && m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        Wait();
    }
}

void CtlProcess::Signal(int signal)
{
    ::kill(m_pid, signal);
}

bool CtlProcess::Running() const
{
    siginfo_t info{};
    return ::waitid(P_PID, static_cast<id_t>(m_pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

int CtlProcess::Wait()
{
    int status = 0;
    for (;;) {
        ::waitpid(m_pid, &status, 0);
        if (!m_traced || !WIFSTOPPED(status))
            break;
        // Stopped at its exit, its memory still there; at an exec or for
        // a signal otherwise, which it gets as it would untraced.
        int signal = WSTOPSIG(status);
        if (status >> 8 == (SIGTRAP | (PTRACE_EVENT_EXIT << 8))) {
            m_peakKb = PeakOf(m_pid);
            signal = 0;
        } else if (signal == SIGTRAP) {
            ::ptrace(PTRACE_SETOPTIONS, m_pid, nullptr, PTRACE_O_TRACEEXIT | PTRACE_O_EXITKILL);
            signal = 0;
        }
        ::ptrace(PTRACE_CONT, m_pid, nullptr, signal);
    }
    m_waited = true;
    m_signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    m_out = ReadFile(kOut);
    m_err = ReadFile(kErr);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string CtlProcess::ErrSoFar() const
{
    return ReadFile(kErr);
}
