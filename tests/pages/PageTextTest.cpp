#include <gtest/gtest.h>

#include "pages/PageText.h"

namespace {

struct ExtractCase
{
    const char* name;
    const char* text;
    const char* expected;
};

class ExtractBetweenTest : public testing::TestWithParam<ExtractCase>
{
};

TEST_P(ExtractBetweenTest, TakesTheTextBetweenTheFirstMarkers)
{
    const ExtractCase& c = GetParam();
    EXPECT_EQ(ExtractBetween(c.text, "<body>", "</body>"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fragments, ExtractBetweenTest,
    testing::Values(
        ExtractCase{"Plain", "<html><body><td>x</td></body></html>", "<td>x</td>"},
        ExtractCase{"FirstOfEach", "<body>a</body><body>b</body>", "a"},
        ExtractCase{"EmptyBody", "<body></body>", ""},
        ExtractCase{"NoClosingMarker", "<html><body><td>x</td></html>", ""},
        ExtractCase{"ClosingOnlyBeforeOpening", "</body><body>x", ""},
        // Without the opening marker the text is taken from its start.
        ExtractCase{"AttributesDoNotCount", "<body class=\"a\">x</body>", "<body class=\"a\">x"},
        ExtractCase{"CapitalsDoNotCount", "<BODY>x</BODY>", ""},
        ExtractCase{"MultibyteText", "<body>Größe ヒット</body>", "Größe ヒット"}),
    [](const testing::TestParamInfo<ExtractCase>& p) { return std::string(p.param.name); });

TEST(ReplaceAllTest, ReplacesEveryNonOverlappingOccurrenceFromTheStart)
{
    const struct
    {
        const char* text;
        const char* token;
        const char* value;
        const char* expected;
    } cases[] = {
        {"*name* and *name*", "*name*", "Love", "Love and Love"},
        {"aaaa", "aa", "b", "bb"},
        {"aaa", "aa", "b", "ba"},
        {"no token", "*id*", "7", "no token"},
        {"*id*", "*id*", "", ""},
        // The inserted text is not searched again by the same replacement.
        {"*id*", "*id*", "*id**id*", "*id**id*"},
        {"", "*id*", "7", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        ReplaceAll(text, c.token, c.value);
        EXPECT_EQ(text, c.expected) << c.text << " / " << c.token;
    }
}

TEST(ResolvePagePathsTest, RewritesQuotedReferencesInTheirOrder)
{
    const std::string dir = "/home/u/run/";
    const struct
    {
        const char* page;
        const char* expected;
    } cases[] = {
        {"<img src=\"tpl/img/a.png\">", "<img src=\"/home/u/run//tpl/img/a.png\">"},
        {"<img src=\"img/a.png\">", "<img src=\"/home/u/run//tpl/img/a.png\">"},
        {"<link href=\"styles.css\">", "<link href=\"/home/u/run//tpl/styles.css\">"},
        {"<script src=\"hint.js\"></script>", "<script src=\"/home/u/run/hint.js\"></script>"},
        {"<img src=\"../data/logos/1/2.gif\">", "<img src=\"/home/u/run//data/logos/1/2.gif\">"},
        {"Rock &apos;n&apos; roll", "Rock 'n' roll"},
        // Only references right behind a double quote count.
        {"<img src='img/a.png'> <img src=img/b.png>", "<img src='img/a.png'> <img src=img/b.png>"},
        // "styles.css" only as the whole quoted value.
        {"<link href=\"styles.css?v=2\">", "<link href=\"styles.css?v=2\">"},
        // "tpl/img/" is rewritten once, by its own rule, before "img/".
        {"\"tpl/img/x\" \"img/y\"", "\"/home/u/run//tpl/img/x\" \"/home/u/run//tpl/img/y\""},
        {"\"hint.jsx\"", "\"/home/u/run/hint.jsx\""},
        // References side by side, and at both ends of the page.
        {"\"img/\"../data/x\"", "\"/home/u/run//tpl/img/\"/home/u/run//data/x\""},
        {"&apos;&apos;\"img/", "''\"/home/u/run//tpl/img/"},
        {"\"&apos;\"", "\"'\""},
        {"&apos", "&apos"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ResolvePagePaths(c.page, dir), c.expected) << c.page;
}

TEST(ResolvePagePathsTest, AWorkingDirectoryAtTheRoot)
{
    EXPECT_EQ(ResolvePagePaths("\"img/a\" \"hint.js\"", "/"), "\"//tpl/img/a\" \"/hint.js\"");
}

TEST(EncodePathForPageTest, KeepsOrdinaryPathsAndEncodesWhatWouldChangeTheAddress)
{
    EXPECT_EQ(EncodePathForPage("/home/u/run/data/logos/45/123.gif"), "/home/u/run/data/logos/45/123.gif");
    EXPECT_EQ(EncodePathForPage("/home/u/Größe/"), "/home/u/Größe/");
    EXPECT_EQ(EncodePathForPage("/a b/#1/?x/100%/\"q\"/'s'/<t>/&/\\"),
              "/a%20b/%231/%3Fx/100%25/%22q%22/%27s%27/%3Ct%3E/%26/%5C");
    EXPECT_EQ(EncodePathForPage(std::string("a\0b\n", 4)), "a%00b%0A");
}

} // namespace
