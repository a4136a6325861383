#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

// vantoryctl run as a user runs it, in the working directory, its output
// kept in files there. Optionally under a limit on its address space, with
// its peak resident memory measured.
class CtlProcess
{
public:
    struct Options
    {
        std::string server;        // VANTORY_CONTENT_SERVER; "" leaves it unset
        long addressSpaceMb = 0;   // RLIMIT_AS in MB; 0: no limit
        bool measurePeak = false;  // stop it at its exit to read its peak resident memory
    };

    CtlProcess(const std::vector<std::string>& args, const Options& options);
    explicit CtlProcess(const std::vector<std::string>& args) : CtlProcess(args, Options{}) {}
    ~CtlProcess();
    CtlProcess(const CtlProcess&) = delete;
    CtlProcess& operator=(const CtlProcess&) = delete;

    void Signal(int signal);
    // Not ended yet (it is not waited for here).
    bool Running() const;

    // The exit status; -1 when a signal ended it (Signaled() tells which).
    int Wait();
    int Signaled() const { return m_signal; }
    // VmHWM at its exit when measured, 0 otherwise. (What wait4 reports
    // would include the test process it was forked from.)
    long PeakResidentKb() const { return m_peakKb; }
    const std::string& Out() const { return m_out; }
    const std::string& Err() const { return m_err; }
    // What it has written to stderr so far.
    std::string ErrSoFar() const;

private:
    pid_t m_pid = -1;
    bool m_traced = false;
    bool m_waited = false;
    int m_signal = 0;
    long m_peakKb = 0;
    std::string m_out;
    std::string m_err;
};
