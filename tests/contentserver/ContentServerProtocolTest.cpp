#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "CurlClient.h"
#include "ServedContent.h"
#include "catalog/CatalogPaths.h"
#include "tools/catgen/CatalogPageRenderer.h"
#include "tools/catgen/PictureRenderer.h"
#include "tools/catgen/PreviewRenderer.h"
#include "tools/contentserver/ListingPages.h"

namespace {

GeneratedCatalog ModelFor(const ServedContent& content)
{
    CatalogGeneratorOptions options = ServedContent::SmallCatalog();
    options.mediaBase = "http://127.0.0.1:" + std::to_string(content.Port()) + "/media/";
    return GenerateCatalogModel(options);
}

} // namespace

TEST(ContentServerProtocol, AnswersTheExactQueriesWithTheGeneratorsFiles)
{
    ServedContent content;
    const GeneratedCatalog model = ModelFor(content);
    int pagesChecked = 0;
    for (const GeneratedType& type : model.types) {
        const FetchReply index = Fetch(content.Port(), UpdateTarget(type.code, "CAT", "", 1, ""));
        ASSERT_EQ(index.status, 200) << type.key;
        EXPECT_EQ(index.body, ReadFile(content.TypeDir(type.code) / "cats.xml"));

        for (const GeneratedGroup& group : type.groups) {
            // The program sends the id trimmed and unencoded: "cat?51", "52/3", "53\4".
            const std::string id(TrimBlanks(group.id));
            const int pages = ListingPageCount(group.items.size(), 30);
            for (int page = 1; page <= pages; ++page, ++pagesChecked) {
                const FetchReply reply = Fetch(content.Port(), PageTarget(type.code, id, page));
                ASSERT_EQ(reply.status, 200) << id << " page " << page;
                EXPECT_EQ(reply.body, ReadFile(content.TypeDir(type.code) / group.directory /
                                                (std::to_string(page) + ".xml")))
                    << id << " page " << page;
            }
        }
    }
    EXPECT_EQ(pagesChecked, 7 * 3 * 2);
}

TEST(ContentServerProtocol, PaginatesAtAnyPageSize)
{
    ServedContent content;
    const GeneratedCatalog model = ModelFor(content);
    const GeneratedGroup& group = FindGeneratedType(model, 26)->groups[0];  // 45 items
    const std::string id(TrimBlanks(group.id));
    const auto page = [&](int p, const std::string& np) {
        return Fetch(content.Port(), UpdateTarget(26, "GAMESCONT", id, p, np)).body;
    };

    const struct {
        const char* name;
        int page;
        const char* pageSize;
        int maxPage;
        std::size_t items;
    } cases[] = {
        {"information page", 1, "1", 45, 1},
        {"last page of 30", 2, "30", 2, 15},
        {"page beyond max_page", 3, "30", 2, 0},
        {"page 0", 0, "30", 2, 0},
        {"uneven size", 7, "7", 7, 3},
        {"one page holds all", 1, "100", 1, 45},
    };
    for (const auto& c : cases) {
        const std::string body = page(c.page, c.pageSize);
        EXPECT_EQ(RootAttributeNumber(body, "max_page"), c.maxPage) << c.name;
        EXPECT_EQ(RootAttributeNumber(body, "total_results"), 45) << c.name;
        EXPECT_EQ(SplitListingItems(body).size(), c.items) << c.name;
    }
    // The pages of any size hold the same items in the same order.
    std::string bySeven;
    for (int p = 1; p <= 7; ++p)
        for (const std::string& item : SplitListingItems(page(p, "7")))
            bySeven += item;
    std::string byThirty;
    for (int p = 1; p <= 2; ++p)
        for (const std::string& item : SplitListingItems(page(p, "30")))
            byThirty += item;
    EXPECT_EQ(bySeven, byThirty);
    EXPECT_EQ(bySeven.size(), ReadFile(content.TypeDir(26) / group.directory / "1.xml").size() +
                                  ReadFile(content.TypeDir(26) / group.directory / "2.xml").size() -
                                  2 * std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                                  "<response max_page=\"2\" total_results=\"45\">\n"
                                                  "</response>\n").size());
}

