#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct ContentGroup;

// More items than this get a progress dialog while their table is built.
inline constexpr int ITEMS_PROGRESS_THRESHOLD = 100;

// What separates two rows of a page's table; the page template holds the
// "<tr>" before its body and the "</tr>" after it.
inline constexpr std::string_view ROW_BREAK = "</tr>\n<tr>";

// The item fragment of a content type ("item_logo", "item_pic",
// "item_ringtone" or "item_javagame"); "" for a code that is no type.
std::string ItemTemplateOf(int type);
// Cells per row of a groups page (an items page has its type's).
inline constexpr int GROUPS_PER_ROW = 2;

// Where an item's picture is on disk, behind the base path (which ends in
// "/"): data/ + the type's page media directory + G/I + its page media
// extension (ContentTypeInfo), as data/logos/G/I.gif for a logo. G and I are
// named as the update stores them (GroupFileName), and the whole path is
// made fit for an address (EncodePathForPage).
std::string LocalMediaPath(const std::string& basePath, int type, const std::string& groupId,
                           const std::string& itemId);

// Told about the table of a large items page while it is built.
class TableProgress
{
public:
    virtual ~TableProgress() = default;
    // The table will have this many items (more than the threshold).
    virtual void Begin(int items) = 0;
    // One more item is in the table.
    virtual void Step() = 0;
};

// Builds the three pages from the templates below basePath + "tpl/" and the
// catalogs, with their references still relative (the browser view
// resolves them). Nothing is kept between calls: a changed template shows
// at the next page.
class PageBuilder
{
public:
    explicit PageBuilder(std::string basePath) : m_basePath(std::move(basePath)) {}

    // The template's text, or only what stands between its "<body>" and
    // "</body>"; "" when it cannot be read.
    std::string LoadTemplate(const std::string& name, bool fragmentOnly) const;

    // The start page: the "content" template as it is.
    std::string ContentPage() const;
    // One "group" cell per group of the type, two to a row.
    std::string GroupsPage(int type) const;
    // One cell per item of the group labelled `groupLabel`, from the item
    // template; a label the catalog does not have gives no cells. Tables of
    // more than ITEMS_PROGRESS_THRESHOLD items report to `progress`.
    std::string ItemsPage(int type, const std::string& groupLabel, const std::string& itemTemplate,
                          TableProgress* progress) const;

    // One cell of an items page: the item fragment filled with item `item`
    // of the group, which must have it.
    std::string ItemCell(const std::string& cellTemplate, int type, const ContentGroup& group,
                         size_t item) const;
    // About how long a cell of that fragment comes out, to reserve room.
    static size_t ItemCellSize(const std::string& cellTemplate);

private:
    std::string m_basePath;
};
