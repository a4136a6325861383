#pragma once

#include <functional>

class WriteFailures;

// Called after each type's load with its code; a progress display steps here.
using CatalogLoadProgress = std::function<void(int typeCode)>;

// Loads all seven catalogs (CatalogForType) in CONTENT_TYPE_LOAD_ORDER, each
// completely, caches included, before the next one starts. A rebuild first
// removes the caches of all seven. Caches that cannot be written go to
// `failures` when given.
void LoadAllCatalogs(bool rebuild, const CatalogLoadProgress& afterType = {},
                     WriteFailures* failures = nullptr);
