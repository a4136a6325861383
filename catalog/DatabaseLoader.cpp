#include "catalog/DatabaseLoader.h"

#include "catalog/CatalogLoader.h"
#include "catalog/CatalogPaths.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentType.h"

void LoadAllCatalogs(bool rebuild, const CatalogLoadProgress& afterType, WriteFailures* failures)
{
    // The XML files of every type may be newer than their caches (after an
    // update): all caches go before the first is rewritten, so that a
    // rebuild cut short leaves none that is older than its files.
    if (rebuild)
        for (int code : CONTENT_TYPE_LOAD_ORDER)
            RemoveCaches(TypeDirectory(TypeKey(code)));
    for (int code : CONTENT_TYPE_LOAD_ORDER) {
        LoadCatalog(*CatalogForType(code), TypeKey(code), rebuild, failures);
        if (afterType)
            afterType(code);
    }
}
