#include <gtest/gtest.h>

#include <clocale>
#include <cstdint>
#include <string>
#include <wctype.h>

#include "catalog/CatalogText.h"
#include "catalog/UnicodeCase.h"

namespace {

std::string Capitalised(std::string s)
{
    CapitaliseFirst(s);
    return s;
}

TEST(CatalogTextTest, CapitaliseFirstCodePoint)
{
    struct Case { std::string in, out; };
    const Case cases[] = {
        {"", ""},
        {"a", "A"},
        {"Zz", "Zz"},
        {"\xC3\xBF" "x", "\xC5\xB8" "x"},          // y with diaeresis, two bytes both ways
        {"\xC9\x90", "\xE2\xB1\xAF"},              // turned a grows to three bytes
        {"\xC4\xB1" "b", "Ib"},                    // dotless i shrinks to one byte
        {"\xC3\x9F", "\xC3\x9F"},                  // sharp s has no simple upper case
        {"\xD1\x8F", "\xD0\xAF"},                  // Cyrillic ya
        {"\xF0\x9E\xA4\xA2", "\xF0\x9E\xA4\x80"},  // Adlam, four bytes
        {"\xC3", "\xC3"},                          // truncated sequence
        {"\xC0\xA1", "\xC0\xA1"},                  // overlong '!'
        {"\xED\xA0\x80", "\xED\xA0\x80"},          // surrogate
        {"\x80" "a", "\x80" "a"},                  // stray continuation byte
    };
    for (const Case& c : cases)
        EXPECT_EQ(Capitalised(c.in), c.out) << c.in;
}

// The table against the C library's own mapping, for every code point; also
// checks that upper-casing twice changes nothing, which cache reloads rely on.
TEST(CatalogTextTest, UpperTableMatchesLocaleAndIsIdempotent)
{
    locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const char32_t upper = UpperCodePoint(c);
        const auto code = static_cast<uint32_t>(c);
        ASSERT_EQ(static_cast<uint32_t>(UpperCodePoint(upper)), static_cast<uint32_t>(upper)) << code;
        if (utf8) {
            ASSERT_EQ(static_cast<uint32_t>(upper),
                      static_cast<uint32_t>(towupper_l(static_cast<wint_t>(c), utf8))) << code;
        }
    }
    if (utf8)
        freelocale(utf8);
    else
        GTEST_SKIP() << "no C.UTF-8 locale to compare with";
}

struct StorableCase
{
    const char* name;
    std::string in;
    std::string out;
};

class StorableValueTest : public testing::TestWithParam<StorableCase> {};

TEST_P(StorableValueTest, FitsOneCacheLine)
{
    std::string value = GetParam().in;
    MakeStorableValue(value);
    EXPECT_EQ(value, GetParam().out);
    std::string again = value;
    MakeStorableValue(again);
    EXPECT_EQ(again, value);
}

const std::string kFill(MAX_STORED_VALUE - 3, 'x');

INSTANTIATE_TEST_SUITE_P(Cases, StorableValueTest, testing::Values(
    StorableCase{"Untouched", "plain <b> &lt;", "plain <b> &lt;"},
    StorableCase{"LineBreaks", "\r\na\rb\n", "  a b "},
    StorableCase{"ExactlyAtLimit", kFill + "abc", kFill + "abc"},
    StorableCase{"OneByteOver", kFill + "abcd", kFill + "abc"},
    // A two-byte sequence across the limit goes whole.
    StorableCase{"TwoByteAcross", kFill + "ab\xC3\xA9", kFill + "ab"},
    StorableCase{"ThreeByteEndsAtLimit", kFill + "\xE2\x82\xAC" "z", kFill + "\xE2\x82\xAC"},
    StorableCase{"FourByteAcross", kFill + "a\xF0\x9F\x98\x80", kFill + "a"},
    StorableCase{"FourByteFromLastByte", kFill + "ab" "\xF0\x9F\x98\x80", kFill + "ab"},
    // Continuation bytes without a lead are no sequence: a plain cut.
    StorableCase{"StrayContinuations", kFill + "\x80\x80\x80\x80\x80", kFill + "\x80\x80\x80"},
    StorableCase{"LineBreakBeforeCut", kFill + "\nbcd", kFill + " bc"}),
    [](const testing::TestParamInfo<StorableCase>& p) { return std::string(p.param.name); });

TEST(CatalogTextTest, CleanDescriptionIsIdempotent)
{
    const std::string tricky[] = {"&lt;b&gt;x&lt;/b&gt;", "&&lt;lt;", "<<b>b>", "&lt;/b&gt;>",
                                  "<</b>/b>", "&amp;lt;b&amp;gt;", "a\r\n<b>\r</b>"};
    for (const std::string& in : tricky) {
        std::string once = in;
        CleanDescription(once);
        std::string twice = once;
        CleanDescription(twice);
        EXPECT_EQ(twice, once) << in;
    }
}

} // namespace
