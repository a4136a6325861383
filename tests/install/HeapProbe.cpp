// Starts as the programs do, then reports what it runs with: its arguments,
// the two variables of the restart, and whether its heap, grown by small
// blocks as a catalog's is, has been given huge pages.

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "app/startup/HugePageHeap.h"

namespace {

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "(unset)";
}

bool HeapHasHugePages()
{
    std::ifstream maps("/proc/self/smaps");
    // The first VmFlags line after the heap's own line is the heap's.
    bool inHeap = false;
    for (std::string line; std::getline(maps, line);) {
        if (line.ends_with("[heap]"))
            inHeap = true;
        else if (inHeap && line.starts_with("VmFlags:"))
            return line.find(" hg") != std::string::npos;
    }
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    RestartWithHugePageHeap(argv);
    std::vector<std::unique_ptr<std::string>> blocks;
    for (int i = 0; i < 100000; ++i)
        blocks.push_back(std::make_unique<std::string>(40, 'x'));
    for (int i = 1; i < argc; ++i)
        std::printf("argument %s\n", argv[i]);
    std::printf("GLIBC_TUNABLES %s\n", Variable("GLIBC_TUNABLES"));
    std::printf("VANTORY_HUGE_PAGE_HEAP %s\n", Variable("VANTORY_HUGE_PAGE_HEAP"));
    std::printf("huge pages %s\n", HeapHasHugePages() ? "yes" : "no");
    return 0;
}
