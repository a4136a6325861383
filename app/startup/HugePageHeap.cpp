#include "app/startup/HugePageHeap.h"

#include <cstdlib>

#include <unistd.h>

namespace {

// Set only between the restart and its return in the new process.
constexpr char kRestarted[] = "VANTORY_HUGE_PAGE_HEAP";
constexpr char kTunables[] = "GLIBC_TUNABLES";
// Huge pages for the heap, grown 64 MB at a time so that they fill.
constexpr char kHugePageHeap[] = "glibc.malloc.hugetlb=1:glibc.malloc.top_pad=67108864";

void ForgetRestart()
{
    unsetenv(kRestarted);
    unsetenv(kTunables);
}

} // namespace

void RestartWithHugePageHeap(char** argv)
{
#ifdef __GLIBC__
    if (std::getenv(kRestarted)) {
        ForgetRestart();
        return;
    }
    if (std::getenv(kTunables))
        return;  // the user's choice stands
    if (setenv(kTunables, kHugePageHeap, 1) == 0 && setenv(kRestarted, "1", 1) == 0)
        execv("/proc/self/exe", argv);
    ForgetRestart();
#else
    (void)argv;
#endif
}