TEST(ContentServerProtocol, FindsGroupsByTrimmedOrEncodedId)
{
    ServedContent content;
    const GeneratedCatalog model = ModelFor(content);
    const GeneratedType& logos = *FindGeneratedType(model, 1);
    for (const GeneratedGroup& group : logos.groups) {
        const std::string id(TrimBlanks(group.id));
        const std::string expected = ReadFile(content.TypeDir(1) / group.directory / "1.xml");
        std::string encoded;
        for (const char c : id)
            encoded += c == '?' ? std::string("%3F") : c == '/' ? std::string("%2F") : std::string(1, c);
        EXPECT_EQ(Fetch(content.Port(), PageTarget(1, " " + id + "  ", 1)).body, expected) << id;
        EXPECT_EQ(Fetch(content.Port(), PageTarget(1, encoded, 1)).body, expected) << id;
    }
}

// The HTTP library neither decodes nor normalises a target: the server
// sees each byte as sent, and decodes escapes itself where it means to.
TEST(ContentServerProtocol, SeesEachTargetByteForByteAsSent)
{
    ServedContent content;
    const GeneratedCatalog model = ModelFor(content);
    const GeneratedGroup& group = model.types[0].groups[0];
    const std::string id(TrimBlanks(group.id));
    const std::string page = ReadFile(content.TypeDir(1) / group.directory / "1.xml");
    const struct {
        const char* name;
        std::string cat;
        int status;
    } cases[] = {
        {"the id as the program sends it", id, 200},
        {"escaped blanks around it", "%20" + id + "%20%20", 200},
        {"a second question mark", "a?b*c", 404},
        {"a backslash", "x\\y", 404},
        {"UTF-8 bytes", "caf\xC3\xA9 \xE2\x82\xAC", 404},
        {"blanks inside", "rock and roll", 404},
        {"an escaped blank", "rock%20and%20roll", 404},
        {"a control byte", "a\x01z", 404},
        {"a fragment mark", "a#b", 404},
    };
    std::vector<std::string> sent;
    for (const auto& c : cases) {
        sent.push_back(PageTarget(1, c.cat, 1));
        const FetchReply reply = Fetch(content.Port(), sent.back());
        EXPECT_EQ(reply.status, c.status) << c.name;
        if (c.status == 200) {
            EXPECT_EQ(reply.body, page) << c.name;
        }
    }
    EXPECT_EQ(content.Server().Requests(), sent);
    const auto log = content.Server().Log();
    ASSERT_EQ(log.size(), std::size(cases));
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].target, sent[i]) << cases[i].name;
        if (cases[i].status == 404) {
            EXPECT_EQ(log[i].note, "no group '" + cases[i].cat + "' in type 1") << cases[i].name;
        }
    }
}

TEST(ContentServerProtocol, RefusesWhatIsNotThere)
{
    ServedContent content;
    const std::string id(TrimBlanks(GenerateCatalogModel(ServedContent::SmallCatalog()).types[0].groups[0].id));
    const struct {
        const char* name;
        std::string target;
        int status;
        const char* note;
    } cases[] = {
        {"unknown type", UpdateTarget(4, "CAT", "", 1, ""), 404, "unknown type '4'"},
        {"no type", "/xml_act.php?a=vantory&act=CAT", 404, "unknown type ''"},
        {"unknown act", UpdateTarget(1, "LIST", id, 1, "30"), 404, "unknown act 'LIST'"},
        {"games act for logos", UpdateTarget(1, "GAMESCONT", id, 1, "30"), 404, "(CONT)"},
        {"logos act for games", UpdateTarget(26, "CONT", id, 1, "30"), 404, "(GAMESCONT)"},
        {"unknown group", PageTarget(1, "77777", 1), 404, "no group '77777' in type 1"},
        {"page not a number",
         "/xml_act.php?a=vantory&t=1&l=EN&act=CONT&cat=" + id + "&p=x&np=30&q=&c=US&h=1", 400,
         "page 'x'"},
        {"page size empty", UpdateTarget(1, "CONT", id, 1, ""), 400, "page size ''"},
        {"page size 0", UpdateTarget(1, "CONT", id, 1, "0"), 400, "page size '0'"},
        {"unknown path", "/index.html", 404, "unknown path"},
        {"media outside", "/media/logos/..%2F..%2Fdata/1.gif", 404, "no file"},
        {"media of no type", "/media/etc/x/1.gif", 404, "unsafe or malformed"},
        {"media dot dot", "/media/logos/../x.gif", 404, "unsafe or malformed"},
    };
    for (const auto& c : cases) {
        const FetchReply reply = Fetch(content.Port(), c.target);
        EXPECT_EQ(reply.status, c.status) << c.name;
        EXPECT_TRUE(reply.complete()) << c.name;
    }
    const auto log = content.Server().Log();
    ASSERT_EQ(log.size(), std::size(cases));
    for (std::size_t i = 0; i < log.size(); ++i) {
        EXPECT_EQ(log[i].target, cases[i].target);
        EXPECT_NE(log[i].note.find(cases[i].note), std::string::npos)
            << cases[i].name << ": " << log[i].note;
    }

    FetchOptions post;
    post.post = "abc";
    EXPECT_EQ(CurlClient(content.Port()).Get("/xml_act.php", post).status, 405);
    // A target that is no path, and a header the HTTP library cannot read.
    const FetchReply garbage = Fetch(content.Port(), "hello");
    EXPECT_EQ(garbage.status, 400);
    FetchOptions badHeader;
    badHeader.headers = {"Content-Length: abc"};
    EXPECT_EQ(CurlClient(content.Port()).Get(UpdateTarget(1, "CAT", "", 1, ""), badHeader).status, 400);
}

