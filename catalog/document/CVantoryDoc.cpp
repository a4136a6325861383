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
    LoadAllCatalogs(rebuild, [&dlg](int) { dlg.StepUpperBar(); }, failures);
    // Before any event can run a query: the old index names items of the
    // catalogs just replaced.
    TheCatalogSearch().Build();
}
