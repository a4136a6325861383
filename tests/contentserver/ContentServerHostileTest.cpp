#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CurlClient.h"
#include "ServedContent.h"
#include "catalog/CatalogPaths.h"
#include "tools/contentserver/HostileContent.h"
#include "tools/contentserver/ListingPages.h"
#include "xml/XmlParser.h"
#include "xml/XmlQuery.h"

namespace {

// The group ids of an index as the program reads them.
std::vector<std::string> ProgramIds(const std::string& index)
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode tree;
    Parse(tree, index, info);
    std::vector<std::string> ids;
    for (const XmlNode* group : GetChildren(tree, "ressource"))
        if (const XmlNode* id = GetChild(*group, "id"))
            ids.push_back(GetText(*id, SharedOutputOptions()));
    return ids;
}

std::vector<std::string> ChildTexts(const std::string& page, const char* name)
{
    XmlParseInfo info = DefaultParseInfo();
    XmlNode tree;
    Parse(tree, page, info);
    std::vector<std::string> texts;
    for (const XmlNode* item : GetChildren(tree, "ressource"))
        if (const XmlNode* child = GetChild(*item, name))
            texts.push_back(GetText(*child, SharedOutputOptions()));
    return texts;
}

} // namespace

TEST(ContentServerHostileIds, TheProgramReadsEachHostileIdAsMeantAndGetsItsListing)
{
    ContentServerOptions options;
    options.hostileIds = true;
    ServedContent content(ServedContent::SmallCatalog(), options);
    const std::vector<std::string> expected = {"..",   "../x",  "/abs/x", "a/../../b",
                                               "x\\y", "a?b*c", " 12 ",   "nul"};

    for (const int code : {1, 15, 26}) {
        const std::string index = Fetch(content.Port(), UpdateTarget(code, "CAT", "", 1, "")).body;
        const std::string onDisk = ReadFile(content.TypeDir(code) / "cats.xml");
        // The groups on disk first, unchanged; the hostile ones after them.
        EXPECT_EQ(index.substr(0, onDisk.size() - 12), onDisk.substr(0, onDisk.size() - 12));
        std::vector<std::string> ids = ProgramIds(index);
        ASSERT_EQ(ids.size(), 3 + expected.size()) << code;
        ids.erase(ids.begin(), ids.begin() + 3);
        EXPECT_EQ(ids, expected) << code;

        for (std::size_t g = 0; g < ids.size(); ++g) {
            const std::string id(TrimBlanks(ids[g]));
            const std::string info = Fetch(content.Port(), InfoTarget(code, id)).body;
            EXPECT_EQ(RootAttributeNumber(info, "total_results"), 3) << code << " '" << id << "'";
            const std::string page = Fetch(content.Port(), PageTarget(code, id, 1)).body;
            EXPECT_EQ(ChildTexts(page, "id"),
                      (std::vector<std::string>{"9" + std::to_string(g + 1) + "001",
                                                "../../../escape" + std::to_string(g + 1),
                                                "/abs/pic" + std::to_string(g + 1)}))
                << code << " '" << id << "'";
            for (const std::string& address : ChildTexts(page, code == 26 ? "screenbox" : "file")) {
                ASSERT_EQ(address.rfind(content.Server().Origin(), 0), 0u) << address;
                const FetchReply picture =
                    Fetch(content.Port(), address.substr(content.Server().Origin().size()));
                EXPECT_EQ(picture.status, code == 15 ? 404 : 200) << address;
                if (code != 15) {
                    EXPECT_EQ(picture.body.rfind("GIF89a", 0), 0u) << address;
                }
            }
        }
    }
    // The NUL byte itself, when a client sends it encoded.
    EXPECT_EQ(Fetch(content.Port(), InfoTarget(1, "nul%00byte")).status, 200);

    content.Server().SetHostileIds(false);
    EXPECT_EQ(Fetch(content.Port(), InfoTarget(1, "a?b*c")).status, 404);
    EXPECT_EQ(ProgramIds(Fetch(content.Port(), UpdateTarget(1, "CAT", "", 1, "")).body).size(), 3u);
}

TEST(ContentServerHostileIds, TheNulGroupComesLastSoThatAReaderStoppingThereLosesOnlyIt)
{
    ASSERT_FALSE(HostileGroups().empty());
    const std::string& last = HostileGroups().back().id;
    EXPECT_NE(last.find('\0'), std::string::npos);
    for (std::size_t g = 0; g + 1 < HostileGroups().size(); ++g)
        EXPECT_EQ(HostileGroups()[g].id.find('\0'), std::string::npos);
    const std::string fragment = HostileIndexFragment(HostileGroups().back());
    EXPECT_NE(fragment.find(std::string("<id>nul\0byte</id>", 17)), std::string::npos);
    EXPECT_NE(HostileIndexFragment(HostileGroups()[4]).find("<id>x\\\\y</id>"), std::string::npos);
}
