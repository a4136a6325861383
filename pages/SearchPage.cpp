#include "pages/SearchPage.h"

#include <algorithm>
#include <array>
#include <optional>

#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentTypeTable.h"
#include "pages/PageBuilder.h"
#include "pages/PageText.h"
#include "pages/TableRows.h"
#include "search/CatalogSearch.h"

namespace {

void AppendCount(std::string& out, size_t count, std::string_view one, std::string_view many)
{
    out += std::to_string(count);
    out += ' ';
    out += count == 1 ? one : many;
}

// A link that selects a group of a type in the tree; the label goes into
// the attribute escaped, so that the page hands back exactly the catalog's
// label, references and all.
void OpenGroupLink(std::string& out, std::string_view cssClass, const ContentTypeInfo& type, std::string_view lib)
{
    out += "<a class=\"";
    out += cssClass;
    out += "\" href=\"#\" data-kind=\"";
    out += type.pageKind;
    out += "\" data-group=\"";
    AppendEscaped(out, lib);
    out += "\" onclick=\"return vantoryFindGroup(this)\">";
}

std::string GroupLinks(const SearchResult& result)
{
    std::string links;
    for (const SearchGroupHit& hit : result.groups) {
        const ContentTypeInfo* type = FindContentType(hit.type);
        const ContentGroup* group = GroupOfType(hit.type, hit.group);
        if (!type || !group)
            continue;
        OpenGroupLink(links, "search-group", *type, group->lib);
        links += "<span class=\"group-name\">";
        links += group->lib;
        links += "</span><span class=\"search-group-type\">";
        links += type->title;
        links += "</span><span class=\"group-count\">";
        AppendCount(links, group->labels.size(), "item", "items");
        links += "</span></a>";
    }
    if (links.empty())
        return links;
    return "<h2 class=\"search-part\">Groups</h2>\n<div class=\"search-groups\">" + links + "</div>\n";
}

// The items in order, a table per run of one group, under the heading of
// its type when the type changes and of its group; the items found by their
// description start a part of their own.
class ItemSections
{
public:
    ItemSections(const PageBuilder& builder, std::string& out) : m_builder(builder), m_out(out) {}

    void Part(std::string_view title)
    {
        CloseTable();
        m_out += "<h2 class=\"search-part\">";
        m_out += title;
        m_out += "</h2>\n";
        m_type = nullptr;
        m_group = nullptr;
    }

    void Add(const ContentTypeInfo& type, const ContentGroup& group, size_t item)
    {
        if (&type != m_type) {
            CloseTable();
            m_out += "<h3 class=\"search-type\"><a href=\"#\" onclick=\"return vantoryFind('selcnt|";
            m_out += type.pageKind;
            m_out += "')\">";
            m_out += type.title;
            m_out += "</a></h3>\n";
            m_type = &type;
            m_group = nullptr;
        }
        if (&group != m_group) {
            CloseTable();
            m_out += "<h4 class=\"search-group-head\">";
            OpenGroupLink(m_out, "search-group-link", type, group.lib);
            m_out += group.lib;
            m_out += "</a></h4>\n<table class=\"grid search-grid\">\n<tr>";
            m_group = &group;
            m_rows.emplace(m_out, type.cellsPerRow);
        }
        m_rows->Add(m_builder.ItemCell(CellTemplate(type), type.code, group, item));
    }

    void CloseTable()
    {
        if (!m_rows)
            return;
        m_out += "</tr>\n</table>\n";
        m_rows.reset();
    }

private:
    // Each type's fragment, read once per page.
    const std::string& CellTemplate(const ContentTypeInfo& type)
    {
        std::optional<std::string>& cell = m_cells[static_cast<size_t>(type.treeRank)];
        if (!cell)
            cell = m_builder.LoadTemplate(std::string(type.itemTemplate), true);
        return *cell;
    }

    const PageBuilder& m_builder;
    std::string& m_out;
    const ContentTypeInfo* m_type = nullptr;
    const ContentGroup* m_group = nullptr;
    std::optional<TableRows> m_rows;
    std::array<std::optional<std::string>, CONTENT_TYPE_COUNT> m_cells;
};

std::string ItemsBody(const PageBuilder& builder, const SearchResult& result, size_t shown)
{
    std::string body;
    // Room for every cell at once: a cell comes to less than a kilobyte.
    body.reserve(shown * 1024);
    ItemSections sections(builder, body);
    for (size_t i = 0; i < shown; ++i) {
        if (i == 0 && result.labelMatches > 0)
            sections.Part("Items");
        if (i == result.labelMatches)
            sections.Part("Items found by their description");
        const SearchItemHit& hit = result.items[i];
        const ContentTypeInfo* type = FindContentType(hit.type);
        const ContentGroup* group = GroupOfType(hit.type, hit.group);
        if (type && group && hit.item >= 0 && static_cast<size_t>(hit.item) < group->labels.size())
            sections.Add(*type, *group, static_cast<size_t>(hit.item));
    }
    sections.CloseTable();
    return body;
}

std::string Counts(const SearchResult& result)
{
    std::string counts;
    AppendCount(counts, result.groups.size(), "group", "groups");
    counts += ", ";
    AppendCount(counts, result.items.size(), "item", "items");
    return counts;
}

std::string MoreLink(size_t shown, size_t total)
{
    if (shown >= total)
        return {};
    const size_t more = std::min(SEARCH_PAGE_ITEMS, total - shown);
    return "<p class=\"search-more\">The first " + std::to_string(shown) + " of " + std::to_string(total) +
           " items are shown. <a href=\"#\" onclick=\"return vantoryFind('findmore|" +
           std::to_string(shown + more) + "')\">Show " + std::to_string(more) + " more</a></p>";
}

} // namespace

std::string SearchResultsPage(const PageBuilder& builder, std::string_view query, const SearchResult& result,
                              size_t limit, size_t openAt)
{
    std::string page = builder.LoadTemplate("search", false);
    const std::string_view pageTemplate = page.empty() ? BuiltinSearchTemplate() : std::string_view(page);
    const size_t shown = std::min(limit, result.items.size());
    std::string escapedQuery;
    AppendEscaped(escapedQuery, query);
    return FillTemplate(pageTemplate, {{"*query*", escapedQuery},
                                       {"*counts*", Counts(result)},
                                       {"*groups*", GroupLinks(result)},
                                       {"*body*", ItemsBody(builder, result, shown)},
                                       {"*more*", MoreLink(shown, result.items.size())},
                                       {"*from*", std::to_string(std::min(openAt, shown))}});
}
