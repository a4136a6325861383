#include "app/vantoryctl/SearchCommand.h"

#include <charconv>
#include <limits>

#include "app/vantoryctl/CtlCommands.h"
#include "app/vantoryctl/JsonWriter.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"
#include "catalog/ContentTypeTable.h"
#include "catalog/DatabaseLoader.h"
#include "search/CatalogSearch.h"

namespace {

// What the search prints: the groups, then the items, cut to the limit.
struct Shown
{
    std::vector<SearchGroupHit> groups;
    std::vector<SearchItemHit> items;
};

Shown Limit(const SearchResult& result, size_t limit)
{
    Shown shown;
    for (const SearchGroupHit& group : result.groups)
        if (shown.groups.size() < limit)
            shown.groups.push_back(group);
    for (const SearchItemHit& item : result.items)
        if (shown.groups.size() + shown.items.size() < limit)
            shown.items.push_back(item);
    return shown;
}

// A hit's group: the catalog is the one the search was built from.
const ContentGroup& GroupOf(int type, int group)
{
    return *GroupOfType(type, group);
}

void PrintLines(const CtlInvocation& call, const Shown& shown)
{
    for (const SearchGroupHit& hit : shown.groups) {
        const ContentGroup& group = GroupOf(hit.type, hit.group);
        std::fprintf(call.out, "%s\t%s\t\t%s\n", TypeKey(hit.type).c_str(), group.id.c_str(), group.lib.c_str());
    }
    for (const SearchItemHit& hit : shown.items) {
        const ContentGroup& group = GroupOf(hit.type, hit.group);
        const auto i = static_cast<size_t>(hit.item);
        std::fprintf(call.out, "%s\t%s\t%s\t%s\n", TypeKey(hit.type).c_str(), group.id.c_str(),
                     group.ids[i].c_str(), group.labels[i].c_str());
    }
}

bool PrintJson(const CtlInvocation& call, const Shown& shown)
{
    JsonWriter json(call.out);
    json.BeginObject();
    json.Key("groups");
    json.BeginArray();
    for (const SearchGroupHit& hit : shown.groups) {
        const ContentGroup& group = GroupOf(hit.type, hit.group);
        json.BeginObject();
        json.Key("type");
        json.String(TypeKey(hit.type));
        json.Key("id");
        json.String(group.id);
        json.Key("lib");
        json.String(group.lib);
        json.EndObject();
    }
    json.EndArray();
    json.Key("items");
    json.BeginArray();
    for (const SearchItemHit& hit : shown.items) {
        const ContentGroup& group = GroupOf(hit.type, hit.group);
        const auto i = static_cast<size_t>(hit.item);
        json.BeginObject();
        json.Key("type");
        json.String(TypeKey(hit.type));
        json.Key("group");
        json.String(group.id);
        json.Key("id");
        json.String(group.ids[i]);
        json.Key("label");
        json.String(group.labels[i]);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
    json.Newline();
    return json.Flush();
}

} // namespace

int RunSearch(const CtlInvocation& call)
{
    int type = 0;
    if (const auto key = call.values.find("--type"); key != call.values.end()) {
        const ContentTypeInfo* info = FindContentTypeByKey(key->second);
        if (!info)
            return CtlUsageError(call, "unknown type '" + key->second + "'");
        type = info->code;
    }
    size_t limit = std::numeric_limits<size_t>::max();
    if (const auto value = call.values.find("--limit"); value != call.values.end()) {
        const std::string& text = value->second;
        const char* end = text.data() + text.size();
        const auto [ptr, error] = std::from_chars(text.data(), end, limit);
        if (text.empty() || error != std::errc() || ptr != end || limit == 0)
            return CtlUsageError(call, "bad limit '" + text + "': expected a number above 0");
    }
    std::string query;
    for (const std::string& word : call.words)
        query += (query.empty() ? "" : " ") + word;

    LoadAllCatalogs(false);
    CatalogSearch& search = TheCatalogSearch();
    search.Build();
    const Shown shown = Limit(search.Find(query, type), limit);

    bool written = true;
    if (call.Has("--json"))
        written = PrintJson(call, shown);
    else
        PrintLines(call, shown);
    written = written && std::fflush(call.out) == 0 && !std::ferror(call.out);
    if (!written) {
        std::fputs("vantoryctl: cannot write the output\n", call.err);
        return CTL_FAILED;
    }
    return shown.groups.empty() && shown.items.empty() ? CTL_FAILED : CTL_OK;
}
