#pragma once

#include <string>

class ContentCatalog;

// Fills the catalog of the type with this key from data/<key>/ below the
// working directory. Without rebuild an existing cache is authoritative;
// with rebuild every cache of the type is rewritten from the XML files.
// Missing or broken files give an empty or partial catalog; a cache that
// cannot be written is skipped. Reports nothing.
void LoadCatalog(ContentCatalog& catalog, const std::string& key, bool rebuild);
