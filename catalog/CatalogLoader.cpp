#include "catalog/CatalogLoader.h"

#include <filesystem>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "catalog/AtomicFileWriter.h"
#include "catalog/CacheLines.h"
#include "catalog/CacheReader.h"
#include "catalog/CatalogPaths.h"
#include "catalog/CatalogText.h"
#include "catalog/ContentCatalog.h"
#include "catalog/TextFile.h"
#include "catalog/WriteFailures.h"
#include "xml/XmlParser.h"
#include "xml/XmlQuery.h"

namespace {

} // namespace

void RemoveCaches(const std::string& typeDir)
{
    std::error_code error;
    std::vector<std::filesystem::path> caches;
    for (std::filesystem::directory_iterator it(typeDir, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name == "cats.dat" || (name.starts_with("data_") && name.ends_with(".dat")))
            caches.push_back(it->path());
    }
    for (const std::filesystem::path& cache : caches)
        std::filesystem::remove(cache, error);  // what stays is rewritten, or reported so
}

namespace {

// The text of the first child of that name; "" when there is none.
std::string ChildText(const XmlNode& node, std::string_view name)
{
    const XmlNode* child = GetChild(node, name);
    return child ? GetText(*child, SharedOutputOptions()) : std::string();
}

// The C library's atoi: leading white space, an optional sign, digits. A
// value past the int range, which atoi leaves undefined, saturates.
int ParseCount(const std::string& line)
{
    size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || (line[i] >= '\t' && line[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < line.size() && (line[i] == '+' || line[i] == '-'))
        negative = line[i++] == '-';
    long long value = 0;
    for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
        value = value * 10 + (line[i] - '0');
        if (value > (1LL << 31))
            break;
    }
    if (negative)
        value = -value;
    if (value > 0x7FFFFFFF)
        return 0x7FFFFFFF;
    if (value < -0x7FFFFFFF - 1)
        return -0x7FFFFFFF - 1;
    return static_cast<int>(value);
}

// State of one LoadCatalog run.
class TypeLoad
{
public:
    TypeLoad(ContentCatalog& catalog, const std::string& key, bool rebuild, WriteFailures* failures)
        : m_catalog(catalog), m_dir(TypeDirectory(key)), m_rebuild(rebuild), m_failures(failures)
    {
    }

    void Run();

private:
    void LoadGroup(const std::string& lib, const std::string& id);
    void RebuildGroup(int group, const std::string& id, const std::string& cachePath);
    void ReadGroupCache(int group, CacheReader& cache);
    void AddListingItem(int group, const XmlNode& item);
    int FirstGroupWithId(const std::string& id);
    // Commits the cache; a failure goes to m_failures.
    bool Finish(AtomicFileWriter& cache, const std::string& path);

