#pragma once

class JsonWriter;

// The seven catalogs, in load order, as one JSON object:
// {"types":[{"code","key","title","groups":[{"lib","id","items":[{"label",
// "id","file","url_download","desc"}]}]}]}, every string as held.
void WriteCatalogsJson(JsonWriter& json);
