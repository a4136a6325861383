#include "catalog/document/CVantoryDoc.h"

#include "updater/dialog/CompactProgress.h"
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
    LoadAllCatalogs(rebuild, [&dlg](int) { dlg.StepUpperBar(); }, failures);
    // Beside what follows the load, which does not wait for it; the first
    // query does.
    TheCatalogSearch().BuildInBackground();
}
