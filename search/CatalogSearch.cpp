#include "search/CatalogSearch.h"

#include <algorithm>
#include <iterator>
#include <system_error>

#include <sys/resource.h>
#include <unistd.h>
#include <thread>

#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentTypeTable.h"
#include "search/BlockFilter.h"
#include "search/SearchText.h"
#include "search/TextFinder.h"

namespace {

// Below this many items one thread folds and searches all: a thread costs
// more than it saves.
constexpr size_t kItemsPerShard = 20000;

// The niceness of a build in the background.
constexpr int kBackgroundNice = 19;

uint32_t Offset(const std::string& buffer)
{
    return static_cast<uint32_t>(buffer.size());
}

void Append(SearchFolder& folder, std::string& buffer, std::vector<uint32_t>& starts, std::string_view text,
            bool stripTags)
{
    starts.push_back(Offset(buffer));
    folder.Append(text, stripTags, buffer);
    buffer += '\0';  // no folded text holds one, so no match runs into the next entry
}

// The text of entry i, without its NUL.
std::string_view TextOf(const std::string& buffer, const std::vector<uint32_t>& starts, uint32_t i)
{
    const uint32_t begin = starts[i];
    const uint32_t end = i + 1 < starts.size() ? starts[i + 1] : Offset(buffer);
    return std::string_view(buffer).substr(begin, end - begin - 1);
}

bool HoldsAll(std::string_view text, const std::vector<std::string>& words)
{
    for (const std::string& word : words)
        if (text.find(word) == std::string_view::npos)
            return false;
    return true;
}

// The entries of [begin, end) whose text holds the word, in order.
void Collect(const std::string& buffer, const std::vector<uint32_t>& starts, const BlockFilter& filter,
             uint32_t begin, uint32_t end, std::string_view word, std::vector<uint32_t>& found)
{
    if (begin >= end)
        return;
    const size_t stop = end < starts.size() ? starts[end] : buffer.size();
    auto cursor = starts.begin() + begin;
    size_t next = starts[begin];  // where the entry after the last one found begins
    const TextFinder finder(word);
    filter.ForEachRun(word, starts[begin], stop, [&](size_t runBegin, size_t runEnd) {
        size_t from = std::max(runBegin, next);
        while (from < runEnd) {
            const size_t at = finder.Find(std::string_view(buffer.data() + from, runEnd - from));
            if (at == std::string_view::npos)
                break;
            // The entry whose text holds the position: the last start not
            // above it. Hits come in order, so the search goes on from the
            // last one.
            cursor = std::upper_bound(cursor, starts.begin() + end, static_cast<uint32_t>(from + at)) - 1;
            const auto entry = static_cast<uint32_t>(cursor - starts.begin());
            found.push_back(entry);
            next = entry + 1 < starts.size() ? starts[entry + 1] : stop;
            from = next;
            ++cursor;
        }
    });
}

// Runs the work for every index, on threads of their own but the first.
template <typename Work>
void ForEachInParallel(size_t count, Work work)
{
    std::vector<std::thread> threads;
    for (size_t i = 1; i < count; ++i)
        threads.emplace_back(work, i);
    if (count > 0)
        work(size_t{0});
    for (std::thread& thread : threads)
        thread.join();
}

} // namespace

CatalogSearch::~CatalogSearch()
{
    if (m_building.valid())
        m_building.wait();
}

void CatalogSearch::WaitForBuild() const
{
    if (m_building.valid())
        m_building.get();
}

void CatalogSearch::Reset()
{
    m_shards = {};
    m_itemCount = 0;
    m_groupLabels = {};
    m_groupStarts = {};
    m_groups = {};
}

void CatalogSearch::Clear()
{
    WaitForBuild();
    Reset();
}

size_t CatalogSearch::ItemCount() const
{
    WaitForBuild();
    return m_itemCount;
}

size_t CatalogSearch::TextBytes() const
{
    WaitForBuild();
    size_t bytes = m_groupLabels.size();
    for (const Shard& shard : m_shards)
        bytes += shard.labels.size() + shard.descs.size();
    return bytes;
}

void CatalogSearch::Fold(Shard& shard, const std::vector<Entry>& entries, size_t begin, size_t end)
{
    size_t labelBytes = 0;
    size_t descBytes = 0;
    for (size_t e = begin; e < end; ++e) {
        const ContentGroup& group = *CatalogForType(entries[e].type)->Group(entries[e].group);
        labelBytes += group.labels[static_cast<size_t>(entries[e].item)].size() + 1;
        descBytes += group.descs[static_cast<size_t>(entries[e].item)].size() + 1;
    }
    // Folding seldom makes a text longer, so one allocation each.
    shard.labels.reserve(labelBytes + labelBytes / 8);
    shard.descs.reserve(descBytes + descBytes / 8);
    shard.labelStarts.reserve(end - begin);
    shard.descStarts.reserve(end - begin);
    shard.entries.assign(entries.begin() + static_cast<std::ptrdiff_t>(begin),
                         entries.begin() + static_cast<std::ptrdiff_t>(end));
    SearchFolder folder;
    for (size_t e = begin; e < end; ++e) {
        const Entry& entry = entries[e];
        const ContentGroup& group = *CatalogForType(entry.type)->Group(entry.group);
        const auto i = static_cast<size_t>(entry.item);
        Append(folder, shard.labels, shard.labelStarts, group.labels[i], false);
        Append(folder, shard.descs, shard.descStarts, group.descs[i], true);
        const auto local = static_cast<uint32_t>(e - begin);
        if (shard.types.empty() || shard.types.back().type != entry.type)
            shard.types.push_back({entry.type, local, local});
        shard.types.back().end = local + 1;
    }
    shard.labelFilter.Build(shard.labels);
    shard.descFilter.Build(shard.descs);
}

