#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A group or an item found, by content type code and indices into that
// type's catalog (CatalogForType) as it was when the index was built.
struct SearchGroupHit
{
    int type = 0;
    int group = 0;
};

struct SearchItemHit
{
    int type = 0;
    int group = 0;
    int item = 0;
};

// What a query finds: the groups whose label holds every word, then the
// items; those whose label holds every word come first (labelMatches of
// them), then those that need their description. Each part is in the
// tree's order of the types, groups in catalog order, items in group order.
struct SearchResult
{
    std::vector<SearchGroupHit> groups;
    std::vector<SearchItemHit> items;
    size_t labelMatches = 0;
};

// The seven catalogs folded for search (SearchText.h), held beside them:
// built after every load, read by every query. An item matches when every
// word of the query occurs in its label or its description.
class CatalogSearch
{
public:
    // Folds the seven catalogs as they are now (CatalogForType).
    void Build();
    void Clear();

    // Finds the query's words; `typeCode` 0 searches every type, another
    // code that type only. An empty query, or one of blanks only, finds
    // nothing.
    SearchResult Find(std::string_view query, int typeCode = 0) const;

    size_t ItemCount() const { return m_items.size(); }
    // Bytes of folded text held.
    size_t TextBytes() const { return m_labels.size() + m_descs.size() + m_groupLabels.size(); }

private:
    struct Entry
    {
        int type;
        int group;
        int item;
    };
    struct Span
    {
        uint32_t begin;
        uint32_t end;  // the entries [begin, end) of one type
    };

    // Entries (of the range) whose text in `buffer` holds the word, in order.
    void Collect(const std::string& buffer, const std::vector<uint32_t>& starts, Span range,
                 std::string_view word, std::vector<uint32_t>& found) const;
    Span RangeOf(const std::vector<Span>& spans, int typeCode, bool& known) const;

    // Texts of all items one after the other, each ended by a NUL byte;
    // starts[i] is where entry i's text begins.
    std::string m_labels;
    std::string m_descs;
    std::vector<uint32_t> m_labelStarts;
    std::vector<uint32_t> m_descStarts;
    std::vector<Entry> m_items;
    std::vector<Span> m_itemSpans;  // per type, in tree order, with its code

    std::string m_groupLabels;
    std::vector<uint32_t> m_groupStarts;
    std::vector<Entry> m_groups;
    std::vector<Span> m_groupSpans;
    std::vector<int> m_spanTypes;   // the type code of each span
};

// The program's one index, built after every load of the catalog.
CatalogSearch& TheCatalogSearch();
