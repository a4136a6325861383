#pragma once

#include <csignal>

// While it exists, SIGINT (Ctrl+C) only sets a flag that the work looks at
// when it lets input through; the previous handling comes back afterwards.
class InterruptFlag
{
public:
    InterruptFlag();
    ~InterruptFlag();
    InterruptFlag(const InterruptFlag&) = delete;
    InterruptFlag& operator=(const InterruptFlag&) = delete;

    // A SIGINT arrived since construction.
    bool IsSet() const;

private:
    struct sigaction m_previous {};
    bool m_installed = false;
};
