#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ProcessRun.h"

namespace {

struct HeapCase
{
    const char* name;
    std::optional<std::string> tunables;  // the user's GLIBC_TUNABLES
    const char* expectedTunables;         // as the program's children see it
    bool hugePages;
};

// The allocator of the sanitizers has no brk heap to give huge pages.
constexpr bool kGlibcHeap =
#if defined(__SANITIZE_ADDRESS__)
    false;
#else
    true;
#endif

TEST(HugePageHeapTest, RestartsOnceWithHugePagesAndPutsTheEnvironmentBack)
{
    const HeapCase cases[] = {
        {"no tunables", std::nullopt, "(unset)", kGlibcHeap},
        {"the user's tunables", "glibc.malloc.perturb=0", "glibc.malloc.perturb=0", false},
        {"empty tunables", "", "", false},
    };
    for (const HeapCase& c : cases) {
        const ProcessResult run = RunProcess({HEAP_PROBE, "one", "two words"}, ".",
                                             {{"GLIBC_TUNABLES", c.tunables}, {"VANTORY_HUGE_PAGE_HEAP", std::nullopt}});
        ASSERT_EQ(run.status, 0) << c.name << ": " << run.err;
        EXPECT_EQ(run.out, "argument one\nargument two words\n"
                           "GLIBC_TUNABLES " + std::string(c.expectedTunables) + "\n"
                           "VANTORY_HUGE_PAGE_HEAP (unset)\n"
                           "huge pages " + (c.hugePages ? "yes" : "no") + "\n")
            << c.name;
    }
}

} // namespace
