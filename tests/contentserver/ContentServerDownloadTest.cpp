#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "CurlClient.h"
#include "ServedContent.h"
#include "TestDir.h"
#include "catalog/CatalogPaths.h"
#include "tools/catgen/DownloadRenderer.h"
#include "tools/contentserver/ContentDisposition.h"

namespace {

// The catalog as ServedContent generates it for its server.
CatalogGeneratorOptions ServedOptions(const std::string& origin)
{
    CatalogGeneratorOptions options = ServedContent::SmallCatalog();
    options.mediaBase = origin + "/media/";
    return options;
}

struct Fixture
{
    ServedContent content;
    GeneratedCatalog model = GenerateCatalogModel(ServedOptions(content.Server().Origin()));
    std::string listing = InfoTarget(14, std::string(TrimBlanks(FindGeneratedType(model, 14)->groups[0].id)));

    // The first item of the type's first group that has any.
    const GeneratedItem& Item(int code) const
    {
        for (const GeneratedGroup& group : FindGeneratedType(model, code)->groups)
            if (!group.items.empty())
                return group.items.front();
        throw std::logic_error("no item");
    }
    // The target of the item's url_download, as a client requests it.
    std::string Target(int code) const
    {
        const std::string& address = Item(code).urlDownload;
        return address.substr(address.find("/dl.php"));
    }
};

} // namespace

TEST(ContentServerDownloads, ServeEachItemsFileWithItsTypeAndName)
{
    Fixture f;
    for (const GeneratedType& type : f.model.types) {
        const GeneratedItem& item = f.Item(type.code);
        // The listing's address leads to this server.
        EXPECT_EQ(item.urlDownload.rfind(f.content.Server().Origin() + "/dl.php?t=", 0), 0u);
        const DownloadFormat format = DownloadFileFormat(type.code);
        const FetchReply reply = Fetch(f.content.Port(), f.Target(type.code));
        ASSERT_EQ(reply.status, 200) << type.key;
        EXPECT_TRUE(reply.complete());
        EXPECT_EQ(reply.headers.at("content-type"), format.contentType);
        EXPECT_EQ(reply.headers.at("content-disposition"),
                  AttachmentDisposition(DownloadFileStem(item) + std::string(format.ending)));
        EXPECT_EQ(reply.body, RenderDownload(type.code, item).file) << type.key;
    }
}

TEST(ContentServerDownloads, ServeAGamesJadBesideItsJar)
{
    Fixture f;
    const GeneratedItem& game = f.Item(26);
    const FetchReply jad = Fetch(f.content.Port(), f.Target(26) + "&f=jad");
    ASSERT_EQ(jad.status, 200);
    EXPECT_EQ(jad.headers.at("content-type"), "text/vnd.sun.j2me.app-descriptor");
    EXPECT_EQ(jad.headers.at("content-disposition"),
              AttachmentDisposition(DownloadFileStem(game) + ".jad"));
    const FetchReply jar = Fetch(f.content.Port(), f.Target(26) + "&f=jar");
    ASSERT_EQ(jar.status, 200);
    EXPECT_NE(jad.body.find("MIDlet-Jar-URL: " + game.urlDownload + "\n"), std::string::npos);
    EXPECT_NE(jad.body.find("MIDlet-Jar-Size: " + std::to_string(jar.body.size()) + "\n"),
              std::string::npos);
}

// Content generated for the default port, served on another: the JAD names
// the JAR on the server that hands it out.
TEST(ContentServerDownloads, JadNamesTheJarOnThisServer)
{
    TestDir dir{false};
    CatalogGeneratorOptions catalog;
    catalog.outDir = dir.Path();
    catalog.groupsPerType = 1;
    catalog.itemsPerGroup = 2;
    catalog.types = {26};
    catalog.pictures = true;
    GenerateCatalog(catalog);
    ContentServerOptions options;
    options.contentDir = dir.Path();
    ContentServer server(options);
    ASSERT_TRUE(server.Start()) << server.Error();
    const std::string id = GenerateCatalogModel(catalog).types[0].groups[0].items[0].id;
    const FetchReply jad = Fetch(server.Port(), "/dl.php?t=26&id=" + id + "&f=jad");
    EXPECT_NE(jad.body.find("MIDlet-Jar-URL: " + server.Origin() + "/dl.php?t=26&id=" + id + "\n"),
              std::string::npos)
        << jad.body;
}

