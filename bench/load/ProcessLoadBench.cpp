// The cache load as a user meets it: `vantoryctl load` as a whole process
// (start-up, the restart for the huge page heap, the load, the counts,
// the exit), side by side in one run with a plain reference loader written
// for speed (vantory_reference_loader) and with `cat` of the same cache
// files, on the 7 x 300 x 100 benchmark catalog. Median wall time of each,
// peak resident memory of vantoryctl.
//
//   vantory_bench_process_load [--runs N] [--check]
//
// --check exits with 1 when vantoryctl takes more than 1.0 x the reference
// loader or more than 1.8 x cat.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/BenchTiming.h"
#include "tools/catgen/CatalogGenerator.h"

namespace {

namespace fs = std::filesystem;

struct Run
{
    double seconds = 0;
    double peakMb = 0;
};

// Runs the program in the directory with its output thrown away.
Run RunProcess(const std::vector<std::string>& args, const fs::path& dir)
{
    std::vector<char*> argv;
    std::vector<std::string> copies = args;
    for (std::string& arg : copies)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const double start = bench::NowSeconds();
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(dir.c_str()) != 0)
            ::_exit(126);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    ::wait4(pid, &status, 0, &usage);
    const double seconds = bench::NowSeconds() - start;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed\n", args[0].c_str());
        std::exit(2);
    }
    return {seconds, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

std::vector<std::string> CacheFiles(const fs::path& dir)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(dir / "data"))
        if (entry.is_regular_file() && entry.path().extension() == ".dat")
            files.push_back(fs::relative(entry.path(), dir).string());
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

int main(int argc, char** argv)
{
    bench::Options options{.runs = 15};
    if (!bench::ParseOptions(argc, argv, options))
        return 2;
    const int runs = std::max(options.runs, 15);
    std::string pattern = (fs::temp_directory_path() / "vantory-bench-process-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        return 1;
    const fs::path dir = pattern;
    CatalogGeneratorOptions catalog;
    catalog.outDir = dir;
    catalog.groupsPerType = 300;
    catalog.itemsPerGroup = 100;
    GenerateCatalog(catalog);

    const std::vector<std::string> ctl = {VANTORYCTL_PATH, "load"};
    const std::vector<std::string> reference = {REFERENCE_LOADER_PATH};
    RunProcess(ctl, dir);  // writes the caches
    std::vector<std::string> cat = {"cat"};
    const std::vector<std::string> files = CacheFiles(dir);
    cat.insert(cat.end(), files.begin(), files.end());

    std::vector<double> ctlTimes, referenceTimes, catTimes;
    double ctlPeak = 0;
    double referencePeak = 0;
    // Interleaved, so that a slow moment of the machine falls on all three.
    for (int i = 0; i < runs; ++i) {
        const Run c = RunProcess(ctl, dir);
        const Run r = RunProcess(reference, dir);
        const Run k = RunProcess(cat, dir);
        ctlTimes.push_back(c.seconds);
        referenceTimes.push_back(r.seconds);
        catTimes.push_back(k.seconds);
        ctlPeak = std::max(ctlPeak, c.peakMb);
        referencePeak = std::max(referencePeak, r.peakMb);
    }
    const double ctlTime = bench::Median(ctlTimes);
    const double referenceTime = bench::Median(referenceTimes);
    const double catTime = bench::Median(catTimes);
    std::printf("catalog: 7 x 300 x 100 items, %zu cache files; median of %d whole-process runs\n\n", files.size(),
                runs);
    std::printf("%-28s %9s %9s\n", "process", "ms", "peak MB");
    std::printf("%-28s %9.1f %9.1f\n", "vantoryctl load", ctlTime * 1e3, ctlPeak);
    std::printf("%-28s %9.1f %9.1f\n", "reference loader", referenceTime * 1e3, referencePeak);
    std::printf("%-28s %9.1f\n", "cat of the caches", catTime * 1e3);
    std::printf("\nvantoryctl / reference: %.2f (target at most 1.0)\n", ctlTime / referenceTime);
    std::printf("vantoryctl / cat:       %.2f (target at most 1.8)\n", ctlTime / catTime);

    std::error_code ignored;
    fs::remove_all(dir, ignored);
    if (options.check && (ctlTime > referenceTime || ctlTime > 1.8 * catTime))
        return 1;
    return 0;
}
