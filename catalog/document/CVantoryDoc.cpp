#include "catalog/document/CVantoryDoc.h"

#include "updater/dialog/CompactProgress.h"
#include "catalog/CatalogPreload.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentType.h"
#include "catalog/DatabaseLoader.h"
#include "res/ResourceStrings.h"
#include "search/CatalogSearch.h"
#include "updater/dialog/CProgressDlg.h"

void CVantoryDoc::Serialize(QIODevice&)
{
}

bool CVantoryDoc::OnNewDocument()
{
    return Document::OnNewDocument();
}

ContentCatalog* CVantoryDoc::CatalogForType(int code)
{
    return ::CatalogForType(code);
}

void CVantoryDoc::LoadDatabase(bool rebuild, WriteFailures* failures)
{
    CProgressDlg dlg;
    OpenCompactProgress(dlg, Texts::LOADING_CAPTION, Texts::LOADING_TEXT, CONTENT_TYPE_COUNT);
    // The old index names items of the catalogs about to be replaced, and
    // a build of it may still be reading them.
    TheCatalogSearch().Clear();
    const auto step = [&dlg](int) { dlg.StepUpperBar(); };
    // At start the catalogs may be loading already, begun in main().
    if (rebuild || !CatalogPreload::Take(step, failures))
        LoadAllCatalogs(rebuild, step, failures);
    // Beside what follows the load, which does not wait for it; the first
    // query does.
    TheCatalogSearch().BuildInBackground();
}
