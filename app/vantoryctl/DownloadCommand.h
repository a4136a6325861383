#pragma once

struct CtlInvocation;

// vantoryctl download TYPE_KEY ITEM_ID [--to DIR]: loads the catalog as
// load does, downloads the item's address into DIR (the user's download
// folder's "Vantory" by default) and prints the path of the file saved.
// CTL_FAILED for an unknown item or a failed download, CTL_INTERRUPTED on
// Ctrl+C, which leaves nothing behind.
int RunDownload(const CtlInvocation& call);