TEST(ContentServerProtocol, AnswersHeadWithTheHeadersAlone)
{
    ServedContent content;
    const std::string index = ReadFile(content.TypeDir(1) / "cats.xml");
    FetchOptions head;
    head.head = true;
    CurlClient client(content.Port());
    const FetchReply reply = client.Get(UpdateTarget(1, "CAT", "", 1, ""), head);
    EXPECT_EQ(reply.status, 200);
    EXPECT_EQ(reply.contentLength, static_cast<long>(index.size()));
    EXPECT_TRUE(reply.body.empty());
    EXPECT_EQ(client.Get(UpdateTarget(1, "CAT", "", 1, "")).body, index);
    EXPECT_TRUE(client.Reused());
    const auto log = content.Server().Log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].method, "HEAD");
    EXPECT_EQ(log[0].bytes, 0u);
    EXPECT_EQ(log[1].bytes, index.size());
}

// The previews too, GIF files under ".jpg" names included: their bodies
// say what they are.
TEST(ContentServerProtocol, ServesEveryPictureAndPreviewAtItsAddressAsAGif)
{
    ServedContent content;
    const GeneratedCatalog model = ModelFor(content);
    const std::string origin = content.Server().Origin();
    int pictures = 0;
    int previews = 0;
    for (const GeneratedType& type : model.types) {
        for (const GeneratedGroup& group : type.groups) {
            for (const GeneratedItem& item : group.items) {
                std::vector<std::pair<std::string, std::string>> served;  // address, bytes
                if (HasPicture(type.code)) {
                    served.emplace_back(type.code == 26 ? *item.screenbox : *item.file,
                                        RenderPicture(type.code, item));
                    ++pictures;
                }
                if (HasPreview(type.code)) {
                    const RenderedPreview preview = RenderPreview(type.code, item);
                    served.emplace_back(*item.file, preview.file);
                    served.emplace_back(*item.screenbox, preview.screenbox);
                    previews += 2;
                }
                for (const auto& [address, bytes] : served) {
                    ASSERT_EQ(address.rfind(origin + "/media/", 0), 0u) << address;
                    const FetchReply reply = Fetch(content.Port(), address.substr(origin.size()));
                    ASSERT_EQ(reply.status, 200) << address;
                    EXPECT_EQ(reply.headers.at("content-type"), "image/gif") << address;
                    EXPECT_EQ(reply.body, bytes) << address;
                }
            }
        }
    }
    EXPECT_EQ(pictures, 3 * 3 * 45);
    EXPECT_EQ(previews, 2 * 2 * 3 * 45);
}

