#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "catalog/WriteFailures.h"

namespace {

struct SummaryCase
{
    const char* name;
    std::vector<WriteFailures::Failure> failures;
    std::string summary;
};

class WriteFailuresSummaryTest : public testing::TestWithParam<SummaryCase>
{
};

TEST_P(WriteFailuresSummaryTest, SaysHowManyAndWhyWithAPathEach)
{
    WriteFailures failures;
    for (const WriteFailures::Failure& failure : GetParam().failures)
        failures.Add(failure.path, failure.error);
    EXPECT_EQ(failures.Summary(), GetParam().summary);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteFailuresSummaryTest,
    testing::Values(
        SummaryCase{"None", {}, ""},
        SummaryCase{"One", {{"data/logos/cats.xml", EROFS}},
                    "1 file could not be written: Read-only file system (data/logos/cats.xml)."},
        SummaryCase{"OneReason",
                    {{"data/a", ENOSPC}, {"data/b", ENOSPC}, {"data/c", ENOSPC}},
                    "3 files could not be written: No space left on device (data/a and 2 more)."},
        SummaryCase{"ReasonsInTheOrderTheyCame",
                    {{"data/a", EACCES}, {"data/b", ENOSPC}, {"data/c", EACCES}},
                    "3 files could not be written: Permission denied (data/a and 1 more); "
                    "No space left on device (data/b)."},
        SummaryCase{"AtMostThreeReasonsNamed",
                    {{"a", EACCES}, {"b", ENOSPC}, {"c", EROFS}, {"d", EISDIR}, {"e", EIO}},
                    "5 files could not be written: Permission denied (a); No space left on device (b); "
                    "Read-only file system (c); and 2 other reasons."}),
    [](const testing::TestParamInfo<SummaryCase>& param) { return std::string(param.param.name); });

} // namespace
