// Start-up time of the program: from process start until the main window
// is shown with the catalog tree filled (the program reports that moment on
// stdout when VANTORY_EXIT_WHEN_SHOWN=1, then quits). Three working
// directories, their runs interleaved so that drift hits all alike:
//
//   empty     an empty data/ directory
//   cached    the 7 x 300 x 100 catalog with its caches
//   rebuild   the same catalog without caches (full rebuild at start)
//
//   vantory_bench_startup [--runs N] [--check]      (needs a display: xvfb-run -a)
//
// --check exits with 1 when the cached catalog adds more than 15 % to the
// start with an empty data/ directory.

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/BenchTiming.h"

namespace {

namespace fs = std::filesystem;

constexpr double kMaxCachedRatio = 1.15;
constexpr int kShowTimeoutMs = 60000;
constexpr char kShownLine[] = "vantory: main window shown";

bool Run(const std::vector<std::string>& args, const fs::path& dir)
{
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDOUT_FILENO);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void RemoveCaches(const fs::path& dir)
{
    std::vector<fs::path> caches;
    for (const auto& entry : fs::recursive_directory_iterator(dir / "data"))
        if (entry.is_regular_file() && entry.path().extension() == ".dat")
            caches.push_back(entry.path());
    for (const fs::path& cache : caches)
        fs::remove(cache);
}

// Seconds from fork until the program reports its shown window; -1 when it
// fails or takes too long.
double TimeStart(const fs::path& dir, const fs::path& config)
{
    int out[2];
    if (pipe(out) != 0)
        return -1;
    const double start = bench::NowSeconds();
    const pid_t pid = fork();
    if (pid == 0) {
        close(out[0]);
        dup2(out[1], STDOUT_FILENO);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, STDERR_FILENO);
        if (chdir(dir.c_str()) != 0)
            _exit(127);
        setenv("VANTORY_EXIT_WHEN_SHOWN", "1", 1);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        execl(VANTORY_EXE, VANTORY_EXE, static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string output;
    double shown = -1;
    pollfd watch = {out[0], POLLIN, 0};
    while (poll(&watch, 1, kShowTimeoutMs) > 0) {
        char buffer[512];
        const ssize_t got = read(out[0], buffer, sizeof buffer);
        if (got <= 0)
            break;
        output.append(buffer, static_cast<size_t>(got));
        if (output.find(kShownLine) != std::string::npos) {
            shown = bench::NowSeconds() - start;
            break;
        }
    }
    close(out[0]);
    if (shown < 0)
        kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    return shown;
}

struct Scenario
{
    const char* name;
    fs::path dir;
    bool removeCaches;
    std::vector<double> times;
};

} // namespace

int main(int argc, char** argv)
{
    bench::Options options;
    if (!bench::ParseOptions(argc, argv, options))
        return 2;
    const int runs = options.runs;
    const bool check = options.check;
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
        std::fprintf(stderr, "vantory_bench_startup: no display; run it under xvfb-run -a\n");
        return 2;
    }

    const fs::path work = BENCH_WORK_DIR;
    const fs::path empty = work / "empty";
    const fs::path big = work / "big";
    const fs::path config = work / "config";
    fs::create_directories(empty / "data");
    fs::create_directories(config);
    if (!fs::exists(big / "data" / "wallpapers" / "cats.xml")) {
        std::printf("generating the 7 x 300 x 100 catalog in %s\n", big.c_str());
        fs::create_directories(big);
        if (!Run({CATGEN_EXE, "--out", big.string(), "--groups", "300", "--items", "100"}, work))
            return 1;
    }

    std::vector<Scenario> scenarios = {
        {"empty data/", empty, false, {}},
        {"7 x 300 x 100, caches", big, false, {}},
        {"7 x 300 x 100, rebuild", big, true, {}},
    };
    // One start of each first, not counted: disk cache and libraries warm.
    for (int round = -1; round < runs; ++round)
        for (Scenario& s : scenarios) {
            if (s.removeCaches)
                RemoveCaches(s.dir);
            else if (s.dir == big && !fs::exists(big / "data" / "wallpapers" / "cats.dat") &&
                     !Run({VANTORYCTL_EXE, "load"}, big))
                return 1;
            const double t = TimeStart(s.dir, config);
            if (t < 0) {
                std::fprintf(stderr, "vantory_bench_startup: %s: the window was not shown\n", s.name);
                return 1;
            }
            if (round >= 0)
                s.times.push_back(t);
        }
    // The caches the rebuild wrote are those of the catalog again.
    const double base = bench::Median(scenarios[0].times);
    std::printf("%-26s %10s %10s %10s %8s\n", "start-up until shown", "median ms", "min ms", "max ms", "ratio");
    for (const Scenario& s : scenarios) {
        const auto [lo, hi] = std::minmax_element(s.times.begin(), s.times.end());
        const double median = bench::Median(s.times);
        std::printf("%-26s %10.0f %10.0f %10.0f %8.2f\n", s.name, median * 1000, *lo * 1000, *hi * 1000,
                    median / base);
    }
    const double ratio = bench::Median(scenarios[1].times) / base;
    std::printf("cached catalog adds %.0f %% to the start (target: at most %.0f %%), median of %d runs\n",
                (ratio - 1) * 100, (kMaxCachedRatio - 1) * 100, runs);
    return check && ratio > kMaxCachedRatio ? 1 : 0;
}
