#include "catalog/ContentCatalog.h"

#include <utility>

#include "catalog/CatalogText.h"
#include "catalog/ExchangeSortOrder.h"

namespace {

// Moves the entries of a list into the order given by `order`.
void ApplyOrder(std::vector<std::string>& list, const std::vector<size_t>& order)
{
    std::vector<std::string> sorted;
    sorted.reserve(list.size());
    for (size_t from : order)
        sorted.push_back(std::move(list[from]));
    list.swap(sorted);
}

} // namespace

ContentCatalog::ContentCatalog()
    : m_groups(MAX_GROUPS)
{
}

ContentCatalog::~ContentCatalog() = default;

void ContentCatalog::Clear()
{
    for (int i = 0; i < m_groupCount; ++i) {
        ContentGroup& group = m_groups[static_cast<size_t>(i)];
        // Releasing the storage, not just the entries, keeps a reload with
        // fewer items from holding on to the memory of the previous one.
        group.labels = {};
        group.files = {};
        group.ids = {};
        group.urls = {};
        group.descs = {};
    }
    m_groupCount = 0;
}

void ContentCatalog::AddGroup(std::string lib, std::string id)
{
    if (static_cast<size_t>(m_groupCount) == m_groups.size())
        m_groups.emplace_back();
    ContentGroup& group = m_groups[static_cast<size_t>(m_groupCount)];
    group.lib = std::move(lib);
    group.id = std::move(id);
    ++m_groupCount;
}

const ContentGroup* ContentCatalog::Group(int group) const
{
    if (group < 0 || group >= m_groupCount)
        return nullptr;
    return &m_groups[static_cast<size_t>(group)];
}

ContentGroup* ContentCatalog::MutableGroup(int group)
{
    return const_cast<ContentGroup*>(std::as_const(*this).Group(group));
}

std::string ContentCatalog::GetGroupLib(int group) const
{
    const ContentGroup* g = Group(group);
    return g ? g->lib : std::string();
}

std::string ContentCatalog::GetGroupId(int group) const
{
    const ContentGroup* g = Group(group);
    return g ? g->id : std::string();
}

int ContentCatalog::FindGroupById(std::string_view id) const
{
    for (int i = 0; i < m_groupCount; ++i)
        if (m_groups[static_cast<size_t>(i)].id == id)
            return i;
    return -1;
}

int ContentCatalog::FindGroupByLib(std::string_view lib) const
{
    for (int i = 0; i < m_groupCount; ++i)
        if (m_groups[static_cast<size_t>(i)].lib == lib)
            return i;
    return -1;
}

void ContentCatalog::AddItem(int group, std::string label, std::string id, std::string file,
                             std::string urlDownload, std::string desc)
{
    ContentGroup* g = MutableGroup(group);
    if (!g || label.empty())
        return;
    CapitaliseFirst(label);
    CleanDescription(desc);
    // After the transformations, so that a label that grew by a byte when
    // upper-cased still fits a cache line.
    MakeStorableValue(label);
    MakeStorableValue(id);
    MakeStorableValue(file);
    MakeStorableValue(urlDownload);
    MakeStorableValue(desc);
    Append(*g, std::move(label), std::move(id), std::move(file), std::move(urlDownload), std::move(desc));
}

void ContentCatalog::AddStoredItem(int group, std::string label, std::string id, std::string file,
                                   std::string urlDownload, std::string desc)
{
    ContentGroup* g = MutableGroup(group);
    if (!g || label.empty())
        return;
    CapitaliseFirst(label);
    CleanDescription(desc);
    CutToStoredLength(label);
    CutToStoredLength(id);
    CutToStoredLength(file);
    CutToStoredLength(urlDownload);
    CutToStoredLength(desc);
    Append(*g, std::move(label), std::move(id), std::move(file), std::move(urlDownload), std::move(desc));
}

void ContentCatalog::Append(ContentGroup& group, std::string label, std::string id, std::string file,
                            std::string urlDownload, std::string desc)
{
    group.files.push_back(std::move(file));
    group.ids.push_back(std::move(id));
    group.urls.push_back(std::move(urlDownload));
    group.labels.push_back(std::move(label));
    group.descs.push_back(std::move(desc));
}

void ContentCatalog::ReserveItems(int group, size_t count)
{
    ContentGroup* g = MutableGroup(group);
    if (!g)
        return;
    const size_t size = g->labels.size() + count;
    g->labels.reserve(size);
    g->files.reserve(size);
    g->ids.reserve(size);
    g->urls.reserve(size);
    g->descs.reserve(size);
}

int ContentCatalog::GetItemCount(int group) const
{
    const ContentGroup* g = Group(group);
    return g ? static_cast<int>(g->labels.size()) : 0;
}

std::string ContentCatalog::GetItemLib(int group, int item) const
{
    const ContentGroup* g = Group(group);
    if (!g || item < 0 || static_cast<size_t>(item) >= g->labels.size())
        return {};
    return g->labels[static_cast<size_t>(item)];
}

void ContentCatalog::GetItemDetails(int group, int item, std::string& id, std::string& file,
                                    std::string& urlDownload, std::string& desc) const
{
    const ContentGroup* g = Group(group);
    if (!g || item < 0 || static_cast<size_t>(item) >= g->labels.size()) {
        id.clear();
        file.clear();
        urlDownload.clear();
        desc.clear();
        return;
    }
    const auto i = static_cast<size_t>(item);
    id = g->ids[i];
    file = g->files[i];
    urlDownload = g->urls[i];
    desc = g->descs[i];
}

void ContentCatalog::SortItems(int group)
{
    if (group == -1) {
        for (int i = 0; i < m_groupCount; ++i)
            SortGroup(m_groups[static_cast<size_t>(i)]);
        return;
    }
    if (ContentGroup* g = MutableGroup(group))
        SortGroup(*g);
}

void ContentCatalog::SortGroup(ContentGroup& group)
{
    std::vector<size_t> order;
    if (!ExchangeSortOrder(group.labels, order))
        return;
    ApplyOrder(group.labels, order);
    ApplyOrder(group.files, order);
    ApplyOrder(group.ids, order);
    ApplyOrder(group.urls, order);
    ApplyOrder(group.descs, order);
}
