// The page operations of the catalog tree. For now each writes a plain
// placeholder naming the node; the pages built from the templates replace
// this file.

#include <string>

#include "catalog/CVantoryDoc.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "pages/CVantoryView.h"
#include "tree/CLeftView.h"

namespace {

// Catalog texts already hold "&", "<" and ">" as references, so they go
// into the page as they are.
void WritePlaceholder(const std::string& heading, const std::string& text)
{
    if (!g_pHtmlView)
        return;
    g_pHtmlView->WriteHtml("<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + heading +
                           "</title></head>\n<body style=\"font-family: sans-serif; margin: 24px\">\n<h2>" +
                           heading + "</h2>\n<p>" + text + "</p>\n</body></html>\n");
}

std::string Counted(int count, const char* what)
{
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

} // namespace

void CLeftView::ShowContentPage()
{
    WritePlaceholder("Vantory", "Choose a content type on the left.");
}

void CLeftView::ShowGroupsPage(int type)
{
    const ContentCatalog* catalog = CVantoryDoc::CatalogForType(type);
    WritePlaceholder(TypeTitle(type), Counted(catalog ? catalog->GetGroupCount() : 0, "group"));
}

void CLeftView::ShowItemsPage(int type, std::string groupLabel, std::string)
{
    const ContentCatalog* catalog = CVantoryDoc::CatalogForType(type);
    // A leaf may name a group the catalog no longer has (the update reloads
    // the catalog, not the tree): then the group has no items.
    const int group = catalog ? catalog->FindGroupByLib(groupLabel) : -1;
    const int items = group >= 0 ? catalog->GetItemCount(group) : 0;
    WritePlaceholder(TypeTitle(type) + " &ndash; " + groupLabel, Counted(items, "item"));
}
