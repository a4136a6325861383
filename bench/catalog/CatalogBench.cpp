// Load speed and memory of the catalog store on the generated catalog of
// 7 types x 300 groups x 100 items (210,000 items): the rebuild from XML,
// the load from the caches, and as the yardstick a plain fread of the same
// cache files in the same run. Each measured run is a fresh process (this
// program again, with --child) so that its peak RSS is its own.
//
//   vantory_bench_catalog [--runs N] [--check]
//
// The children start as the programs do, with the heap in huge pages.
//
// --check exits with 1 when a cache load takes more than 10 x the fread
// time or peaks above 3 x the size of the cache files.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/startup/HugePageHeap.h"
#include "common/BenchTiming.h"
#include "catalog/CatalogLoader.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "catalog/DatabaseLoader.h"
#include "tools/catgen/CatalogGenerator.h"

namespace {

namespace fs = std::filesystem;

constexpr double kMaxTimeRatio = 10.0;
constexpr double kMaxMemoryRatio = 3.0;

std::vector<fs::path> CacheFiles(const fs::path& root)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root / "data"))
        if (entry.is_regular_file() && entry.path().extension() == ".dat")
            files.push_back(entry.path());
    return files;
}

long long TotalItems()
{
    long long items = 0;
    for (int code : CONTENT_TYPE_LOAD_ORDER) {
        const ContentCatalog& catalog = *CatalogForType(code);
        for (int g = 0; g < catalog.GetGroupCount(); ++g)
            items += catalog.GetItemCount(g);
    }
    return items;
}

// The measured work, in the child process; prints "<seconds> <count>".
int RunChild(const std::string& what, const fs::path& dir)
{
    fs::current_path(dir);
    double start = 0;
    long long count = 0;
    if (what == "fread") {
        const std::vector<fs::path> files = CacheFiles(".");
        std::vector<char> buffer;
        start = bench::NowSeconds();
        for (const fs::path& path : files) {
            std::FILE* f = std::fopen(path.c_str(), "rb");
            if (!f)
                continue;
            buffer.resize(fs::file_size(path));
            count += static_cast<long long>(std::fread(buffer.data(), 1, buffer.size(), f));
            std::fclose(f);
        }
    } else if (what == "rebuild" || what == "cache") {
        start = bench::NowSeconds();
        LoadAllCatalogs(what == "rebuild");
        count = TotalItems();
    } else if (what == "one") {
        start = bench::NowSeconds();
        LoadCatalog(*CatalogForType(CT_RT_MONO), TypeKey(CT_RT_MONO), true);
        count = CatalogForType(CT_RT_MONO)->GetItemCount(0);
    } else {
        return 2;
    }
    std::printf("%.6f %lld\n", bench::NowSeconds() - start, count);
    std::fflush(stdout);
    ::_exit(0);  // the teardown of the catalogs is not measured
}

struct Measure
{
    double seconds = 0;     // median
    long long count = 0;    // items loaded or bytes read
    double peakMb = 0;      // largest peak RSS over the runs
};

Measure RunMeasured(const std::string& self, const std::string& what, const fs::path& dir, int runs)
{
    std::vector<double> times;
    Measure m;
    for (int run = 0; run < runs; ++run) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0)
            std::exit(1);
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(pipeFds[1], 1);
            ::close(pipeFds[0]);
            ::execl(self.c_str(), self.c_str(), "--child", what.c_str(), dir.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        char text[128] = {};
        size_t got = 0;
        ssize_t n = 0;
        while (got < sizeof text - 1 && (n = ::read(pipeFds[0], text + got, sizeof text - 1 - got)) > 0)
            got += static_cast<size_t>(n);
        ::close(pipeFds[0]);
        int status = 0;
        struct rusage usage{};
        ::wait4(pid, &status, 0, &usage);
        double seconds = 0;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0
            || std::sscanf(text, "%lf %lld", &seconds, &m.count) != 2) {
            std::fprintf(stderr, "child %s failed\n", what.c_str());
            std::exit(1);
        }
        times.push_back(seconds);
        m.peakMb = std::max(m.peakMb, static_cast<double>(usage.ru_maxrss) / 1024.0);
    }
    std::sort(times.begin(), times.end());
    m.seconds = times[times.size() / 2];
    return m;
}

