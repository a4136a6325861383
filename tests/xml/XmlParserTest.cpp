#include <gtest/gtest.h>

#include <string>

#include "TreeDump.h"
#include "xml/XmlEntityTable.h"
#include "xml/XmlParser.h"

namespace {

struct ParseCase
{
    const char* name;
    std::string text;
    std::string tree;  // DumpTree of the top-level node after the parse
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseTree : public testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseTree, BuildsTheExpectedTree)
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    Parse(root, GetParam().text, info);
    EXPECT_EQ(DumpTree(root), GetParam().tree);
    EXPECT_FALSE(info.errorOccurred) << info.errorText;
}

const ParseCase kParseCases[] = {
    {"EmptyText", "", ""},
    {"NoTagAtAll", "just some text", ""},
    {"DeclarationCommentsAndBlankLines",
     "<?xml version=\"1.0\"?>\n\n<!-- a -->\n<!-- b -->\n<root>x</root>", "root=\"x\""},
    {"SingleLetter", "<a>x</a>", "a=\"x\""},
    {"BlanksKeptWithoutTrim", "<a> x </a>", "a=\" x \""},
    {"NoContent", "<a></a>", "a"},
    {"AmpersandReferenceDecoded", "<a>T&amp;J</a>", "a=\"T&J\""},
    {"BackslashEscapesLessThan", "<a>1\\<2</a>", "a=\"1<2\""},
    {"TwoEscapesGiveOne", "<a>x\\\\y</a>", "a=\"x\\y\""},
    {"DecodingIsOnePass", "<a>&amp;lt;</a>", "a=\"&lt;\""},
    {"UnknownReferenceKept", "<a>&nbsp;&#65;&</a>", "a=\"&nbsp;&#65;&\""},
    {"ChildrenInOrderWithSelfClosing", "<a><b>1</b><c/></a>", "a(b=\"1\",c)"},
    {"AttributeWithoutValue", "<a b >x</a>", "a=\"x\"{b=\"\"}"},
    {"QuotedAttributes", "<a x='1 2' y=\"3\"/>", "a{x=\"1 2\",y=\"3\"}"},
    {"UnquotedAttributeUpToBlank", "<a x=1 y=2>t</a>", "a=\"t\"{x=\"1\",y=\"2\"}"},
    {"UnquotedValueKeepsSlash", "<a x=1/><b/>", "a{x=\"1/\"}(b)"},
    {"AttributeReferencesAndEscapes", "<a x=\"&quot;q\\\"\"/>", "a{x=\"\"q\"\"}"},
    {"DuplicateAttributesKept", "<a x=\"1\" x=\"2\"/>", "a{x=\"1\",x=\"2\"}"},
    {"CommentBeforeChild", "<a><!--note--><b/></a>", "a(#COMMENT=\"note\",b)"},
    {"CommentKeptVerbatim", "<a><!-- &amp; \\< --></a>", "a(#COMMENT=\" &amp; \\< \")"},
    {"CdataChild", "<a><![CDATA[1<2 & 3]]>x</a>", "a=\"x\"(#CDATA=\"1<2 & 3\")"},
    {"OpenersIgnoreCase", "<a><![cdata[z]]></a>", "a(#CDATA=\"z\")"},
    {"TextAfterChildLost", "<a>x<b/>y</a>", "a=\"x\"(b)"},
    {"BlankValueReplacedByLaterText", "<a> <b/>y</a>", "a=\"y\"(b)"},
    {"EndsInsideOpenElements", "<a><b><c>t", "a(b(c=\"t\"))"},
    {"ProcessingInstructionInsideSkipped", "<a><?pi x?><b/></a>", "a(b)"},
    {"ClosingTagWithBlank", "<a><b>1</b ></a>", "a=\">\"(b=\"1\")"},
    {"NamesAreVerbatim", "<a:b c-d=\"1\"></a:b>", "a:b{c-d=\"1\"}"},
    {"NonAsciiTextAndNames", "<caf\xc3\xa9>\xe6\x97\xa5\xe6\x9c\xac</caf\xc3\xa9>",
     "caf\xc3\xa9=\"\xe6\x97\xa5\xe6\x9c\xac\""},
    {"TextEndsAtNul", std::string("<a>x\0<b/></a>", 13), "a=\"x\""},
    {"SiblingTopLevelIgnored", "<a/><b/>", "a"},
    {"TextBeforeRootAfterDeclarationTakesNameFromNextChar", "<?x?> hello/>", "ello"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ParseTree, testing::ValuesIn(kParseCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(Parse, ReturnsPositionAfterTheElement)
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    const char* text = "<a><b/></a>tail";
    EXPECT_EQ(Parse(root, text, info), text + 11);

    const char* closing = "  </x>";
    EXPECT_EQ(Parse(root, closing, info), closing + 2);
    EXPECT_EQ(Parse(root, "no tag", info), nullptr);
}

TEST(Parse, TrimOptionTrimsTextAndAttributes)
{
    XmlParseInfo info = DefaultParseInfo();
    info.trimText = true;
    XmlNode root;
    Parse(root, "<a x=\" 1 \">\n  text \n<b>  </b></a>", info);
    EXPECT_EQ(DumpTree(root), "a=\"text\"{x=\"1\"}(b)");
}

TEST(Parse, DecodingAndEscapingCanBeSwitchedOff)
{
    XmlParseInfo info = DefaultParseInfo();
    info.decodeReferences = false;
    info.escapeChar = 0;
    XmlNode root;
    Parse(root, "<a>T&amp;J\\x</a>", info);
    EXPECT_EQ(root.value, "T&amp;J\\x");
}

TEST(Parse, CustomEntityTableInTableOrder)
{
    // "&a" is tried before "&ab", so "&ab" never matches as a whole.
    XmlEntityTable table{MakeXmlEntity('1', "&a"), MakeXmlEntity('2', "&ab"), MakeXmlEntity('3', "#")};
    EXPECT_EQ(DecodeReferences(table, "&ab#&"), "1b3&");
    EXPECT_EQ(DecodeReferences(DefaultEntityTable(), "&lt;&gt;&quot;&apos;&amp;&amp;amp;"), "<>\"'&&amp;");
}

TEST(Parse, ReparsedTopLevelNodeKeepsNonBlankValue)
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    Parse(root, "<first>old<x/></first>", info);
    Parse(root, "<second>new<y/></second>", info);
    // The old value suppresses the new text; the children are the new ones.
    EXPECT_EQ(DumpTree(root), "second=\"old\"(y)");
}

TEST(Parse, ReparsedTopLevelNodeReadsTextWhenValueBlank)
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    for (int i = 0; i < 3; ++i) {
        std::string text = "<r>\n  <i>" + std::to_string(i) + "</i>\n</r>";
        Parse(root, text, info);
        ASSERT_EQ(DumpTree(root), "r=\"\n\"(i=\"" + std::to_string(i) + "\")");
    }
}

TEST(Parse, TreeOutlivesTheText)
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    {
        std::string text = "<a k=\"v\"><b>text</b></a>";
        Parse(root, text, info);
        text.assign(text.size(), 'z');
    }
    EXPECT_EQ(DumpTree(root), "a{k=\"v\"}(b=\"text\")");
}

TEST(Parse, ToleratedMismatchGoesOn)
{
    XmlParseInfo info = DefaultParseInfo();
    info.tolerateMismatch = true;
    XmlNode root;
    Parse(root, "<a><b>1</c><d/></b></a>", info);
    EXPECT_FALSE(info.errorOccurred);
    EXPECT_EQ(DumpTree(root), "a(b=\"1\"(d))");
}

}  // namespace
