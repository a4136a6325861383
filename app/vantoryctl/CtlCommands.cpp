#include "app/vantoryctl/CtlCommands.h"

#include <algorithm>

#include "app/vantoryctl/CatalogJson.h"
#include "app/vantoryctl/JsonWriter.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "catalog/DatabaseLoader.h"

namespace {

int ReportWriteError(const CtlInvocation& call)
{
    std::fputs("vantoryctl: cannot write the output\n", call.err);
    return CTL_FAILED;
}

int RunLoad(const CtlInvocation& call)
{
    LoadAllCatalogs(call.Has("--rebuild"));
    for (int code : CONTENT_TYPE_LOAD_ORDER) {
        const ContentCatalog& catalog = *CatalogForType(code);
        long long items = 0;
        for (int g = 0; g < catalog.GetGroupCount(); ++g)
            items += catalog.GetItemCount(g);
        std::fprintf(call.out, "%-13s %-17s %6d groups %9lld items\n", TypeKey(code).c_str(),
                     TypeTitle(code).c_str(), catalog.GetGroupCount(), items);
    }
    return std::fflush(call.out) == 0 && !std::ferror(call.out) ? CTL_OK : ReportWriteError(call);
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

bool CtlInvocation::Has(std::string_view option) const
{
    return std::find(options.begin(), options.end(), option) != options.end();
}

const std::vector<CtlCommand>& CtlCommands()
{
    static const std::vector<CtlCommand> commands = {
        {"load", "[--rebuild]",
         "Load all seven catalogs (writing missing caches; --rebuild rewrites\n"
         "every cache from the XML files) and print the counts of each type",
         {"--rebuild"}, RunLoad},
        {"dump", "", "Load the catalogs from their caches and print them as JSON", {}, RunDump},
    };
    return commands;
}