// Content generated once for the default address works on any port: the
// server answers with its own.
TEST(ContentServerProtocol, AnswersDefaultAddressesWithItsOwn)
{
    CatalogGeneratorOptions options = ServedContent::SmallCatalog();
    options.types = {3};
    const TemporaryContent content(options);
    ContentServerOptions serverOptions;
    serverOptions.contentDir = content.Dir();
    ContentServer server(serverOptions);
    ASSERT_TRUE(server.Start()) << server.Error();
    ASSERT_NE(server.Port(), kDefaultContentPort);

    const GeneratedCatalog model = GenerateCatalogModel(options);
    const GeneratedGroup& group = model.types[0].groups[1];
    const std::string id(TrimBlanks(group.id));
    const std::string file = ReadFile(content.Dir() / "data/logos_big" / group.directory / "1.xml");
    const std::string page = Fetch(server.Port(), PageTarget(3, id, 1)).body;
    ASSERT_NE(file.find("http://127.0.0.1:8642/"), std::string::npos);
    EXPECT_EQ(page.find("http://127.0.0.1:8642/"), std::string::npos);
    std::string expected = file;
    const std::string own = server.Origin() + "/";
    for (auto at = expected.find("http://127.0.0.1:8642/"); at != std::string::npos;
         at = expected.find("http://127.0.0.1:8642/", at + own.size()))
        expected.replace(at, 22, own);
    EXPECT_EQ(page, expected);

    const std::string address = *group.items[0].file;
    const FetchReply picture = Fetch(server.Port(), address.substr(address.find("/media/")));
    EXPECT_EQ(picture.status, 200);
    EXPECT_EQ(picture.body, RenderPicture(3, group.items[0]));

    // And as they are when asked to.
    serverOptions.rewriteOwnAddresses = false;
    ContentServer verbatim(serverOptions);
    ASSERT_TRUE(verbatim.Start());
    EXPECT_EQ(Fetch(verbatim.Port(), PageTarget(3, id, 1)).body, file);
}

TEST(ContentServerProtocol, ReadsContentWrittenAfterStartAndAgainWhenItChanges)
{
    TemporaryContent content;
    ContentServerOptions serverOptions;
    serverOptions.contentDir = content.Dir();
    ContentServer server(serverOptions);
    ASSERT_TRUE(server.Start());
    const std::string indexTarget = UpdateTarget(2, "CAT", "", 1, "");
    EXPECT_EQ(Fetch(server.Port(), indexTarget).status, 404);

    CatalogGeneratorOptions options;
    options.types = {2};
    options.groupsPerType = 2;
    content.Generate(options, server.Port());
    EXPECT_EQ(Fetch(server.Port(), indexTarget).body,
              ReadFile(content.Dir() / "data/rt_mono/cats.xml"));

    options.groupsPerType = 5;
    options.seed = 9;
    content.Generate(options, server.Port());
    const FetchReply changed = Fetch(server.Port(), indexTarget);
    EXPECT_EQ(changed.body, ReadFile(content.Dir() / "data/rt_mono/cats.xml"));
    const GeneratedCatalog model = GenerateCatalogModel(options);
    const GeneratedGroup& fifth = model.types[0].groups[4];
    EXPECT_EQ(Fetch(server.Port(), PageTarget(2, fifth.id, 1)).body,
              ReadFile(content.Dir() / "data/rt_mono" / fifth.directory / "1.xml"));
}

TEST(ContentServerProtocol, KeepsConnectionsAliveAndCountsRequestsInOrder)
{
    ServedContent content;
    const std::string first = UpdateTarget(1, "CAT", "", 1, "");
    const std::string second = UpdateTarget(3, "CAT", "", 1, "");
    CurlClient connection(content.Port());
    const FetchReply reply = connection.Get(first);
    EXPECT_EQ(reply.status, 200);
    EXPECT_NE(reply.headers.count("connection") ? reply.headers.at("connection") : "", "close");
    EXPECT_EQ(connection.Get(second).status, 200);
    EXPECT_TRUE(connection.Reused());  // on the same connection
    EXPECT_FALSE(connection.ClosedByServer(0.1));
    EXPECT_EQ(content.Server().Requests(), (std::vector<std::string>{first, second}));
    // HTTP/1.0 closes unless asked to keep alive.
    FetchOptions http10;
    http10.http10 = true;
    EXPECT_EQ(CurlClient(content.Port()).Get(first, http10).headers.at("connection"), "close");
    http10.headers = {"Connection: keep-alive"};
    CurlClient asked(content.Port());
    EXPECT_EQ(asked.Get(first, http10).status, 200);
    EXPECT_EQ(asked.Get(first, http10).status, 200);
    EXPECT_TRUE(asked.Reused());

    content.Server().ClearRequests();
    EXPECT_TRUE(content.Server().Requests().empty());
    Fetch(content.Port(), second);
    ASSERT_EQ(content.Server().Log().size(), 1u);
    EXPECT_EQ(content.Server().Log()[0].number, 1);
}
