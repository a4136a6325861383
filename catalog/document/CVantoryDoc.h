#pragma once

#include "app/framework/Document.h"

class ContentCatalog;
class WriteFailures;

// The document of the single-document template. It holds no data: the
// catalog lives in the seven static catalogs, which it loads.
class CVantoryDoc : public Document
{
public:
    CVantoryDoc() = default;

    // The document is never read from or written to a file.
    void Serialize(QIODevice& file) override;
    bool OnNewDocument() override;

    // The catalog of a content type; null for an unknown code.
    static ContentCatalog* CatalogForType(int code);

    // Loads all seven catalogs under the compact "Loading database" dialog,
    // its bar stepped once per type to 7, then starts the build of the
    // search index of them (TheCatalogSearch), which the first query waits
    // for. Lets no event through: no input, timer,
    // queued call or posted event runs before it returns. Caches that
    // cannot be written go to `failures` when given.
    static void LoadDatabase(bool rebuild, WriteFailures* failures = nullptr);
};
