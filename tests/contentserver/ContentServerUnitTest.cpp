#include <string>

#include <gtest/gtest.h>

#include "tools/contentserver/ListingPages.h"
#include "tools/contentserver/MediaPath.h"
#include "tools/contentserver/UpdateQuery.h"

TEST(UpdateQuery, KeepsIdsAsSentWhateverTheyHold)
{
    const struct {
        const char* query;
        const char* type;
        const char* act;
        const char* cat;
        const char* page;
        const char* pageSize;
    } cases[] = {
        {"a=vantory&t=26&l=EN&act=CAT&cat=&p=1&np=&q=&c=US&h=1", "26", "CAT", "", "1", ""},
        {"a=vantory&t=26&l=EN&act=GAMESCONT&cat=12&p=2&np=30&q=&c=US&h=1", "26", "GAMESCONT",
         "12", "2", "30"},
        {"a=vantory&t=1&l=EN&act=CONT&cat=a?b*c&p=1&np=1&q=&c=US&h=1", "1", "CONT", "a?b*c", "1", "1"},
        {"a=vantory&t=1&l=EN&act=CONT&cat=../x&p=1&np=1&q=", "1", "CONT", "../x", "1", "1"},
        {"a=vantory&t=1&l=EN&act=CONT&cat=x\\y&p=3&np=30", "1", "CONT", "x\\y", "3", "30"},
        {"a=vantory&t=1&act=CONT&cat=R&B&p=2&np=30&q=", "1", "CONT", "R&B", "2", "30"},
        {"a=vantory&t=1&act=CONT&cat=x=y&z&p=2&np=30", "1", "CONT", "x=y&z", "2", "30"},
        {"a=vantory&t=1&act=CONT&cat= 12 &p=1&np=30", "1", "CONT", " 12 ", "1", "30"},
        {"a=vantory&t=1&act=CONT&cat=np=5&p=1&np=30", "1", "CONT", "np=5", "1", "30"},
        {"cat=7&t=2&act=CONT&p=4&np=30", "2", "CONT", "7", "4", "30"},
        {"t=2&act=CAT", "2", "CAT", nullptr, nullptr, nullptr},
        {"t=2&act=CONT&cat=5", "2", "CONT", "5", nullptr, nullptr},
    };
    const auto same = [](const std::optional<std::string>& value, const char* expected) {
        return expected ? value == std::string(expected) : !value;
    };
    for (const auto& c : cases) {
        const UpdateQuery query = ParseUpdateQuery(c.query);
        EXPECT_TRUE(same(query.type, c.type)) << c.query;
        EXPECT_TRUE(same(query.act, c.act)) << c.query;
        EXPECT_TRUE(same(query.cat, c.cat)) << c.query << " cat=" << query.cat.value_or("(none)");
        EXPECT_TRUE(same(query.page, c.page)) << c.query;
        EXPECT_TRUE(same(query.pageSize, c.pageSize)) << c.query;
    }
    EXPECT_EQ(TargetPath("/xml_act.php?a=1&cat=x?y"), "/xml_act.php");
    EXPECT_EQ(TargetQuery("/xml_act.php?a=1&cat=x?y"), "a=1&cat=x?y");
    EXPECT_EQ(TargetQuery("/xml_act.php"), "");
}

TEST(UpdateQuery, DecodesOnlyWellFormedEscapesAndReadsStrictNumbers)
{
    EXPECT_EQ(PercentDecoded("a%3Fb%2fc%20d"), "a?b/c d");
    EXPECT_EQ(PercentDecoded("100%"), "100%");
    EXPECT_EQ(PercentDecoded("%4"), "%4");
    EXPECT_EQ(PercentDecoded("%zz+1"), "%zz+1");
    EXPECT_EQ(PercentDecoded("nul%00byte"), std::string("nul\0byte", 8));

    EXPECT_EQ(ParseQueryNumber("30"), 30);
    EXPECT_EQ(ParseQueryNumber("-1"), -1);
    EXPECT_EQ(ParseQueryNumber("0"), 0);
    for (const char* bad : {"", "-", "1x", " 1", "+1", "1.5", "9999999999"})
        EXPECT_FALSE(ParseQueryNumber(bad)) << bad;
}

TEST(MediaPath, LeadsBelowTheMediaDirectoryOrNowhere)
{
    const struct {
        const char* below;
        const char* path;  // nullptr: refused
    } cases[] = {
        {"logos/52/10017.gif", "media/logos/52/10017.gif"},
        {"java/cat%3F51/1.gif", "media/java/cat_51/1.gif"},
        {"logos_big/52%2F3/1.gif", "media/logos_big/52_3/1.gif"},
        {"logos/52%5C3/1.gif", "media/logos/52_3/1.gif"},
        {"logos/%20%2052%20/1.gif", "media/logos/52/1.gif"},
        {"logos/..%2F..%2Fetc/passwd", "media/logos/.._.._etc/passwd"},
        {"logos/../1.gif", nullptr},
        {"logos/%2E%2E/1.gif", nullptr},
        {"logos/52/..", nullptr},
        {"logos/52/a%2F..%2F..%2Fb.gif", nullptr},
        {"logos/52/a%5Cb.gif", nullptr},
        {"logos/52/a%00.gif", nullptr},
        {"logos/52/", nullptr},
        {"logos/52", nullptr},
        {"logos/52/1.gif/x", nullptr},
        {"etc/52/1.gif", nullptr},
        {"../../etc/passwd", nullptr},
    };
    for (const auto& c : cases) {
        const auto path = MediaFilePath(c.below);
        if (c.path) {
            ASSERT_TRUE(path) << c.below;
            EXPECT_EQ(path->string(), c.path) << c.below;
        } else {
            EXPECT_FALSE(path) << c.below << " gave " << path->string();
        }
    }
}

TEST(ListingPages, SplitsItemsVerbatimAndReadsRootAttributes)
{
    const std::string page =
        "<?xml version=\"1.0\"?>\n<response max_page=\"3\" total_results=\"61\">\n"
        "\t<ressource>\n\t\t<id>1</id>\n\t</ressource>\n"
        "  <ressource><id>2</id></ressource>  \n"
        "<ressource><id>3</id></ressource><tail/>\n"
        "\t<ressource><id>4</id>\n</response>\n";
    const auto items = SplitListingItems(page);
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], "\t<ressource>\n\t\t<id>1</id>\n\t</ressource>\n");
    EXPECT_EQ(items[1], "  <ressource><id>2</id></ressource>  \n");
    EXPECT_EQ(items[2], "<ressource><id>3</id></ressource>");
    EXPECT_EQ(RootAttributeNumber(page, "max_page"), 3);
    EXPECT_EQ(RootAttributeNumber(page, "total_results"), 61);
    EXPECT_EQ(RootAttributeNumber(page, "page"), -1);
    EXPECT_EQ(RootAttributeNumber("<r max_page=\"x\"/>", "max_page"), -1);
    EXPECT_EQ(RootAttributeNumber("", "max_page"), -1);
    EXPECT_TRUE(SplitListingItems("<html>error</html>").empty());
}
