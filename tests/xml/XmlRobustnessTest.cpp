#include <gtest/gtest.h>

#include <random>
#include <string>

#include "xml/XmlParser.h"
#include "xml/XmlQuery.h"

namespace {

constexpr int kDepth = 1000000;

TEST(Robustness, MillionNestedElementsParseQueryAndDestroy)
{
    std::string text;
    text.reserve(kDepth * 4 + 8);
    for (int i = 0; i < kDepth; ++i)
        text += "<a>";
    text += "x";

    XmlParseInfo info = DefaultParseInfo();
    {
        XmlNode root;
        Parse(root, text, info);
        const XmlNode* deepest = &root;
        int depth = 1;
        while (!deepest->children.empty()) {
            deepest = deepest->children.First();
            ++depth;
        }
        EXPECT_EQ(depth, kDepth);
        EXPECT_EQ(deepest->value, "x");
        EXPECT_EQ(GetText(root, SharedOutputOptions()), "x");
    }  // destroying the tree must not recurse either
    EXPECT_FALSE(info.errorOccurred);
}

TEST(Robustness, MillionNestedClosedElements)
{
    std::string text;
    for (int i = 0; i < kDepth; ++i)
        text += "<b>";
    for (int i = 0; i < kDepth; ++i)
        text += "</b>";
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    EXPECT_EQ(Parse(root, text, info), text.data() + text.size());
    EXPECT_FALSE(info.errorOccurred);
}

// Random bytes drawn from the characters the parser cares about: whatever
// comes out, the parse ends and the queries work on the partial tree.
TEST(Robustness, RandomMarkupSoup)
{
    const std::string alphabet = "<>/!?-[]='\" \t\n\\&;abcCDATA\xc3\xa9";
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        size_t length = rng() % 200;
        for (size_t i = 0; i < length; ++i)
            text += alphabet[rng() % alphabet.size()];
        XmlParseInfo info = DefaultParseInfo();
        info.trimText = (round & 1) != 0;
        info.tolerateMismatch = (round & 2) != 0;
        XmlNode root;
        Parse(root, text, info);
        GetText(root, SharedOutputOptions());
        for (const XmlNode& c : root.children) {
            GetChild(c, "a");
            GetAttribute(c, "b");
        }
    }
}

}  // namespace
