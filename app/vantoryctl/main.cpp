#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/startup/HugePageHeap.h"
#include "app/vantoryctl/CtlCommands.h"
#include "app/vantoryctl/VantoryCtl.h"

int main(int argc, char** argv)
{
    RestartWithHugePageHeap(argv);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    int status = RunVantoryctl(args, stdout, stderr);
    if (std::fflush(stdout) != 0 && status == CTL_OK)
        status = CTL_FAILED;
#if defined(__SANITIZE_ADDRESS__)
    return status;  // the leak check runs at exit
#else
    // A loaded catalog is a million strings, and freeing them one by one
    // took a third of a load's time: the system takes the memory back
    // whole.
    std::_Exit(status);
#endif
}
