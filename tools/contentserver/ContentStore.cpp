#include "tools/contentserver/ContentStore.h"

#include <cstdio>

#include "catalog/CatalogPaths.h"
#include "tools/catgen/CatalogGenerator.h"
#include "tools/catgen/GeneratedCatalog.h"
#include "tools/contentserver/DownloadShelf.h"
#include "tools/contentserver/HostileContent.h"
#include "tools/contentserver/ListingPages.h"
#include "tools/contentserver/MediaPath.h"
#include "tools/contentserver/UpdateQuery.h"
#include "xml/XmlEntityTable.h"
#include "xml/XmlParser.h"
#include "xml/XmlQuery.h"

namespace {

std::string ReadBinary(const std::filesystem::path& path, bool& found)
{
    found = false;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return {};
    std::string bytes;
    char buffer[16384];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
        bytes.append(buffer, n);
    found = !std::ferror(file);
    std::fclose(file);
    return bytes;
}

std::string ReadBinary(const std::filesystem::path& path)
{
    bool found = false;
    return ReadBinary(path, found);
}

// "http://h:1/x/" gives "http://h:1" and "/x/".
std::pair<std::string, std::string> SplitAddress(const std::string& address)
{
    const auto scheme = address.find("://");
    const auto slash = address.find('/', scheme == std::string::npos ? 0 : scheme + 3);
    if (slash == std::string::npos)
        return {address, "/"};
    return {address.substr(0, slash), address.substr(slash)};
}

struct GroupIds
{
    std::string literal;  // the text of the file, references decoded, backslashes kept
    std::string program;  // what the program reads: backslash escapes applied, text encoded
};

// The ids of the index's groups, read both ways.
std::vector<GroupIds> ReadGroupIds(const std::string& document)
{
    XmlParseInfo programInfo = DefaultParseInfo();
    XmlParseInfo literalInfo = DefaultParseInfo();
    literalInfo.escapeChar = 0;
    XmlOutputOptions plain;
    plain.encodeReferences = false;

    XmlNode programTree;
    XmlNode literalTree;
    Parse(programTree, document, programInfo);
    Parse(literalTree, document, literalInfo);
    const auto programGroups = GetChildren(programTree, "ressource");
    const auto literalGroups = GetChildren(literalTree, "ressource");

    std::vector<GroupIds> ids(literalGroups.size());
    for (std::size_t i = 0; i < literalGroups.size(); ++i) {
        if (const XmlNode* id = GetChild(*literalGroups[i], "id"))
            ids[i].literal = GetText(*id, plain);
        if (i < programGroups.size())
            if (const XmlNode* id = GetChild(*programGroups[i], "id"))
                ids[i].program = GetText(*id, SharedOutputOptions());
    }
    return ids;
}

// By the body's signature first: the generator's previews are GIF files
// under the ".jpg" names of their addresses.
std::string MediaType(std::string_view path, std::string_view body)
{
    if (body.starts_with("GIF8"))
        return "image/gif";
    const auto dot = path.rfind('.');
    const std::string_view ending = dot == std::string_view::npos ? "" : path.substr(dot);
    if (ending == ".gif")
        return "image/gif";
    if (ending == ".jpg")
        return "image/jpeg";
    if (ending == ".mid")
        return "audio/midi";
    return "application/octet-stream";
}

ContentStore::Answer NotFound(std::string note)
{
    ContentStore::Answer answer;
    answer.status = 404;
    answer.body = "Not found: " + note + "\n";
    answer.note = std::move(note);
    return answer;
}

} // namespace

ContentStore::ContentStore(std::filesystem::path contentDir, std::string mediaBase)
    : m_dir(std::move(contentDir)),
      m_configuredBase(std::move(mediaBase)),
      m_downloads(std::make_unique<DownloadShelf>(m_dir))
{
}

ContentStore::~ContentStore() = default;

void ContentStore::SetOwnOrigin(std::string origin, bool rewrite)
{
    std::lock_guard lock(m_mutex);
    m_ownOrigin = std::move(origin);
    m_rewrite = rewrite;
    m_listings.clear();
}

void ContentStore::SetHostileIds(bool on, bool withNulId)
{
    std::lock_guard lock(m_mutex);
    m_hostile = on;
    m_hostileNul = withNulId;
    m_indexes.clear();
}

ContentStore::Stamp ContentStore::StampOf(const std::filesystem::path& path)
{
    Stamp stamp;
    std::error_code error;
    stamp.time = std::filesystem::last_write_time(path, error);
    if (error)
        return {};
    stamp.size = std::filesystem::file_size(path, error);
    stamp.exists = !error;
    return stamp;
}