void CatalogSearch::Build()
{
    WaitForBuild();
    BuildNow();
}

void CatalogSearch::BuildInBackground()
{
    WaitForBuild();
    Reset();
    try {
        m_building = std::async(std::launch::async, [this] {
            // Behind whatever follows the load (the window coming up, the
            // browser starting): the threads it starts inherit the value.
            ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kBackgroundNice);
            BuildNow();
        });
    } catch (const std::system_error&) {
        BuildNow();  // no thread to be had: here, then
    }
}

void CatalogSearch::BuildNow()
{
    Reset();
    std::vector<Entry> entries;
    SearchFolder folder;
    for (int code : CONTENT_TYPE_TREE_ORDER) {
        const ContentCatalog& catalog = *CatalogForType(code);
        for (int g = 0; g < catalog.GetGroupCount(); ++g) {
            const ContentGroup& group = *catalog.Group(g);
            m_groups.push_back({code, g, 0});
            Append(folder, m_groupLabels, m_groupStarts, group.lib, false);
            for (size_t i = 0; i < group.labels.size(); ++i)
                entries.push_back({code, g, static_cast<int>(i)});
        }
    }
    m_itemCount = entries.size();
    const size_t threads = std::max<size_t>(1, std::thread::hardware_concurrency());
    const size_t shards = std::clamp<size_t>(entries.size() / kItemsPerShard, 1, threads);
    m_shards.resize(shards);
    ForEachInParallel(shards, [&](size_t s) {
        Fold(m_shards[s], entries, entries.size() * s / shards, entries.size() * (s + 1) / shards);
    });
}

CatalogSearch::ShardHits CatalogSearch::FindIn(const Shard& shard, const std::vector<std::string>& words,
                                               int typeCode)
{
    ShardHits hits;
    uint32_t begin = 0;
    uint32_t end = static_cast<uint32_t>(shard.entries.size());
    if (typeCode != 0) {
        const auto span = std::find_if(shard.types.begin(), shard.types.end(),
                                       [&](const TypeSpan& t) { return t.type == typeCode; });
        if (span == shard.types.end())
            return hits;
        begin = span->begin;
        end = span->end;
    }
    // The longest word narrows the items most; the others are checked on
    // what it found.
    const std::string& anchor =
        *std::max_element(words.begin(), words.end(),
                          [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
    std::vector<uint32_t> inLabel;
    std::vector<uint32_t> inDesc;
    Collect(shard.labels, shard.labelStarts, shard.labelFilter, begin, end, anchor, inLabel);
    Collect(shard.descs, shard.descStarts, shard.descFilter, begin, end, anchor, inDesc);
    if (words.size() == 1) {
        hits.byLabel = std::move(inLabel);
        std::set_difference(inDesc.begin(), inDesc.end(), hits.byLabel.begin(), hits.byLabel.end(),
                            std::back_inserter(hits.byDescription));
        return hits;
    }
    std::vector<uint32_t> candidates;
    candidates.reserve(inLabel.size() + inDesc.size());
    std::set_union(inLabel.begin(), inLabel.end(), inDesc.begin(), inDesc.end(), std::back_inserter(candidates));
    for (uint32_t e : candidates) {
        const std::string_view label = TextOf(shard.labels, shard.labelStarts, e);
        if (HoldsAll(label, words)) {
            hits.byLabel.push_back(e);
            continue;
        }
        const std::string_view desc = TextOf(shard.descs, shard.descStarts, e);
        bool all = true;
        for (const std::string& word : words)
            if (label.find(word) == std::string_view::npos && desc.find(word) == std::string_view::npos) {
                all = false;
                break;
            }
        if (all)
            hits.byDescription.push_back(e);
    }
    return hits;
}

SearchResult CatalogSearch::Find(std::string_view query, int typeCode) const
{
    WaitForBuild();
    SearchResult result;
    const std::vector<std::string> words = FoldQueryWords(query);
    if (words.empty())
        return result;
    for (uint32_t g = 0; g < m_groups.size(); ++g)
        if ((typeCode == 0 || m_groups[g].type == typeCode) && HoldsAll(TextOf(m_groupLabels, m_groupStarts, g), words))
            result.groups.push_back({m_groups[g].type, m_groups[g].group});

    std::vector<ShardHits> hits(m_shards.size());
    ForEachInParallel(m_shards.size(), [&](size_t s) { hits[s] = FindIn(m_shards[s], words, typeCode); });
    // Shards hold the entries in order: their label matches one after the
    // other, then their description matches.
    for (size_t s = 0; s < m_shards.size(); ++s)
        for (uint32_t e : hits[s].byLabel)
            result.items.push_back({m_shards[s].entries[e].type, m_shards[s].entries[e].group, m_shards[s].entries[e].item});
    result.labelMatches = result.items.size();
    for (size_t s = 0; s < m_shards.size(); ++s)
        for (uint32_t e : hits[s].byDescription)
            result.items.push_back({m_shards[s].entries[e].type, m_shards[s].entries[e].group, m_shards[s].entries[e].item});
    return result;
}

CatalogSearch& TheCatalogSearch()
{
    static CatalogSearch search;
    return search;
}
