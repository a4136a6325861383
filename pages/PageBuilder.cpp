#include "pages/PageBuilder.h"

#include "catalog/CatalogPaths.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "catalog/TextFile.h"
#include "pages/PageText.h"

namespace {

// Appends a cell and, when it completes a row, the row break.
class TableBody
{
public:
    explicit TableBody(int cellsPerRow) : m_cellsPerRow(cellsPerRow) {}

    // Room for that many cells of about that size, so that a table of
    // thousands of items is not copied over and over as it grows.
    void Reserve(size_t cells, size_t cellSize)
    {
        m_text.reserve(cells * (cellSize + ROW_BREAK.size()));
    }

    void Add(const std::string& cell)
    {
        m_text += cell;
        if (++m_inRow == m_cellsPerRow) {
            m_text += ROW_BREAK;
            m_inRow = 0;
        }
    }
    const std::string& Text() const { return m_text; }

private:
    std::string m_text;
    int m_cellsPerRow;
    int m_inRow = 0;
};

} // namespace

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
    TableBody body(GROUPS_PER_ROW);
    const std::string cellTemplate = LoadTemplate("group", true);
    for (int j = 0; catalog && j < catalog->GetGroupCount(); ++j) {
        std::string cell = cellTemplate;
        ReplaceAll(cell, "*name*", catalog->GetGroupLib(j));
        ReplaceAll(cell, "*items*", std::to_string(catalog->GetItemCount(j)));
        body.Add(cell);
    }
    std::string page = LoadTemplate("groups", false);
    ReplaceAll(page, "*name*", TypeTitle(type));
    ReplaceAll(page, "*body*", body.Text());
    return page;
}

std::string PageBuilder::ItemsPage(int type, const std::string& groupLabel, const std::string& itemTemplate,
                                   TableProgress* progress) const
{
    const ContentCatalog* catalog = CatalogForType(type);
    const ContentTypeInfo* info = FindContentType(type);
    // A code that is no type has no catalog, so no cells to lay out.
    TableBody body(info ? info->cellsPerRow : 1);
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

    // The values of an item come to about a hundred bytes.
    body.Reserve(static_cast<size_t>(n), cellTemplate.size() + 128);
    for (int i = 0; i < n; ++i) {
        const auto at = static_cast<size_t>(i);
        std::string cell = cellTemplate;
        ReplaceAll(cell, "*name*", group->labels[at]);
        ReplaceAll(cell, "*id*", group->ids[at]);
        ReplaceAll(cell, "*url*", group->urls[at]);
        ReplaceAll(cell, "*file*", group->files[at]);
        ReplaceAll(cell, "*locfile*", LocalMediaPath(m_basePath, type, group->id, group->ids[at]));
        ReplaceAll(cell, "*desc*", group->descs[at]);
        body.Add(cell);
        if (progress)
            progress->Step();
    }

    std::string page = LoadTemplate("items", false);
    ReplaceAll(page, "*name*", TypeTitle(type));
    ReplaceAll(page, "*group*", groupLabel);
    ReplaceAll(page, "*body*", body.Text());
    return page;
}
