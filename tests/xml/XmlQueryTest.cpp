#include <gtest/gtest.h>

#include <string>

#include "xml/XmlEntityTable.h"
#include "xml/XmlParser.h"
#include "xml/XmlQuery.h"

namespace {

std::string TextOf(const std::string& xml, const XmlOutputOptions& options = SharedOutputOptions())
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    Parse(root, xml, info);
    return GetText(root, options);
}

struct TextCase
{
    const char* name;
    const char* xml;
    const char* text;
};

void PrintTo(const TextCase& c, std::ostream* os) { *os << c.name; }

class ElementText : public testing::TestWithParam<TextCase>
{
};

TEST_P(ElementText, MatchesTheOutputRules)
{
    EXPECT_EQ(TextOf(GetParam().xml), GetParam().text);
}

const TextCase kTextCases[] = {
    {"ReferenceDecodedThenEncodedAgain", "<a>T&amp;J</a>", "T&amp;J"},
    {"AllFiveCharactersEncoded", "<a>&lt;&gt;&quot;&apos;&amp; \"'></a>", "&lt;&gt;&quot;&apos;&amp; &quot;&apos;&gt;"},
    {"EscapedCharacterIsEncodedToo", "<a>1\\<2</a>", "1&lt;2"},
    {"ExistingReferenceTextIsEncodedAgain", "<a>&amp;amp;</a>", "&amp;amp;"},
    {"EmptyElement", "<a></a>", ""},
    {"ChildrenTextsBeforeOwnText", "<a>x<b>y</b></a>", "yx"},
    {"DeepChildrenInDocumentOrder", "<a>1<b>2<c>3</c></b><d>4</d></a>", "3241"},
    {"CommentContributesNothing", "<a><!--hidden-->x</a>", "x"},
    {"CdataRawThenOwnText", "<a><![CDATA[<&>]]>x</a>", "<&>x"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ElementText, testing::ValuesIn(kTextCases),
                         [](const auto& p) { return std::string(p.param.name); });

TEST(GetText, OptionsApplyToOwnTextOnlyChildrenUseSharedOptions)
{
    XmlOutputOptions plain{false, nullptr};
    EXPECT_EQ(TextOf("<a>&amp;<b>&lt;</b></a>", plain), "&lt;&");
}

TEST(GetText, NodeTypesWithoutElementRules)
{
    XmlNode node;
    node.value = "<x>";
    node.type = XmlCdata;
    EXPECT_EQ(GetText(node, SharedOutputOptions()), "<x>");
    node.type = XmlComment;
    EXPECT_EQ(GetText(node, SharedOutputOptions()), "");
    node.type = XmlProcessingInstruction;
    EXPECT_EQ(GetText(node, SharedOutputOptions()), "");
    node.type = static_cast<XmlNodeType>(9);
    EXPECT_EQ(GetText(node, SharedOutputOptions()), "");
}

TEST(GetText, DocumentPassesItsOwnOptionsToChildren)
{
    XmlNode doc;
    doc.type = XmlDocument;
    doc.value = "ignored";
    XmlNode element(&doc, XmlElement, nullptr);
    element.value = "&";
    doc.children.Append(&element);
    XmlNode inner(&element, XmlElement, nullptr);
    inner.value = "<";
    element.children.Append(&inner);

    // The element gets the document's options; its own child always the shared ones.
    XmlOutputOptions plain{false, nullptr};
    EXPECT_EQ(GetText(doc, plain), "&lt;&");
    EXPECT_EQ(GetText(doc, SharedOutputOptions()), "&lt;&amp;");
}

TEST(Lookups, ExactNamesInDocumentOrder)
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode root;
    Parse(root, "<r a=\"1\" A=\"2\" a=\"3\"><item>1</item><Item>2</Item><item>3</item></r>", info);

    const XmlNode* first = GetChild(root, "item");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->value, "1");
    EXPECT_EQ(GetChild(root, "ITEM"), nullptr);

    auto items = GetChildren(root, "item");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0]->value, "1");
    EXPECT_EQ(items[1]->value, "3");
    EXPECT_TRUE(GetChildren(root, "none").empty());

    ASSERT_NE(GetAttribute(root, "a"), nullptr);
    EXPECT_EQ(GetAttribute(root, "a")->value, "1");
    EXPECT_EQ(GetAttribute(root, "A")->value, "2");
    EXPECT_EQ(GetAttribute(root, "b"), nullptr);
    EXPECT_EQ(first->parent, &root);
    EXPECT_EQ(GetAttribute(root, "a")->owner, &root);
}

TEST(EncodeReferences, UnchangedWithoutSpecialCharactersOrTable)
{
    EXPECT_EQ(EncodeReferences(&DefaultEntityTable(), "plain text \xc3\xa9"), "plain text \xc3\xa9");
    EXPECT_EQ(EncodeReferences(nullptr, "a&b"), "a&b");
    EXPECT_EQ(EncodeReferences(&DefaultEntityTable(), "a&b<"), "a&amp;b&lt;");
}

}  // namespace
