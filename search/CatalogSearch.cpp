#include "search/CatalogSearch.h"

#include <algorithm>
#include <cstring>

#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentTypeTable.h"
#include "search/SearchText.h"
#include "search/TextFinder.h"

namespace {

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

} // namespace

void CatalogSearch::Clear()
{
    *this = CatalogSearch();
}

void CatalogSearch::Build()
{
    Clear();
    size_t items = 0;
    size_t labelBytes = 0;
    size_t descBytes = 0;
    for (int code : CONTENT_TYPE_TREE_ORDER) {
        const ContentCatalog& catalog = *CatalogForType(code);
        for (int g = 0; g < catalog.GetGroupCount(); ++g) {
            const ContentGroup& group = *catalog.Group(g);
            items += group.labels.size();
            for (size_t i = 0; i < group.labels.size(); ++i) {
                labelBytes += group.labels[i].size() + 1;
                descBytes += group.descs[i].size() + 1;
            }
        }
    }
    // Folding seldom makes a text longer, so one allocation each.
    m_labels.reserve(labelBytes + labelBytes / 8);
    m_descs.reserve(descBytes + descBytes / 8);
    SearchFolder folder;
    m_items.reserve(items);
    m_labelStarts.reserve(items);
    m_descStarts.reserve(items);
    for (int code : CONTENT_TYPE_TREE_ORDER) {
        const ContentCatalog& catalog = *CatalogForType(code);
        const auto itemsBegin = static_cast<uint32_t>(m_items.size());
        const auto groupsBegin = static_cast<uint32_t>(m_groups.size());
        for (int g = 0; g < catalog.GetGroupCount(); ++g) {
            const ContentGroup& group = *catalog.Group(g);
            m_groups.push_back({code, g, 0});
            Append(folder, m_groupLabels, m_groupStarts, group.lib, false);
            for (size_t i = 0; i < group.labels.size(); ++i) {
                m_items.push_back({code, g, static_cast<int>(i)});
                Append(folder, m_labels, m_labelStarts, group.labels[i], false);
                Append(folder, m_descs, m_descStarts, group.descs[i], true);
            }
        }
        m_itemSpans.push_back({itemsBegin, static_cast<uint32_t>(m_items.size())});
        m_groupSpans.push_back({groupsBegin, static_cast<uint32_t>(m_groups.size())});
        m_spanTypes.push_back(code);
    }
}

CatalogSearch::Span CatalogSearch::RangeOf(const std::vector<Span>& spans, int typeCode, bool& known) const
{
    known = true;
    if (typeCode == 0)
        return {0, spans.empty() ? 0 : spans.back().end};
    for (size_t i = 0; i < m_spanTypes.size(); ++i)
        if (m_spanTypes[i] == typeCode)
            return spans[i];
    known = false;
    return {0, 0};
}

void CatalogSearch::Collect(const std::string& buffer, const std::vector<uint32_t>& starts, Span range,
                            std::string_view word, std::vector<uint32_t>& found) const
{
    if (range.begin >= range.end)
        return;
    const size_t end = range.end < starts.size() ? starts[range.end] : buffer.size();
    size_t from = starts[range.begin];
    const TextFinder finder(word);
    while (from < end) {
        const size_t at = finder.Find(std::string_view(buffer.data() + from, end - from));
        if (at == std::string_view::npos)
            break;
        const size_t position = from + at;
        // The entry whose text holds the position: the last start not above it.
        const auto next = std::upper_bound(starts.begin() + range.begin, starts.begin() + range.end,
                                           static_cast<uint32_t>(position));
        const auto entry = static_cast<uint32_t>(next - starts.begin() - 1);
        found.push_back(entry);
        from = entry + 1 < starts.size() ? starts[entry + 1] : end;
    }
}

SearchResult CatalogSearch::Find(std::string_view query, int typeCode) const
{
    SearchResult result;
    const std::vector<std::string> words = FoldQueryWords(query);
    if (words.empty())
        return result;
    bool known = false;
    const Span groupRange = RangeOf(m_groupSpans, typeCode, known);
    const Span itemRange = RangeOf(m_itemSpans, typeCode, known);
    if (!known)
        return result;

    for (uint32_t g = groupRange.begin; g < groupRange.end; ++g)
        if (HoldsAll(TextOf(m_groupLabels, m_groupStarts, g), words))
            result.groups.push_back({m_groups[g].type, m_groups[g].group});

    // The longest word narrows the items most; the others are checked on
    // what it found.
    const std::string& anchor =
        *std::max_element(words.begin(), words.end(),
                          [](const std::string& a, const std::string& b) { return a.size() < b.size(); });
    std::vector<uint32_t> inLabel;
    std::vector<uint32_t> inDesc;
    Collect(m_labels, m_labelStarts, itemRange, anchor, inLabel);
    Collect(m_descs, m_descStarts, itemRange, anchor, inDesc);
    std::vector<uint32_t> candidates;
    candidates.reserve(inLabel.size() + inDesc.size());
    std::set_union(inLabel.begin(), inLabel.end(), inDesc.begin(), inDesc.end(), std::back_inserter(candidates));

    std::vector<uint32_t> byDescription;
    for (uint32_t e : candidates) {
        const std::string_view label = TextOf(m_labels, m_labelStarts, e);
        if (HoldsAll(label, words)) {
            result.items.push_back({m_items[e].type, m_items[e].group, m_items[e].item});
            continue;
        }
        const std::string_view desc = TextOf(m_descs, m_descStarts, e);
        bool all = true;
        for (const std::string& word : words)
            if (label.find(word) == std::string_view::npos && desc.find(word) == std::string_view::npos) {
                all = false;
                break;
            }
        if (all)
            byDescription.push_back(e);
    }
    result.labelMatches = result.items.size();
    for (uint32_t e : byDescription)
        result.items.push_back({m_items[e].type, m_items[e].group, m_items[e].item});
    return result;
}

CatalogSearch& TheCatalogSearch()
{
    static CatalogSearch search;
    return search;
}
