// The yardstick of a whole-process cache load: a plain loader written for
// speed and nothing else. It reads each cache of data/ whole, splits its
// lines in place, fills plain vectors of strings reserved to their final
// size, prints the counts as vantoryctl load does and leaves without
// tearing anything down. Benchmark only.
//
//   vantory_reference_loader      (in the directory that holds data/)

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kKeys[] = {"logos", "rt_mono", "logos_big", "rt_poly", "wallpapers", "screensavers", "java"};

struct Group
{
    std::string id;
    std::string lib;
    std::vector<std::string> labels, ids, urls, files, descs;
};

// The whole file; empty when it cannot be read.
std::string ReadAll(const std::string& path)
{
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        text.resize(static_cast<size_t>(info.st_size));
        size_t got = 0;
        while (got < text.size()) {
            const ssize_t n = ::read(fd, text.data() + got, text.size() - got);
            if (n <= 0)
                break;
            got += static_cast<size_t>(n);
        }
        text.resize(got);
    }
    ::close(fd);
    return text;
}

// The lines of a text, without their line feeds.
std::vector<std::string_view> Lines(std::string_view text)
{
    std::vector<std::string_view> lines;
    lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
    size_t from = 0;
    while (from < text.size()) {
        const void* end = std::memchr(text.data() + from, '\n', text.size() - from);
        const size_t at = end ? static_cast<size_t>(static_cast<const char*>(end) - text.data()) : text.size();
        lines.push_back(text.substr(from, at - from));
        from = at + 1;
    }
    return lines;
}

} // namespace

int main()
{
    for (const char* key : kKeys) {
        const std::string dir = std::string("data/") + key + "/";
        const std::string index = ReadAll(dir + "cats.dat");
        const std::vector<std::string_view> heads = Lines(index);
        std::vector<Group> groups;
        groups.reserve(heads.size() / 2);
        long long items = 0;
        for (size_t i = 1; i + 1 < heads.size(); i += 2) {
            Group& group = groups.emplace_back();
            group.id = heads[i];
            group.lib = heads[i + 1];
            const std::string text = ReadAll(dir + "data_" + group.id + ".dat");
            const std::vector<std::string_view> lines = Lines(text);
            const size_t count = lines.size() / 5;
            for (auto* list : {&group.labels, &group.ids, &group.urls, &group.files, &group.descs})
                list->reserve(count);
            for (size_t k = 0; k + 5 <= lines.size(); k += 5) {
                group.labels.emplace_back(lines[k]);
                group.ids.emplace_back(lines[k + 1]);
                group.urls.emplace_back(lines[k + 2]);
                group.files.emplace_back(lines[k + 3]);
                group.descs.emplace_back(lines[k + 4]);
            }
            items += static_cast<long long>(count);
        }
        std::printf("%-13s %6zu groups %9lld items\n", key, groups.size(), items);
        // Kept to the end, as a loaded catalog is.
        static std::vector<std::vector<Group>> kept;
        kept.push_back(std::move(groups));
    }
    std::fflush(stdout);
    ::_exit(0);
}