ContentStore::Answer ContentStore::Index(int code)
{
    std::lock_guard lock(m_mutex);
    const TypeIndex* index = LoadIndex(code);
    if (!index)
        return NotFound("no index for type " + std::to_string(code));
    Answer answer;
    answer.status = 200;
    answer.body = index->document;
    answer.contentType = "text/xml";
    return answer;
}

ContentStore::Answer ContentStore::Listing(int code, std::string_view cat, int page, int pageSize)
{
    std::lock_guard lock(m_mutex);
    ResolveMediaBase();  // before any listing is cached: it may drop them all
    const TypeIndex* index = LoadIndex(code);
    if (!index)
        return NotFound("no index for type " + std::to_string(code));
    const std::string_view asSent = TrimBlanks(cat);
    const std::string decoded = PercentDecoded(cat);
    const std::string_view asDecoded = TrimBlanks(decoded);
    for (const bool decode : {false, true}) {
        for (const IndexGroup& group : index->groups) {
            for (const std::string& key : group.keys) {
                if (key != (decode ? asDecoded : asSent))
                    continue;
                Answer answer;
                answer.status = 200;
                answer.contentType = "text/xml";
                answer.body = AssembleListingPage(LoadListing(code, group).items, page, pageSize);
                return answer;
            }
        }
    }
    return NotFound("no group '" + std::string(cat) + "' in type " + std::to_string(code));
}

bool ContentStore::IsMediaPath(std::string_view path)
{
    std::lock_guard lock(m_mutex);
    ResolveMediaBase();
    return path.rfind(m_mediaPath, 0) == 0 || path.rfind(HostileMediaPrefix(), 0) == 0;
}

ContentStore::Answer ContentStore::Media(std::string_view path)
{
    std::unique_lock lock(m_mutex);
    ResolveMediaBase();
    Answer answer;
    if (path.rfind(HostileMediaPrefix(), 0) == 0) {
        lock.unlock();
        const auto picture = HostilePicture(path.substr(HostileMediaPrefix().size()));
        if (!picture)
            return NotFound("no hostile picture " + std::string(path));
        answer.status = 200;
        answer.body = *picture;
        answer.contentType = MediaType(path, answer.body);
        return answer;
    }
    if (path.rfind(m_mediaPath, 0) != 0)
        return NotFound("not a media path");
    const auto relative = MediaFilePath(path.substr(m_mediaPath.size()));
    lock.unlock();
    if (!relative)
        return NotFound("unsafe or malformed media path");
    bool found = false;
    answer.body = ReadBinary(m_dir / *relative, found);
    if (!found)
        return NotFound("no file " + relative->string());
    answer.status = 200;
    answer.contentType = MediaType(path, answer.body);
    return answer;
}

ContentStore::Answer ContentStore::Download(std::string_view query)
{
    const DownloadQuery parsed = ParseDownloadQuery(query);
    Answer answer = m_downloads->Fetch(parsed);
    if (answer.status == 200 && parsed.form == "jad") {
        std::lock_guard lock(m_mutex);
        ResolveMediaBase();
        answer.body = Rewritten(std::move(answer.body));
    }
    return answer;
}

const ContentStore::TypeIndex* ContentStore::LoadIndex(int code)
{
    const std::string_view key = ContentTypeKey(code);
    if (key.empty())
        return nullptr;
    const std::filesystem::path path = m_dir / "data" / std::string(key) / "cats.xml";
    const Stamp stamp = StampOf(path);
    const auto cached = m_indexes.find(code);
    if (cached != m_indexes.end() && cached->second.stamp == stamp &&
        cached->second.hostile == m_hostile)
        return stamp.exists || m_hostile ? &cached->second : nullptr;
    if (!stamp.exists && !m_hostile) {
        m_indexes.erase(code);
        return nullptr;
    }

    TypeIndex index;
    index.stamp = stamp;
    index.hostile = m_hostile;
    std::string document = stamp.exists ? ReadBinary(path) : AssembleIndex({});
    std::vector<GroupIds> ids = ReadGroupIds(document);
    if (m_hostile) {
        // The program looks the hostile groups up first: an id such as " 12 "
        // may also be on disk.
        std::string extra;
        for (std::size_t h = 0; h < HostileGroups().size(); ++h) {
            const HostileGroup& hostile = HostileGroups()[h];
            const auto nul = hostile.id.find('\0');
            if (nul != std::string::npos && !m_hostileNul)
                continue;
            extra += HostileIndexFragment(hostile);
            IndexGroup group;
            group.hostile = static_cast<int>(h);
            group.keys.emplace_back(TrimBlanks(hostile.id));
            if (nul != std::string::npos)
                group.keys.emplace_back(TrimBlanks(hostile.id.substr(0, nul)));
            index.groups.push_back(std::move(group));
        }
        const auto close = document.rfind("</response>");
        document.insert(close == std::string::npos ? document.size() : close, extra);
    }
    for (const GroupIds& id : ids) {
        IndexGroup group;
        group.keys.emplace_back(TrimBlanks(id.literal));
        if (TrimBlanks(id.program) != group.keys.front())
            group.keys.emplace_back(TrimBlanks(id.program));
        group.directory = GroupDirectoryName(id.literal);
        index.groups.push_back(std::move(group));
    }
    index.document = std::move(document);
    TypeIndex& stored = m_indexes[code] = std::move(index);
    return &stored;
}

