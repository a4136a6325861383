#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "catalog/ContentGroup.h"

// Initial size of a catalog's group table. The table grows past it when an
// index lists more groups, so no group of a large index is lost.
inline constexpr int MAX_GROUPS = 300;

// The in-memory catalog of one content type: its groups and their items.
// Group and item indices are 0-based. Out-of-range indices are harmless:
// getters give "" or 0 and changes are ignored.
class ContentCatalog
{
public:
    ContentCatalog();
    virtual ~ContentCatalog();
    ContentCatalog(const ContentCatalog&) = delete;
    ContentCatalog& operator=(const ContentCatalog&) = delete;

    // Empties the item lists of every group in use and sets the group count
    // to 0. The lib and id of the cleared slots stay until the slot is reused.
    void Clear();

    // Puts lib and id into the next slot; its item lists are empty.
    void AddGroup(std::string lib, std::string id);

    int GetGroupCount() const { return m_groupCount; }
    std::string GetGroupLib(int group) const;
    std::string GetGroupId(int group) const;

    // The lowest index whose id (lib) equals the argument byte for byte; -1 if none.
    int FindGroupById(std::string_view id) const;
    int FindGroupByLib(std::string_view lib) const;

    // Appends an item unless the group is -1 or the label is empty. The
    // label's first character is upper-cased and bold tags, "&lt;"/"&gt;"
    // and line breaks are cleaned out of the description; then every value
    // is made storable (see MakeStorableValue).
    void AddItem(int group, std::string label, std::string id, std::string file,
                 std::string urlDownload, std::string desc);

    // AddItem for values that hold no CR or LF, as lines read from a cache:
    // the same result without scanning each value for line breaks.
    void AddStoredItem(int group, std::string label, std::string id, std::string file,
                       std::string urlDownload, std::string desc);

    // Makes room for that many more items, so that a load does not grow the
    // lists step by step.
    void ReserveItems(int group, size_t count);

    int GetItemCount(int group) const;
    std::string GetItemLib(int group, int item) const;
    void GetItemDetails(int group, int item, std::string& id, std::string& file,
                        std::string& urlDownload, std::string& desc) const;

    // Sorts a group's items by label in the order of the exchange sort the
    // cache files and pages rely on; -1 sorts every group in use.
    void SortItems(int group);

    // Read access without copies; null for an index that is not in use.
    const ContentGroup* Group(int group) const;

private:
    ContentGroup* MutableGroup(int group);
    void Append(ContentGroup& group, std::string label, std::string id, std::string file,
                std::string urlDownload, std::string desc);
    void SortGroup(ContentGroup& group);

    std::vector<ContentGroup> m_groups;
    int m_groupCount = 0;
};
