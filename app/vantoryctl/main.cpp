#include <string_view>
#include <vector>

#include "app/startup/HugePageHeap.h"
#include "app/vantoryctl/VantoryCtl.h"

int main(int argc, char** argv)
{
    RestartWithHugePageHeap(argv);
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    return RunVantoryctl(args, stdout, stderr);
}
