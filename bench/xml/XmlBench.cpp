// Parse + extract throughput of the catalog's XML parser against pugixml,
// on the same generated listings in the same run: one 60,000-item listing
// (about 20 MB) and 2,000 listing pages of 30 items. Both sides parse from
// memory and copy the seven item fields of every item into std::string, as
// the catalog loader does with GetText.

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <pugixml.hpp>

#include "common/BenchTiming.h"
#include "tools/catgen/CatalogGenerator.h"
#include "xml/XmlParser.h"
#include "xml/XmlQuery.h"

namespace {

const std::string_view kFields[] = {"id", "lib", "author", "url_download", "desc", "file", "screenbox"};
const char* const kFieldNames[] = {"id", "lib", "author", "url_download", "desc", "file", "screenbox"};

size_t OursParseExtract(XmlNode& tree, const std::string& text)
{
    Parse(tree, text, SharedParseInfo());
    size_t total = 0;
    for (const XmlNode& item : tree.children) {
        if (item.name != "ressource")
            continue;
        for (std::string_view field : kFields) {
            const XmlNode* child = GetChild(item, field);
            std::string value = child ? GetText(*child, SharedOutputOptions()) : std::string();
            total += value.size();
        }
    }
    return total;
}

size_t PugiParseExtract(const std::string& text)
{
    pugi::xml_document doc;
    doc.load_buffer(text.data(), text.size());
    size_t total = 0;
    for (pugi::xml_node item : doc.document_element().children("ressource")) {
        for (const char* field : kFieldNames) {
            std::string value = item.child(field).child_value();
            total += value.size();
        }
    }
    return total;
}

size_t ScanForTags(const std::string& text)
{
    size_t count = 0;
    const char* p = text.data();
    const char* end = p + text.size();
    while ((p = static_cast<const char*>(std::memchr(p, '<', static_cast<size_t>(end - p))))) {
        ++count;
        ++p;
    }
    return count;
}

struct Workload
{
    const char* name;
    std::vector<std::string> texts;
    size_t bytes = 0;
};

Workload MakeWorkload(const char* name, const GeneratedGroup& group, int pages, int pageSize)
{
    Workload w{name, {}, 0};
    for (int p = 1; p <= pages; ++p) {
        w.texts.push_back(RenderListingPage(group, p, pageSize));
        w.bytes += w.texts.back().size();
    }
    return w;
}

double MegabytesPerSecond(size_t bytes, double seconds) { return static_cast<double>(bytes) / 1e6 / seconds; }

}  // namespace

int main(int argc, char** argv)
{
    // --profile: only our side, many times, for a profiler.
    const bool profile = argc > 1 && std::strcmp(argv[1], "--profile") == 0;
    CatalogGeneratorOptions options;
    options.types = {15};  // wallpapers: file references and descriptions on every item
    options.groupsPerType = 1;
    options.itemsPerGroup = 60000;
    GeneratedCatalog catalog = GenerateCatalogModel(options);
    const GeneratedGroup& group = catalog.types[0].groups[0];

    std::vector<Workload> workloads;
    workloads.push_back(MakeWorkload("one 60,000-item listing", group, 1, 60000));
    workloads.push_back(MakeWorkload("2,000 pages of 30 items", group, 2000, 30));

    std::printf("%-26s %9s %12s %12s %8s %12s\n", "workload", "MB", "ours MB/s", "pugixml MB/s",
                "ratio", "memchr MB/s");
    for (const Workload& w : workloads) {
        if (profile && argc > 2 && std::strstr(w.name, argv[2]) == nullptr)
            continue;
        size_t ourTotal = 0;
        size_t pugiTotal = 0;
        XmlNode tree;  // reused for every text, as the loader reuses its page tree
        auto runOurs = [&] {
            ourTotal = 0;
            for (const std::string& t : w.texts)
                ourTotal += OursParseExtract(tree, t);
            bench::Consume(ourTotal);
        };
        auto runPugi = [&] {
            pugiTotal = 0;
            for (const std::string& t : w.texts)
                pugiTotal += PugiParseExtract(t);
            bench::Consume(pugiTotal);
        };
        if (profile) {
            const bool pugiOnly = argc > 3 && std::strcmp(argv[3], "pugixml") == 0;
            bench::MedianSeconds(60, pugiOnly ? std::function<void()>(runPugi) : std::function<void()>(runOurs));
            continue;
        }
        // Alternate the two sides so that a slow spell of the machine hits
        // both alike; medians of each.
        std::vector<double> ourTimes, pugiTimes;
        for (int r = 0; r < 21; ++r) {
            ourTimes.push_back(bench::MedianSeconds(1, runOurs));
            pugiTimes.push_back(bench::MedianSeconds(1, runPugi));
        }
        double ours = bench::Median(ourTimes);
        double pugi = bench::Median(pugiTimes);
        double scan = bench::MedianSeconds(11, [&] {
            size_t tags = 0;
            for (const std::string& t : w.texts)
                tags += ScanForTags(t);
            bench::Consume(tags);
        });
        std::printf("%-26s %9.1f %12.0f %12.0f %8.2f %12.0f\n", w.name, static_cast<double>(w.bytes) / 1e6,
                    MegabytesPerSecond(w.bytes, ours), MegabytesPerSecond(w.bytes, pugi), pugi / ours,
                    MegabytesPerSecond(w.bytes, scan));
        if (ourTotal == 0 || pugiTotal == 0)
            std::printf("  (warning: nothing extracted)\n");
    }
    return 0;
}
