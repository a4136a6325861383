#include "pages/PageBuilder.h"

#include "catalog/CatalogPaths.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "catalog/TextFile.h"
#include "pages/PageText.h"
#include "pages/TableRows.h"

std::string ItemTemplateOf(int type)
{
    const ContentTypeInfo* info = FindContentType(type);
    return info ? std::string(info->itemTemplate) : std::string();
}

std::string LocalMediaPath(const std::string& basePath, int type, const std::string& groupId,
                           const std::string& itemId)
{
    const ContentTypeInfo* info = FindContentType(type);
    const std::string subDir(info ? info->pageMediaDir : "");
    const std::string extension(info ? info->pageMediaExtension : "");
    return EncodePathForPage(basePath + "data/" + subDir + GroupFileName(groupId) + "/" +
                             GroupFileName(itemId) + extension);
}

std::string PageBuilder::LoadTemplate(const std::string& name, bool fragmentOnly) const
{
    std::string text = ReadTextFile(m_basePath + "tpl/" + name + ".html");
    if (fragmentOnly)
        text = ExtractBetween(text, "<body>", "</body>");
    return text;
}

std::string PageBuilder::ContentPage() const
{
    return LoadTemplate("content", false);
}

std::string PageBuilder::GroupsPage(int type) const
{
    const ContentCatalog* catalog = CatalogForType(type);
    std::string body;
    TableRows rows(body, GROUPS_PER_ROW);
    const std::string cellTemplate = LoadTemplate("group", true);
    for (int j = 0; catalog && j < catalog->GetGroupCount(); ++j) {
        std::string cell = cellTemplate;
        ReplaceAll(cell, "*name*", catalog->GetGroupLib(j));
        ReplaceAll(cell, "*items*", std::to_string(catalog->GetItemCount(j)));
        rows.Add(cell);
    }
    std::string page = LoadTemplate("groups", false);
    ReplaceAll(page, "*name*", TypeTitle(type));
    ReplaceAll(page, "*body*", body);
    return page;
}

std::string PageBuilder::ItemsPage(int type, const std::string& groupLabel, const std::string& itemTemplate,
                                   TableProgress* progress) const
{
    const ContentCatalog* catalog = CatalogForType(type);
    const ContentTypeInfo* info = FindContentType(type);
    std::string body;
    // A code that is no type has no catalog, so no cells to lay out.
    TableRows rows(body, info ? info->cellsPerRow : 1);
    const std::string cellTemplate = LoadTemplate(itemTemplate, true);
    // A leaf of the tree may name a group the catalog no longer has (the
    // update reloads the catalog, not the tree): no cells then.
    const int g = catalog ? catalog->FindGroupByLib(groupLabel) : -1;
    const ContentGroup* group = catalog ? catalog->Group(g) : nullptr;
    const int n = group ? catalog->GetItemCount(g) : 0;
    if (!progress || n <= ITEMS_PROGRESS_THRESHOLD)
        progress = nullptr;
    else
        progress->Begin(n);

    // Room for the whole table at once, so that one of thousands of items
    // is not copied over and over as it grows.
    body.reserve(static_cast<size_t>(n) * (ItemCellSize(cellTemplate) + ROW_BREAK.size()));
    for (int i = 0; i < n; ++i) {
        rows.Add(ItemCell(cellTemplate, type, *group, static_cast<size_t>(i)));
        if (progress)
            progress->Step();
    }

    std::string page = LoadTemplate("items", false);
    ReplaceAll(page, "*name*", TypeTitle(type));
    ReplaceAll(page, "*group*", groupLabel);
    ReplaceAll(page, "*body*", body);
    return page;
}

size_t PageBuilder::ItemCellSize(const std::string& cellTemplate)
{
    // The values of an item come to about a hundred bytes.
    return cellTemplate.size() + 128;
}

std::string PageBuilder::ItemCell(const std::string& cellTemplate, int type, const ContentGroup& group,
                                  size_t item) const
{
    std::string cell = cellTemplate;
    ReplaceAll(cell, "*name*", group.labels[item]);
    ReplaceAll(cell, "*id*", group.ids[item]);
    ReplaceAll(cell, "*url*", group.urls[item]);
    ReplaceAll(cell, "*file*", group.files[item]);
    ReplaceAll(cell, "*locfile*", LocalMediaPath(m_basePath, type, group.id, group.ids[item]));
    ReplaceAll(cell, "*desc*", group.descs[item]);
    return cell;
}
