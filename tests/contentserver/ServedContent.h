#pragma once

#include <filesystem>
#include <string>

#include "TestDir.h"
#include "tools/catgen/CatalogGenerator.h"
#include "tools/contentserver/ContentServer.h"
#include "tools/contentserver/TemporaryContent.h"

// A content server on a free port of loopback with a catalog generated for
// that port: the addresses in its pages point at the server itself.
class ServedContent
{
public:
    explicit ServedContent(const CatalogGeneratorOptions& catalog = SmallCatalog(),
                           ContentServerOptions server = {});

    static CatalogGeneratorOptions SmallCatalog();  // 3 groups of 45 items, unsafe ids, pictures

    ContentServer& Server() { return m_server; }
    int Port() const { return m_server.Port(); }
    const std::filesystem::path& Dir() const { return m_content.Dir(); }
    std::filesystem::path TypeDir(int code) const;

private:
    TemporaryContent m_content;
    ContentServer m_server;
};

// The target of an update request, exactly as the program builds it.
std::string UpdateTarget(int code, const std::string& act, const std::string& cat, int page,
                         const std::string& pageSize);
// The information request and the 30-item page request of a group.
std::string InfoTarget(int code, const std::string& id);
std::string PageTarget(int code, const std::string& id, int page);

