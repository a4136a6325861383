#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/catgen/CatgenCommandLine.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    CatgenCommandLine commandLine;
    const std::string error = ParseCatgenCommandLine(args, commandLine);
    if (!error.empty()) {
        std::fprintf(stderr, "vantory-catgen: %s\nTry 'vantory-catgen --help'.\n", error.c_str());
        return 2;
    }
    if (commandLine.help) {
        std::fputs(CatgenUsage().c_str(), stdout);
        return 0;
    }
    try {
        const CatalogSummary summary = GenerateCatalog(commandLine.options);
        std::printf("vantory-catgen: %d types, %d groups, %lld items, %lld files, "
                    "%lld bytes written to %s\n",
                    summary.types, summary.groups, summary.items, summary.files, summary.bytes,
                    commandLine.options.outDir.string().c_str());
        if (summary.pictures + summary.previews > 0)
            std::printf("vantory-catgen: %lld pictures and %lld previews in %s\n",
                        summary.pictures, summary.previews,
                        (commandLine.options.outDir / "media").string().c_str());
        if (summary.downloads > 0)
            std::printf("vantory-catgen: %lld downloads in %s\n", summary.downloads,
                        (commandLine.options.outDir / "media" / "downloads").string().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "vantory-catgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
