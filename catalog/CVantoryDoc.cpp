#include "catalog/CVantoryDoc.h"

#include "app/framework/DocApplication.h"
#include "app/framework/FrameWindow.h"
#include "app/framework/WindowExposure.h"
#include "catalog/CatalogRegistry.h"
#include "catalog/ContentType.h"
#include "catalog/DatabaseLoader.h"
#include "res/ResourceStrings.h"
#include "updater/CProgressDlg.h"

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

void CVantoryDoc::LoadDatabase(bool rebuild)
{
    CProgressDlg dlg;
    DocApplication* app = DocApplication::Instance();
    dlg.Create(app ? app->GetMainWnd() : nullptr);
    dlg.ShowCompact();
    dlg.CenterOnOwner();
    dlg.m_upperText = Texts::LOADING_TEXT;
    dlg.setWindowTitle(QString::fromUtf8(Texts::LOADING_CAPTION));
    dlg.UpdateData();
    dlg.show();
    WaitUntilExposed(dlg);
    dlg.UpdateWindow();
    dlg.SetRange(ProgressTarget::UpperBar, CONTENT_TYPE_COUNT);
    LoadAllCatalogs(rebuild, [&dlg](int) { dlg.StepUpperBar(); });
}
