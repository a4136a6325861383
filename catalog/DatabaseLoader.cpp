#include "catalog/DatabaseLoader.h"

#include "catalog/CatalogLoader.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentType.h"

void LoadAllCatalogs(bool rebuild, const CatalogLoadProgress& afterType, WriteFailures* failures)
{
    for (int code : CONTENT_TYPE_LOAD_ORDER) {
        LoadCatalog(*CatalogForType(code), TypeKey(code), rebuild, failures);
        if (afterType)
            afterType(code);
    }
}