    ContentCatalog& m_catalog;
    const std::string m_dir;
    const bool m_rebuild;
    WriteFailures* m_failures;
    XmlNode m_pageTree;  // reused for every page of the run
    CacheReader m_groupCache;  // one group file at a time, its buffer reused
    // Group caches written by this run: a later group that maps to the same
    // file reads it back instead of writing it again, as a load from the
    // caches would.
    std::unordered_set<std::string> m_written;
    std::unordered_map<std::string, int> m_firstById;
};

void TypeLoad::Run()
{
    std::error_code error;
    if (!std::filesystem::is_directory(m_dir, error)) {
        // No caches can be kept where there is no directory: nothing is
        // lost, so nothing is reported.
        m_failures = nullptr;
    }
    RemoveStaleTemporaries(m_dir);
    // Whatever stops a rebuild halfway must not leave caches of the old
    // files beside caches of the new ones: the old ones go first, and the
    // next load rebuilds what is missing.
    if (m_rebuild)
        RemoveCaches(m_dir);

    CacheReader indexCache;
    const bool useCache = !m_rebuild && indexCache.Open(IndexCachePath(m_dir));
    XmlNode indexTree;
    AtomicFileWriter newIndex;
    std::vector<const XmlNode*> ressources;
    if (!useCache) {
        Parse(indexTree, ReadTextFile(IndexXmlPath(m_dir)), SharedParseInfo());
        ressources = GetChildren(indexTree, "ressource");
        newIndex.Open(IndexCachePath(m_dir));
    }

    m_catalog.Clear();

    if (useCache) {
        const int count = ParseCount(ReadCacheLine(indexCache));
        for (int g = 0; g < count; ++g) {
            // A count larger than the file is not believed past its end.
            if (indexCache.AtEnd())
                break;
            std::string id = ReadCacheLine(indexCache);
            std::string lib = ReadCacheLine(indexCache);
            LoadGroup(lib, id);
        }
        return;
    }

    WriteCacheLine(newIndex, std::to_string(ressources.size()));
    for (const XmlNode* ressource : ressources) {
        std::string id = ChildText(*ressource, "id");
        std::string lib = ChildText(*ressource, "lib");
        MakeStorableValue(id);
        MakeStorableValue(lib);
        WriteCacheLine(newIndex, id);
        WriteCacheLine(newIndex, lib);
        LoadGroup(lib, id);
    }
    Finish(newIndex, IndexCachePath(m_dir));
}

bool TypeLoad::Finish(AtomicFileWriter& cache, const std::string& path)
{
    if (cache.Commit())
        return true;
    if (m_failures)
        m_failures->Add(path, cache.Error());
    return false;
}

int TypeLoad::FirstGroupWithId(const std::string& id)
{
    // Same answer as FindGroupById right after AddGroup, without a scan of
    // all groups for each one.
    const int added = m_catalog.GetGroupCount() - 1;
    return m_firstById.try_emplace(id, added).first->second;
}

void TypeLoad::LoadGroup(const std::string& lib, const std::string& id)
{
    m_catalog.AddGroup(lib, id);
    const int group = FirstGroupWithId(id);
    const std::string cachePath = GroupCachePath(m_dir, id);
    const bool mayRead = !m_rebuild || m_written.contains(cachePath);
    if (mayRead && m_groupCache.Open(cachePath))
        ReadGroupCache(group, m_groupCache);
    else
        RebuildGroup(group, id, cachePath);
    m_groupCache.Close();
}

void TypeLoad::RebuildGroup(int group, const std::string& id, const std::string& cachePath)
{
    AtomicFileWriter cache;
    cache.Open(cachePath);
    for (int page = 1;; ++page) {
        const std::string text = ReadTextFile(ListingPagePath(m_dir, id, page));
        if (text.empty())
            break;
        Parse(m_pageTree, text, SharedParseInfo());
        for (const XmlNode& child : m_pageTree.children)
            if (child.name == "ressource")
                AddListingItem(group, child);
    }
    m_catalog.SortItems(group);

    const ContentGroup* g = m_catalog.Group(group);
    for (size_t i = 0; i < g->labels.size(); ++i) {
        WriteCacheLine(cache, g->labels[i]);
        WriteCacheLine(cache, g->ids[i]);
        WriteCacheLine(cache, g->urls[i]);
        WriteCacheLine(cache, g->files[i]);
        WriteCacheLine(cache, g->descs[i]);
    }
    if (Finish(cache, cachePath))
        m_written.insert(cachePath);
}

void TypeLoad::AddListingItem(int group, const XmlNode& item)
{
    std::string label = ChildText(item, "lib");
    std::string author = ChildText(item, "author");
    if (!author.empty())
        label = std::move(author) + " - " + label;
    const XmlNode* file = GetChild(item, "file");
    if (!file)
        file = GetChild(item, "screenbox");
    m_catalog.AddItem(group, std::move(label), ChildText(item, "id"),
                      file ? GetText(*file, SharedOutputOptions()) : std::string(),
                      ChildText(item, "url_download"), ChildText(item, "desc"));
}

void TypeLoad::ReadGroupCache(int group, CacheReader& cache)
{
    // Five lines an item; a last line without its line feed may add one.
    m_catalog.ReserveItems(group, (cache.CountLineFeeds() + 1) / 5);
    std::string label = ReadCacheLine(cache);
    while (!label.empty()) {
        if (cache.AtEnd())
            break;
        std::string id = ReadCacheLine(cache);
        std::string url = ReadCacheLine(cache);
        std::string file = ReadCacheLine(cache);
        std::string desc = ReadCacheLine(cache);
        // Cache lines hold no line break: ReadCacheLine drops them.
        m_catalog.AddStoredItem(group, std::move(label), std::move(id), std::move(file),
                                std::move(url), std::move(desc));
        if (cache.AtEnd())
            break;
        label = ReadCacheLine(cache);
    }
}

} // namespace

void LoadCatalog(ContentCatalog& catalog, const std::string& key, bool rebuild, WriteFailures* failures)
{
    TypeLoad(catalog, key, rebuild, failures).Run();
}
