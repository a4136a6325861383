#pragma once

#include <string>
#include <vector>

// What the browser pane asks of the window's downloads: a web link the user
// followed may be an item's download address, which then downloads in the
// program instead of opening in the user's browser; and the links of what
// is downloaded already are marked on the pages. The downloads implement
// it and register themselves (SetDownloadLinks).
class DownloadLinks
{
public:
    virtual ~DownloadLinks() = default;

    // True when the address (as the page's link gives it) is an item's
    // download address: its download has been started.
    virtual bool StartDownload(const std::string& address) = 0;
    // The download addresses of the items downloaded, as pages' links give them.
    virtual std::vector<std::string> DownloadedAddresses() const = 0;
};

// Null (the default): links go to the user's browser, none is marked.
void SetDownloadLinks(DownloadLinks* links);
DownloadLinks* GetDownloadLinks();
