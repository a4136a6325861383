#include "pages/DownloadLinks.h"

namespace {

DownloadLinks* g_downloadLinks = nullptr;

} // namespace

void SetDownloadLinks(DownloadLinks* links)
{
    g_downloadLinks = links;
}

DownloadLinks* GetDownloadLinks()
{
    return g_downloadLinks;
}
