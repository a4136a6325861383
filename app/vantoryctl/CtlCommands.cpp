#include "app/vantoryctl/CtlCommands.h"

#include <algorithm>
#include <filesystem>

#include "app/vantoryctl/CatalogJson.h"
#include "app/vantoryctl/ConsoleProgress.h"
#include "app/vantoryctl/DownloadCommand.h"
#include "app/vantoryctl/InterruptFlag.h"
#include "app/vantoryctl/JsonWriter.h"
#include "app/vantoryctl/SearchCommand.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "catalog/DatabaseLoader.h"
#include "catalog/WriteFailures.h"
#include "updater/CatalogUpdater.h"
#include "updater/UpdateRequest.h"

namespace {

int ReportWriteError(const CtlInvocation& call)
{
    std::fputs("vantoryctl: cannot write the output\n", call.err);
    return CTL_FAILED;
}

// The per-type counts of the loaded catalogs; false on a write error.
bool PrintCounts(const CtlInvocation& call)
{
    for (int code : CONTENT_TYPE_LOAD_ORDER) {
        const ContentCatalog& catalog = *CatalogForType(code);
        long long items = 0;
        for (int g = 0; g < catalog.GetGroupCount(); ++g)
            items += catalog.GetItemCount(g);
        std::fprintf(call.out, "%-13s %-17s %6d groups %9lld items\n", TypeKey(code).c_str(),
                     TypeTitle(code).c_str(), catalog.GetGroupCount(), items);
    }
    return std::fflush(call.out) == 0 && !std::ferror(call.out);
}

// At most this many files are named; the rest are counted.
constexpr size_t kFailuresNamed = 10;

// Names the files that could not be written, with the system's reason;
// false when there were any.
bool ReportFailures(const CtlInvocation& call, const WriteFailures& failures)
{
    if (failures.Empty())
        return true;
    size_t named = 0;
    for (const WriteFailures::Failure& failure : failures.All()) {
        if (named++ == kFailuresNamed)
            break;
        std::fprintf(call.err, "vantoryctl: cannot write %s\n", WriteFailures::Describe(failure).c_str());
    }
    if (failures.Count() > kFailuresNamed)
        std::fprintf(call.err, "vantoryctl: ... and %zu more\n", failures.Count() - kFailuresNamed);
    std::fprintf(call.err, "vantoryctl: %s The catalog on disk is not complete.\n", failures.Summary().c_str());
    return false;
}

int RunLoad(const CtlInvocation& call)
{
    // Only a rebuild owes the user its caches: a plain load that cannot
    // keep one loses nothing.
    const bool rebuild = call.Has("--rebuild");
    WriteFailures failures;
    LoadAllCatalogs(rebuild, {}, rebuild ? &failures : nullptr);
    if (!PrintCounts(call))
        return ReportWriteError(call);
    return ReportFailures(call, failures) ? CTL_OK : CTL_FAILED;
}

// The catalog load after an update, shown as the compact progress form.
void ReloadCatalogs(std::FILE* to, WriteFailures& failures)
{
    ConsoleProgress progress(to, ConsoleProgress::IsTerminal(to), true);
    progress.m_upperText = "Reading database...";
    progress.UpdateData();
    progress.SetRange(ProgressTarget::UpperBar, CONTENT_TYPE_COUNT);
    progress.SetPos(ProgressTarget::UpperBar, 0);
    progress.UpdateWindow();
    LoadAllCatalogs(true, [&](int) { progress.StepUpperBar(); }, &failures);
    progress.Finish();
}

int RunUpdate(const CtlInvocation& call)
{
    // The update stores below data/ but never creates it.
    std::error_code error;
    if (!std::filesystem::is_directory("data", error))
        std::fputs("vantoryctl: no data/ directory here: the update can store nothing\n", call.err);
    // Held for the reload too: a second Ctrl+C must not cut the caches short.
    InterruptFlag interrupt;
    WriteFailures failures;
    {
        ConsoleProgress progress(call.err, ConsoleProgress::IsTerminal(call.err));
        progress.SetInterruptSource([&] { return interrupt.IsSet(); });
        CatalogUpdater updater(progress, ContentServerFromEnvironment());
        updater.SetFailureHandler([&](const std::string& address) {
            progress.PrintMessage("Error receiving file '" + address + "'!");
        });
        updater.RunUpdate();
        progress.Finish();
        failures = updater.Failures();
    }
    ReloadCatalogs(call.err, failures);
    const bool written = PrintCounts(call);
    const bool stored = ReportFailures(call, failures);
    if (interrupt.IsSet())
        return CTL_INTERRUPTED;
    if (!written)
        return ReportWriteError(call);
    return stored ? CTL_OK : CTL_FAILED;
}

int RunDump(const CtlInvocation& call)
{
    LoadAllCatalogs(false);
    JsonWriter json(call.out);
    WriteCatalogsJson(json);
    json.Newline();
    return json.Flush() ? CTL_OK : ReportWriteError(call);
}

} // namespace

int CtlUsageError(const CtlInvocation& call, const std::string& message)
{
    std::fprintf(call.err, "vantoryctl: %s\nTry 'vantoryctl --help' for more information.\n", message.c_str());
    return CTL_USAGE_ERROR;
}

bool CtlInvocation::Has(std::string_view option) const
{
    return std::find(options.begin(), options.end(), option) != options.end();
}

const std::vector<CtlCommand>& CtlCommands()
{
    static const std::string updateSummary =
        "Update data/ from the content server at $VANTORY_CONTENT_SERVER\n"
        "(host:port; default " + std::string(DEFAULT_CONTENT_SERVER) + "), reload with every\n"
        "cache rebuilt and print the counts; Ctrl+C cancels (status 130)";
    static const std::vector<CtlCommand> commands = {
        {"load", "[--rebuild]",
         "Load all seven catalogs (writing missing caches; --rebuild rewrites\n"
         "every cache from the XML files) and print the counts of each type",
         {"--rebuild"}, RunLoad},
        {"dump", "", "Load the catalogs from their caches and print them as JSON", {}, RunDump},
        {"update", "", updateSummary, {}, RunUpdate},
        {"search", "[--type KEY] [--limit N] [--json] WORD...",
         "Load the catalogs as load does and print what the words find in\n"
         "labels and descriptions, case and accents ignored: groups first,\n"
         "then items, one a line (type, group id, item id, label) or as JSON;\n"
         "status 1 when nothing is found",
         {"--json"}, RunSearch, {"--type", "--limit"}, true},
        {"download", "TYPE_KEY ITEM_ID [--to DIR]",
         "Load the catalogs as load does, download the item into DIR (by\n"
         "default Vantory in the download folder) and print the file's path;\n"
         "status 1 for an unknown item or a failed download, 130 on Ctrl+C",
         {}, RunDownload, {"--to"}, true, "a type and an item id"},
    };
    return commands;
}
