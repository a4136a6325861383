#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class DownloadShelf;

// What the content server answers, read from a content directory as
// vantory-catgen writes it: data/<key>/cats.xml, data/<key>/<dir>/<n>.xml,
// media/<key>/<dir>/<file> and media/downloads/<key>/<file>. Files are read when first asked for and
// read again when they change, so content may be (re)generated while the
// server runs. Thread-safe.
class ContentStore
{
public:
    struct Answer
    {
        int status = 404;
        std::string body;
        std::string contentType = "text/plain";
        std::string disposition;  // Content-Disposition; "" for none
        std::string note;  // why a request was refused, for the log
    };

    // mediaBase: the address prefix of the content's media files
    // ("http://127.0.0.1:8642/media/"); "" to take it from the first picture
    // address of the content (the default base when there is none).
    ContentStore(std::filesystem::path contentDir, std::string mediaBase);
    ~ContentStore();

    // The server's own "http://host:port". Addresses of the content on the
    // media base's host and port are answered with this one instead, so the
    // media files are fetched from this server whatever port it got.
    void SetOwnOrigin(std::string origin, bool rewrite);
    void SetHostileIds(bool on, bool withNulId);

    Answer Index(int code);
    // The listing of the group whose id matches cat: cat as sent or
    // percent-decoded, without leading and trailing blanks, against the id
    // as the index file holds it or as the program's parser reads it.
    Answer Listing(int code, std::string_view cat, int page, int pageSize);
    // A media request by its address path ("/media/logos/52/10017.gif").
    Answer Media(std::string_view path);
    bool IsMediaPath(std::string_view path);
    // A download request by its query ("t=26&id=10017&f=jad"; DownloadShelf).
    // A JAD's address of its JAR is answered as the content's addresses are.
    Answer Download(std::string_view query);

private:
    struct Stamp
    {
        std::filesystem::file_time_type time{};
        std::uintmax_t size = 0;
        bool exists = false;
        bool operator==(const Stamp&) const = default;
    };
    struct IndexGroup
    {
        std::vector<std::string> keys;  // trimmed ids that ask for it
        std::string directory;
        int hostile = -1;               // index into HostileGroups(), -1 for a group on disk
    };
    struct TypeIndex
    {
        Stamp stamp;
        bool hostile = false;
        std::string document;
        std::vector<IndexGroup> groups;
    };
    struct GroupListing
    {
        Stamp stamp;
        std::vector<std::string> items;
    };

    static Stamp StampOf(const std::filesystem::path& path);
    const TypeIndex* LoadIndex(int code);                       // under m_mutex
    const GroupListing& LoadListing(int code, const IndexGroup& group);  // under m_mutex
    void ResolveMediaBase();                                    // under m_mutex
    std::string DetectMediaBase() const;
    std::string Rewritten(std::string text) const;

    std::filesystem::path m_dir;
    std::string m_configuredBase;
    std::mutex m_mutex;
    bool m_baseKnown = false;
    std::string m_mediaPath = "/media/";           // path part of the media base
    std::string m_contentOrigin = "http://127.0.0.1:8642";
    std::string m_ownOrigin;
    bool m_rewrite = true;
    bool m_hostile = false;
    bool m_hostileNul = true;
    std::map<int, TypeIndex> m_indexes;
    std::map<std::pair<int, std::string>, GroupListing> m_listings;
    std::unique_ptr<DownloadShelf> m_downloads;
};