void PrintRow(const char* name, const Measure& m, const char* unit)
{
    std::printf("%-30s %9.3f %12.0f %-7s %9.1f\n", name, m.seconds,
                m.seconds > 0 ? static_cast<double>(m.count) / m.seconds : 0.0, unit, m.peakMb);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        RestartWithHugePageHeap(argv);  // as the programs start
        return RunChild(argv[2], argv[3]);
    }
    bench::Options options;
    if (!bench::ParseOptions(argc, argv, options))
        return 2;
    const int runs = options.runs;
    const bool check = options.check;
    const std::string self = fs::canonical("/proc/self/exe").string();
    std::string pattern = (fs::temp_directory_path() / "vantory-bench-catalog-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return 1;
    const fs::path root = pattern;

    CatalogGeneratorOptions full;
    full.outDir = root / "full";
    full.groupsPerType = 300;
    full.itemsPerGroup = 100;
    CatalogGeneratorOptions one;
    one.outDir = root / "one";
    one.groupsPerType = 1;
    one.itemsPerGroup = 5000;
    one.types = {CT_RT_MONO};
    // In a child of its own: a child's peak RSS starts from its parent's
    // size at the fork, so the measuring parent stays small.
    const pid_t generator = ::fork();
    if (generator == 0) {
        GenerateCatalog(full);
        GenerateCatalog(one);
        ::_exit(0);
    }
    int generated = 0;
    ::waitpid(generator, &generated, 0);
    if (!WIFEXITED(generated) || WEXITSTATUS(generated) != 0) {
        std::fprintf(stderr, "generating the catalog failed\n");
        return 1;
    }
    ::sync();  // the generator's writes are not the rebuild's to wait for

    const Measure rebuild = RunMeasured(self, "rebuild", full.outDir, runs);
    const Measure cache = RunMeasured(self, "cache", full.outDir, runs);
    const Measure fread = RunMeasured(self, "fread", full.outDir, runs);
    const Measure group = RunMeasured(self, "one", one.outDir, runs);

    const std::vector<fs::path> files = CacheFiles(full.outDir);
    unsigned long long cacheBytes = 0;
    for (const fs::path& path : files)
        cacheBytes += fs::file_size(path);
    const double cacheMb = static_cast<double>(cacheBytes) / (1024.0 * 1024.0);
    const double timeRatio = cache.seconds / fread.seconds;
    const double memoryRatio = cache.peakMb / cacheMb;

    std::printf("catalog: 7 types x 300 groups x 100 items = %lld items; %zu cache files, %.1f MB\n\n",
                cache.count, files.size(), cacheMb);
    std::printf("%-30s %9s %12s %-7s %9s\n", "measure (median of runs)", "seconds", "rate", "", "peak MB");
    PrintRow("rebuild load (XML -> caches)", rebuild, "items/s");
    PrintRow("cache load", cache, "items/s");
    PrintRow("fread of the cache files", fread, "bytes/s");
    PrintRow("rebuild of one 5,000-item group", group, "items/s");
    std::printf("\ncache load / fread time:      %6.2f  (limit %.0f)\n", timeRatio, kMaxTimeRatio);
    std::printf("cache load peak RSS / caches: %6.2f  (limit %.0f)\n", memoryRatio, kMaxMemoryRatio);

    std::error_code ignored;
    fs::remove_all(root, ignored);
    if (check && (timeRatio > kMaxTimeRatio || memoryRatio > kMaxMemoryRatio)) {
        std::printf("over the limits\n");
        return 1;
    }
    return 0;
}
