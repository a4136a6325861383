#pragma once

#include <filesystem>

#include "tools/catgen/CatalogGenerator.h"

// Content for a content server on `port` of 127.0.0.1: the catalog of
// `options` (outDir and mediaBase are set here) written to dir, so that its
// picture addresses name http://127.0.0.1:<port>/media/. Set
// options.pictures to get the pictures too. Throws as GenerateCatalog.
CatalogSummary GenerateContent(const std::filesystem::path& dir, CatalogGeneratorOptions options,
                               int port);

// A content directory of its own below the system's temporary directory,
// generated as GenerateContent does and removed with everything in it when
// the object goes. For tests, either generated at once with the default
// port, which suits a server on any port (it answers the default addresses
// with its own, ContentServerOptions::rewriteOwnAddresses):
//     TemporaryContent content(options);
// or empty first, generated once the server's port is known:
//     TemporaryContent content;
//     ContentServerOptions serverOptions;
//     serverOptions.contentDir = content.Dir();
//     ContentServer server(serverOptions);
//     server.Start();
//     content.Generate(options, server.Port());
class TemporaryContent
{
public:
    TemporaryContent();  // empty
    explicit TemporaryContent(const CatalogGeneratorOptions& options, int port = 8642);
    ~TemporaryContent();
    TemporaryContent(const TemporaryContent&) = delete;
    TemporaryContent& operator=(const TemporaryContent&) = delete;

    // Writes the catalog into Dir() as GenerateContent does.
    const CatalogSummary& Generate(const CatalogGeneratorOptions& options, int port);

    const std::filesystem::path& Dir() const { return m_dir; }
    const CatalogSummary& Summary() const { return m_summary; }

private:
    std::filesystem::path m_dir;
    CatalogSummary m_summary;
};
