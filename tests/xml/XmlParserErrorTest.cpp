#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TreeDump.h"
#include "xml/XmlParser.h"

namespace {

struct ErrorCase
{
    const char* name;
    const char* text;
    int32_t code;
    const char* message;
    size_t offset;     // of the recorded error position in the text
    const char* tree;  // what was built before the parse stopped
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

class ParseError : public testing::TestWithParam<ErrorCase>
{
};

TEST_P(ParseError, RecordsCodeTextAndPositionAndKeepsPartialTree)
{
    const ErrorCase& c = GetParam();
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    EXPECT_EQ(Parse(root, c.text, info), nullptr);
    EXPECT_TRUE(info.errorOccurred);
    EXPECT_EQ(info.errorCode, c.code);
    EXPECT_EQ(info.errorText, c.message);
    ASSERT_NE(info.errorPosition, nullptr);
    EXPECT_EQ(static_cast<size_t>(info.errorPosition - c.text), c.offset);
    EXPECT_EQ(DumpTree(root), c.tree);
}

const ErrorCase kErrorCases[] = {
    {"SlashNotFollowedByGreater", "<a /x>", 1, "Element must be closed.", 4, "a"},
    {"ClosingNameNeverEnds", "<a><b>1</b", 2, "it must be closed with </b>", 9, "a(b=\"1\")"},
    {"MismatchedClosingTag", "<a><b>1</c></b></a>", 3, "'<b> ... </c>' is not wel-formed.", 11,
     "a(b=\"1\")"},
    {"AttributeNameWithoutDelimiter", "<a><b c>t</b></a>", 4, "<b> attribute has error ", 6, "a(b)"},
    {"BlankAtEndOfStartTag", "<a ", 4, "<a> attribute has error ", 3, "a"},
    {"NestedErrorKeepsAllAncestors", "<r><s><t k=\"v\" /y></s></r>", 1, "Element must be closed.", 16,
     "r(s(t{k=\"v\"}))"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ParseError, testing::ValuesIn(kErrorCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(ParseErrorRecord, OnlyTheFirstErrorIsKept)
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    Parse(root, "<a /x>", info);
    Parse(root, "<a><b></c></a>", info);
    EXPECT_EQ(info.errorCode, 1);
    EXPECT_EQ(info.errorText, "Element must be closed.");

    // The second parse still stopped at its own error.
    EXPECT_EQ(DumpTree(root), "a(b)");
}

TEST(ParseErrorRecord, MissingEndsOfSpecialConstructsRunToTheEnd)
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    Parse(root, "<a><!-- never closed", info);
    EXPECT_EQ(DumpTree(root), "a(#COMMENT=\" never closed\")");
    Parse(root, "<a><![CDATA[open", info);
    EXPECT_EQ(DumpTree(root), "a(#CDATA=\"open\")");
    Parse(root, "<a x=\"open", info);
    EXPECT_EQ(DumpTree(root), "a{x=\"open\"}");
    Parse(root, "<?xml never closed", info);
    EXPECT_EQ(DumpTree(root), "a");  // name and value of a top-level node stay
    EXPECT_FALSE(info.errorOccurred);
}

// Every prefix of a document exercising each construct parses without a
// crash or a read past the end (the sanitizer build checks the reads), and
// a prefix never produces more elements than the whole document.
TEST(ParseErrorRecord, EveryPrefixOfEveryConstruct)
{
    const std::string doc =
        "<?xml version=\"1.0\"?><!-- c --><root a='1' b=\"2\\\"\" c=3 d>"
        "text &amp; \\< more<![CDATA[x<y]]><!--in--><e/><f g=\"h\">i</f >"
        "<j></k></root>";
    for (size_t n = 0; n <= doc.size(); ++n) {
        std::string prefix = doc.substr(0, n);
        XmlParseInfo info = DefaultParseInfo();
        info.tolerateMismatch = (n % 2) == 0;
        XmlNode root;
        const char* end = Parse(root, prefix, info);
        if (end) {
            EXPECT_GE(end, prefix.data());
            EXPECT_LE(end, prefix.data() + prefix.size());
        }
        EXPECT_LE(root.children.size(), 7u) << n;
    }
}

}  // namespace
