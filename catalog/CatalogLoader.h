#pragma once

#include <string>

class ContentCatalog;
class WriteFailures;

// Fills the catalog of the type with this key from data/<key>/ below the
// working directory. Without rebuild an existing cache is authoritative;
// with rebuild every cache of the type is removed first and rewritten from
// the XML files, so that a rebuild cut short leaves only caches of the
// current files (the next load makes the missing ones). Temporary files of
// writers that were killed are removed. Missing or broken files give an
// empty or partial catalog. A cache that cannot be written is skipped, and
// added to `failures` when given (unless the type has no directory, where
// nothing can be kept).
void LoadCatalog(ContentCatalog& catalog, const std::string& key, bool rebuild,
                 WriteFailures* failures = nullptr);

// Removes every cache of the type directory ("data/<key>/"): the index cache
// and the group caches. A load then makes them again from the XML files.
void RemoveCaches(const std::string& typeDir);
