#include "app/vantoryctl/CatalogJson.h"

#include "app/vantoryctl/JsonWriter.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"

namespace {

void WriteGroup(JsonWriter& json, const ContentGroup& group)
{
    json.BeginObject();
    json.Key("lib");
    json.String(group.lib);
    json.Key("id");
    json.String(group.id);
    json.Key("items");
    json.BeginArray();
    for (size_t i = 0; i < group.labels.size(); ++i) {
        json.BeginObject();
        json.Key("label");
        json.String(group.labels[i]);
        json.Key("id");
        json.String(group.ids[i]);
        json.Key("file");
        json.String(group.files[i]);
        json.Key("url_download");
        json.String(group.urls[i]);
        json.Key("desc");
        json.String(group.descs[i]);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

} // namespace

void WriteCatalogsJson(JsonWriter& json)
{
    json.BeginObject();
    json.Key("types");
    json.BeginArray();
    for (int code : CONTENT_TYPE_LOAD_ORDER) {
        const ContentCatalog& catalog = *CatalogForType(code);
        json.BeginObject();
        json.Key("code");
        json.Number(code);
        json.Key("key");
        json.String(TypeKey(code));
        json.Key("title");
        json.String(TypeTitle(code));
        json.Key("groups");
        json.BeginArray();
        for (int g = 0; g < catalog.GetGroupCount(); ++g)
            WriteGroup(json, *catalog.Group(g));
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}
