#pragma once

#include <cstddef>
#include <cstdint>
#include <future>
#include <string>
#include <string_view>
#include <vector>

#include "search/BlockFilter.h"

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
    CatalogSearch() = default;
    CatalogSearch(const CatalogSearch&) = delete;
    CatalogSearch& operator=(const CatalogSearch&) = delete;
    ~CatalogSearch();

    // Folds the seven catalogs as they are now (CatalogForType).
    void Build();
    // Build() on a thread of its own, so that a load does not wait for it.
    // Every other call waits until it is done; the catalogs must not change
    // meanwhile (Clear first, which waits, then load).
    void BuildInBackground();
    void Clear();

    // Finds the query's words; `typeCode` 0 searches every type, another
    // code that type only. An empty query, or one of blanks only, finds
    // nothing.
    SearchResult Find(std::string_view query, int typeCode = 0) const;

    size_t ItemCount() const;
    // Bytes of folded text held.
    size_t TextBytes() const;

private:
    struct Entry
    {
        int type;
        int group;
        int item;
    };
    struct TypeSpan
    {
        int type;
        uint32_t begin;  // entries [begin, end) are of this type
        uint32_t end;
    };
    // A run of the entries with their folded texts, built and searched on
    // a thread of its own. Texts follow one another, each ended by a NUL
    // byte; starts[i] is where entry i's text begins.
    struct Shard
    {
        std::string labels;
        std::string descs;
        std::vector<uint32_t> labelStarts;
        std::vector<uint32_t> descStarts;
        std::vector<Entry> entries;
        std::vector<TypeSpan> types;
        BlockFilter labelFilter;
        BlockFilter descFilter;
    };
    struct ShardHits
    {
        std::vector<uint32_t> byLabel;
        std::vector<uint32_t> byDescription;
    };

    // Waits for a build on its thread; its failure comes out here.
    void WaitForBuild() const;
    void Reset();
    void BuildNow();

    static void Fold(Shard& shard, const std::vector<Entry>& entries, size_t begin, size_t end);
    static ShardHits FindIn(const Shard& shard, const std::vector<std::string>& words, int typeCode);

    std::vector<Shard> m_shards;  // the entries in search order, shard after shard
    size_t m_itemCount = 0;

    std::string m_groupLabels;
    std::vector<uint32_t> m_groupStarts;
    std::vector<Entry> m_groups;

    mutable std::future<void> m_building;  // of BuildInBackground, until waited for
};

// The program's one index, built after every load of the catalog.
CatalogSearch& TheCatalogSearch();