const ContentStore::GroupListing& ContentStore::LoadListing(int code, const IndexGroup& group)
{
    static const GroupListing kEmpty;
    if (group.hostile >= 0) {
        auto& listing = m_listings[{code, "\n" + std::to_string(group.hostile)}];
        if (listing.items.empty())
            listing.items = HostileListingItems(code, static_cast<std::size_t>(group.hostile),
                                                m_ownOrigin);
        return listing;
    }
    // A directory name that would leave data/<key> lists nothing; the
    // generator never makes one.
    if (group.directory.empty() || group.directory == "." || group.directory == ".." ||
        group.directory.find('\0') != std::string::npos)
        return kEmpty;

    const std::filesystem::path dir =
        m_dir / "data" / std::string(ContentTypeKey(code)) / group.directory;
    const Stamp stamp = StampOf(dir / "1.xml");
    GroupListing& listing = m_listings[{code, group.directory}];
    if (listing.stamp == stamp && stamp.exists)
        return listing;

    listing = GroupListing();
    listing.stamp = stamp;
    const std::string first = ReadBinary(dir / "1.xml");
    const int pages = RootAttributeNumber(first, "max_page");
    for (int page = 1; page == 1 || page <= pages; ++page) {
        const std::string text =
            page == 1 ? first : ReadBinary(dir / (std::to_string(page) + ".xml"));
        for (std::string& item : SplitListingItems(text))
            listing.items.push_back(Rewritten(std::move(item)));
    }
    return listing;
}

std::string ContentStore::Rewritten(std::string text) const
{
    if (!m_rewrite || m_ownOrigin.empty() || m_ownOrigin == m_contentOrigin)
        return text;
    const std::string from = m_contentOrigin + "/";
    const std::string to = m_ownOrigin + "/";
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

void ContentStore::ResolveMediaBase()
{
    if (m_baseKnown)
        return;
    std::string base = m_configuredBase;
    if (base.empty())
        base = DetectMediaBase();
    // Content without pictures yet: the generator's default, and look again later.
    m_baseKnown = !base.empty();
    if (base.empty())
        base = kDefaultMediaBase;
    if (base.back() != '/')
        base += '/';
    auto [origin, path] = SplitAddress(base);
    if (m_contentOrigin != origin || m_mediaPath != path)
        m_listings.clear();
    m_contentOrigin = std::move(origin);
    m_mediaPath = std::move(path);
}

std::string ContentStore::DetectMediaBase() const
{
    for (const int code : {1, 3, 26}) {
        const std::filesystem::path typeDir = m_dir / "data" / std::string(ContentTypeKey(code));
        for (const GroupIds& id : ReadGroupIds(ReadBinary(typeDir / "cats.xml"))) {
            const std::string page = ReadBinary(typeDir / GroupDirectoryName(id.literal) / "1.xml");
            const std::string_view tag = code == 26 ? "<screenbox>" : "<file>";
            const auto start = page.find(tag);
            if (start == std::string::npos)
                continue;
            const auto end = page.find('<', start + tag.size());
            std::string address = page.substr(start + tag.size(), end - start - tag.size());
            // <base><key>/<group>/<file>: the base is what precedes the last three segments.
            for (int segment = 0; segment < 3 && !address.empty(); ++segment) {
                const auto slash = address.rfind('/');
                address.resize(slash == std::string::npos ? 0 : slash);
            }
            if (address.rfind("http://", 0) == 0 && address.size() > 7)
                return DecodeReferences(DefaultEntityTable(), address) + "/";
        }
    }
    return {};
}