TEST(ContentServerDownloads, RefuseWhatNamesNoDownload)
{
    Fixture f;
    const std::string id = f.Item(14).id;
    const struct
    {
        std::string target;
        int status;
    } cases[] = {
        {"/dl.php", 400},
        {"/dl.php?t=14", 400},
        {"/dl.php?t=x&id=" + id, 400},
        {"/dl.php?t=14&id=../../data/rt_poly/cats", 400},
        {"/dl.php?t=14&id=%2e%2e%2fx", 400},
        {"/dl.php?t=14&id=" + id + "x", 400},
        {"/dl.php?t=99&id=" + id, 404},
        {"/dl.php?t=14&id=1", 404},
        {"/dl.php?t=2&id=" + id, 404},  // another type's item
        {"/dl.php?t=14&id=" + id + "&f=jad", 404},
        {"/dl.php?t=26&id=" + f.Item(26).id + "&f=zip", 404},
        {"/dl.php/x?t=14&id=" + id, 404},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Fetch(f.content.Port(), c.target).status, c.status) << c.target;
    // A percent-encoded id is the same id.
    EXPECT_EQ(Fetch(f.content.Port(), "/dl.php?id=" + id + "&t=1%34").status, 200);
}

TEST(ContentServerDownloads, FaultsShapeDownloadsOnly)
{
    Fixture f;
    const std::string midi = RenderDownload(14, f.Item(14)).file;
    const std::string disposition = AttachmentDisposition(DownloadFileStem(f.Item(14)) + ".mid");
    const struct
    {
        const char* name;
        FaultRule rule;
        int status;
        bool complete;
        std::size_t size;
        std::string disposition;
    } cases[] = {
        {"status", FaultRule::Status(503).ForDownload(), 503, true, 10, ""},
        {"drop", FaultRule::Drop(20).ForDownload(f.Item(14).id), 200, false, 20, disposition},
        {"stall", FaultRule::Stall(0.2, 30).ForDownload(), 200, true, midi.size(), disposition},
        {"oversize", FaultRule::Oversize(100000).ForDownload(), 200, true, 100000, disposition},
        {"hostile name", FaultRule::HostileName("../../x").ForDownload(), 200, true, midi.size(),
         "attachment; filename=\"../../x\""},
        {"hostile quote", FaultRule::HostileName("a\"; filename=b").ForDownload(), 200, true,
         midi.size(), "attachment; filename=\"a\"; filename=b\""},
    };
    for (const auto& c : cases) {
        f.content.Server().ClearFaults();
        f.content.Server().AddFault(c.rule);
        const FetchReply reply = Fetch(f.content.Port(), f.Target(14));
        EXPECT_EQ(reply.status, c.status) << c.name;
        EXPECT_EQ(reply.complete(), c.complete) << c.name;
        EXPECT_EQ(reply.body.size(), c.size) << c.name;
        const auto header = reply.headers.find("content-disposition");
        EXPECT_EQ(header == reply.headers.end() ? "" : header->second, c.disposition) << c.name;
        if (c.status == 200) {
            EXPECT_EQ(reply.body.substr(0, 4), "MThd") << c.name;
        }
        if (c.rule.kind == FaultRule::OversizeBody) {
            EXPECT_EQ(reply.body.find_first_not_of('\0', midi.size()), std::string::npos);
        }
        // Neither an update request nor another item's download is touched.
        EXPECT_EQ(Fetch(f.content.Port(), f.listing).status, 200) << c.name;
        if (c.rule.downloadItem && !c.rule.downloadItem->empty()) {
            EXPECT_TRUE(Fetch(f.content.Port(), f.Target(2)).complete()) << c.name;
        }
    }
}

TEST(ContentDisposition, QuotesAndEncodesTheName)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Kid Cosmo - Blue Sky.mid", "attachment; filename=\"Kid Cosmo - Blue Sky.mid\""},
        {"Say \"Hi\" \\o/.gif", "attachment; filename=\"Say \\\"Hi\\\" \\\\o/.gif\""},
        {"Bell\r\n\tRing.rtttl", "attachment; filename=\"BellRing.rtttl\""},
        {"Für Elise.mid",
         "attachment; filename=\"F_r Elise.mid\"; filename*=UTF-8''F%C3%BCr%20Elise.mid"},
        {"Снег.gif",
         "attachment; filename=\"____.gif\"; filename*=UTF-8''%D0%A1%D0%BD%D0%B5%D0%B3.gif"},
        {"a'b%c.jar", "attachment; filename=\"a'b%c.jar\""},
        {"é'%.jad", "attachment; filename=\"_'%.jad\"; filename*=UTF-8''%C3%A9%27%25.jad"},
    };
    for (const auto& [name, header] : cases)
        EXPECT_EQ(AttachmentDisposition(name), header) << name;
}
