#include "catalog/CatalogRegistry.h"

#include "catalog/ContentCatalog.h"
#include "catalog/ContentType.h"

namespace {

// Built, empty, before main runs; in load order.
ContentCatalog g_catalogs[CONTENT_TYPE_COUNT];

} // namespace

ContentCatalog* CatalogForType(int code)
{
    for (size_t i = 0; i < CONTENT_TYPE_LOAD_ORDER.size(); ++i)
        if (CONTENT_TYPE_LOAD_ORDER[i] == code)
            return &g_catalogs[i];
    return nullptr;
}

const ContentGroup* GroupOfType(int code, int group)
{
    const ContentCatalog* catalog = CatalogForType(code);
    return catalog ? catalog->Group(group) : nullptr;
}
