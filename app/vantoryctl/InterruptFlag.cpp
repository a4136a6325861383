#include "app/vantoryctl/InterruptFlag.h"

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int)
{
    g_interrupted = 1;
}

} // namespace

InterruptFlag::InterruptFlag()
{
    g_interrupted = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking wait returns early, and the loops around it
    // look at the flag soon after.
    action.sa_flags = 0;
    m_installed = sigaction(SIGINT, &action, &m_previous) == 0;
}

InterruptFlag::~InterruptFlag()
{
    if (m_installed)
        sigaction(SIGINT, &m_previous, nullptr);
}

bool InterruptFlag::IsSet() const
{
    return g_interrupted != 0;
}
