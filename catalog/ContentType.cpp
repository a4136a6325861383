#include "catalog/ContentType.h"

namespace {

struct TypeEntry
{
    int code;
    const char* key;
    const char* title;
};

constexpr TypeEntry g_typeTable[] = {
    {CT_LOGOS, "logos", "Logos"},
    {CT_RT_MONO, "rt_mono", "Ringtones (mono)"},
    {CT_LOGOS_BIG, "logos_big", "Logos (big)"},
    {CT_RT_POLY, "rt_poly", "Ringtones (poly)"},
    {CT_WALLPAPERS, "wallpapers", "Wallpapers"},
    {CT_SCREENSAVERS, "screensavers", "Screen savers"},
    {CT_JAVA, "java", "Java games"},
};

const TypeEntry* FindType(int code)
{
    for (const TypeEntry& entry : g_typeTable)
        if (entry.code == code)
            return &entry;
    return nullptr;
}

} // namespace

bool IsContentType(int code)
{
    return FindType(code) != nullptr;
}

std::string TypeKey(int code)
{
    const TypeEntry* entry = FindType(code);
    return entry ? entry->key : "";
}

std::string TypeTitle(int code)
{
    const TypeEntry* entry = FindType(code);
    return entry ? entry->title : "";
}
