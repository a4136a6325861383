#include "tools/contentserver/TemporaryContent.h"

#include <atomic>
#include <string>
#include <system_error>
#include <unistd.h>

CatalogSummary GenerateContent(const std::filesystem::path& dir, CatalogGeneratorOptions options,
                               int port)
{
    options.outDir = dir;
    options.mediaBase = "http://127.0.0.1:" + std::to_string(port) + "/media/";
    return GenerateCatalog(options);
}

TemporaryContent::TemporaryContent()
{
    static std::atomic<int> s_count{0};
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    // Unique across the processes and threads of parallel test runs.
    for (;;) {
        m_dir = base / ("vantory-content-" + std::to_string(::getpid()) + "-" +
                        std::to_string(++s_count));
        std::error_code error;
        if (std::filesystem::create_directory(m_dir, error))
            break;
        if (error)
            throw std::filesystem::filesystem_error("cannot create a content directory", m_dir,
                                                    error);
    }
}

TemporaryContent::TemporaryContent(const CatalogGeneratorOptions& options, int port)
    : TemporaryContent()
{
    // The destructor of a delegating constructor's object runs if this throws.
    Generate(options, port);
}

const CatalogSummary& TemporaryContent::Generate(const CatalogGeneratorOptions& options, int port)
{
    m_summary = GenerateContent(m_dir, options, port);
    return m_summary;
}

TemporaryContent::~TemporaryContent()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_dir, ignored);
}
