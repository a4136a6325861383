#include <gtest/gtest.h>

#include <string>

#include "search/TextFinder.h"

namespace {

// The vector search agrees with the plain one everywhere: needles of every
// length, at every position around its 32-byte blocks, and absent ones.
TEST(TextFinderTest, AgreesWithThePlainSearchAtEveryPosition)
{
    std::string haystack;
    for (int i = 0; i < 300; ++i)
        haystack += static_cast<char>('a' + (i * 7 + i / 13) % 5);
    for (size_t length = 0; length <= 40; ++length) {
        for (size_t at = 0; at + length <= haystack.size(); at += 3) {
            const std::string needle = haystack.substr(at, length);
            for (size_t from : {size_t{0}, at / 2}) {
                const std::string_view text = std::string_view(haystack).substr(from);
                EXPECT_EQ(TextFinder(needle).Find(text), text.find(needle)) << length << " " << at;
            }
        }
    }
    for (const char* absent : {"z", "zz", "abz", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaz"})
        EXPECT_EQ(TextFinder(absent).Find(haystack), std::string_view::npos) << absent;
    EXPECT_EQ(TextFinder("abc").Find("ab"), std::string_view::npos);
    EXPECT_EQ(TextFinder("").Find("abc"), 0u);
    // Bytes above 127 compare as themselves.
    const std::string utf8 = std::string(40, 'x') + "\xc3\xa9t\xc3\xa9";
    EXPECT_EQ(TextFinder("\xc3\xa9t").Find(utf8), 40u);
}

} // namespace
