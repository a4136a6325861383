// A fresh update of the generated catalog of 7 types x 300 groups x 100
// items with its pictures, from the content server on loopback, into an
// empty data/: requests per second, total time and files written. As the
// yardstick, in the same run, the curl command-line tool fetches the same
// addresses one after the other (one process, so it keeps its connection),
// each to a file of its own.
//
//   vantory_bench_update [--groups N] [--items N] [--check]
//
// --check exits with 1 when the update makes fewer requests per second
// than curl. The files go below the temporary directory: TMPDIR=/dev/shm
// keeps the disk out of the figures.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "common/BenchTiming.h"
#include "tools/contentserver/ContentServer.h"
#include "tools/contentserver/TemporaryContent.h"
#include "updater/CatalogUpdater.h"

namespace {

namespace fs = std::filesystem;

// The update reports to nobody.
class SilentProgress : public ProgressTarget
{
public:
    void UpdateData() override {}
    void UpdateWindow() override {}
    void SetPos(Bar bar, int position) override { m_pos[bar] = position; }
    int GetPos(Bar bar) const override { return m_pos[bar]; }
    void PumpOneMessage() override {}

protected:
    void ApplyRange(Bar, int) override {}

private:
    int m_pos[2] = {0, 0};
};

struct Row
{
    std::string tool;
    size_t requests = 0;
    double seconds = 0;
    long long files = 0;
};

long long CountFiles(const fs::path& dir)
{
    long long files = 0;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(dir))
        files += entry.is_regular_file();
    return files;
}

// A scratch directory, removed with everything in it at the end.
class ScratchDir
{
public:
    explicit ScratchDir(const std::string& name)
        : m_path(fs::temp_directory_path() / (name + "-" + std::to_string(::getpid())))
    {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

// A fresh update into work/data; the targets the server received go to
// `targets`.
Row RunUpdate(ContentServer& server, const fs::path& work, const std::string& name,
              std::vector<std::string>& targets)
{
    fs::create_directories(work / "data");
    const fs::path previous = fs::current_path();
    fs::current_path(work);
    server.ClearRequests();
    SilentProgress progress;
    CatalogUpdater updater(progress, server.Address());
    const double start = bench::NowSeconds();
    updater.RunUpdate();
    Row row{name, 0, bench::NowSeconds() - start, 0};
    fs::current_path(previous);
    targets = server.Requests();
    row.requests = targets.size();
    row.files = CountFiles(work / "data");
    return row;
}

// curl given every address through one config file, each to its own file.
Row RunCurl(ContentServer& server, const std::vector<std::string>& targets, const fs::path& work)
{
    const fs::path out = work / "out";
    fs::create_directories(out);
    const fs::path config = work / "curl.config";
    {
        std::ofstream file(config);
        for (size_t i = 0; i < targets.size(); ++i)
            file << "url = \"http://" << server.Address() << targets[i] << "\"\noutput = \""
                 << (out / std::to_string(i)).string() << "\"\n";
    }
    server.ClearRequests();
    const double start = bench::NowSeconds();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::execlp("curl", "curl", "--silent", "--globoff", "--config", config.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    Row row{"curl -K (one process)", 0, bench::NowSeconds() - start, 0};
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 127)
        std::fprintf(stderr, "curl did not run (status %d)\n", status);
    row.requests = server.Requests().size();
    row.files = CountFiles(out);
    return row;
}

void PrintRow(const Row& row)
{
    std::printf("%-24s %9zu %9.2f %11.0f %9lld\n", row.tool.c_str(), row.requests, row.seconds,
                row.seconds > 0 ? static_cast<double>(row.requests) / row.seconds : 0.0, row.files);
}

} // namespace

int main(int argc, char** argv)
{
    int groups = 300;
    int items = 100;
    bool check = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--groups" && i + 1 < argc)
            groups = std::atoi(argv[++i]);
        else if (arg == "--items" && i + 1 < argc)
            items = std::atoi(argv[++i]);
        else if (arg == "--check")
            check = true;
        else {
            std::fprintf(stderr, "usage: vantory_bench_update [--groups N] [--items N] [--check]\n");
            return 2;
        }
    }

    CatalogGeneratorOptions options;
    options.groupsPerType = groups;
    options.itemsPerGroup = items;
    options.pictures = true;
    options.downloads = false;  // the update never fetches them
    const double generateStart = bench::NowSeconds();
    TemporaryContent content(options);
    std::printf("content: 7 types x %d groups x %d items, %lld files (%lld pictures, %lld previews), "
                "generated in %.1f s\n",
                groups, items, content.Summary().files, content.Summary().pictures, content.Summary().previews,
                bench::NowSeconds() - generateStart);

    ContentServerOptions serverOptions;
    serverOptions.contentDir = content.Dir();
    ContentServer server(serverOptions);
    if (!server.Start()) {
        std::fprintf(stderr, "content server: %s\n", server.Error().c_str());
        return 1;
    }

    // The first update reads the server's files cold and only warms the
    // server up; then curl and the update take turns, twice each, and the
    // better run of each counts.
    ScratchDir work("vantory-bench-update");
    std::vector<std::string> targets;
    std::vector<Row> rows;
    rows.push_back(RunUpdate(server, work.Path() / "update-0", "vantory update (warm-up)", targets));
    Row bestCurl;
    Row bestOurs;
    auto rate = [](const Row& row) { return row.seconds > 0 ? static_cast<double>(row.requests) / row.seconds : 0.0; };
    bool sameRequests = true;
    for (int round = 1; round <= 2; ++round) {
        rows.push_back(RunCurl(server, targets, work.Path() / ("curl-" + std::to_string(round))));
        rows.back().tool = "curl -K (" + std::to_string(round) + ")";
        if (rate(rows.back()) > rate(bestCurl))
            bestCurl = rows.back();
        std::vector<std::string> again;
        rows.push_back(RunUpdate(server, work.Path() / ("update-" + std::to_string(round)),
                                 "vantory update (" + std::to_string(round) + ")", again));
        sameRequests = sameRequests && again == targets;
        if (rate(rows.back()) > rate(bestOurs))
            bestOurs = rows.back();
    }

    std::printf("\n%-24s %9s %9s %11s %9s\n", "", "requests", "seconds", "requests/s", "files");
    for (const Row& row : rows)
        PrintRow(row);
    const double ours = rate(bestOurs);
    const double theirs = rate(bestCurl);
    std::printf("\nbest requests/s: update %.0f, curl %.0f; update / curl = %.2f\n", ours, theirs, ours / theirs);
    if (!sameRequests)
        std::printf("note: the updates did not all send the same requests\n");
    if (check && ours < theirs) {
        std::fprintf(stderr, "vantory_bench_update: fewer requests per second than curl\n");
        return 1;
    }
    return 0;
}
