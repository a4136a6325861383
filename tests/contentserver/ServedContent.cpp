#include "ServedContent.h"


#include <gtest/gtest.h>

namespace {

ContentServerOptions WithDir(ContentServerOptions options, const std::filesystem::path& dir)
{
    options.contentDir = dir;
    return options;
}

} // namespace

ServedContent::ServedContent(const CatalogGeneratorOptions& catalog, ContentServerOptions server)
    : m_server(WithDir(std::move(server), m_content.Dir()))
{
    // The port is known once bound; the server reads the files on demand.
    EXPECT_TRUE(m_server.Start()) << m_server.Error();
    m_content.Generate(catalog, m_server.Port());
}

CatalogGeneratorOptions ServedContent::SmallCatalog()
{
    CatalogGeneratorOptions options;
    options.groupsPerType = 3;
    options.itemsPerGroup = 45;
    options.unsafeIds = true;
    options.pictures = true;
    options.seed = 3;
    return options;
}

std::filesystem::path ServedContent::TypeDir(int code) const
{
    return m_content.Dir() / "data" / std::string(ContentTypeKey(code));
}

std::string UpdateTarget(int code, const std::string& act, const std::string& cat, int page,
                         const std::string& pageSize)
{
    return "/xml_act.php?a=vantory&t=" + std::to_string(code) + "&l=EN&act=" + act + "&cat=" +
           cat + "&p=" + std::to_string(page) + "&np=" + pageSize + "&q=&c=US&h=1";
}

std::string InfoTarget(int code, const std::string& id)
{
    return UpdateTarget(code, code == 26 ? "GAMESCONT" : "CONT", id, 1, "1");
}

std::string PageTarget(int code, const std::string& id, int page)
{
    return UpdateTarget(code, code == 26 ? "GAMESCONT" : "CONT", id, page, "30");
}

