#pragma once

#include <functional>

// Called after each type's load with its code; a progress display steps here.
using CatalogLoadProgress = std::function<void(int typeCode)>;

// Loads all seven catalogs (CatalogForType) in CONTENT_TYPE_LOAD_ORDER, each
// completely, caches included, before the next one starts.
void LoadAllCatalogs(bool rebuild, const CatalogLoadProgress& afterType = {});
