#include "app/framework/Document.h"

#include <algorithm>

#include <QFile>
#include <QFileInfo>

#include "app/framework/DocApplication.h"
#include "app/framework/FrameWindow.h"
#include "app/framework/MessageBox.h"
#include "app/framework/View.h"
#include "app/framework/FrameworkTexts.h"

Document::~Document()
{
    for (View* view : m_views)
        view->m_pDocument = nullptr;
}

bool Document::OnNewDocument()
{
    m_strPathName.clear();
    return true;
}

bool Document::OnOpenDocument(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMessageBox(FormatTemplate(QString::fromUtf8(Texts::FAILED_TO_OPEN), {path}));
        return false;
    }
    Serialize(file);
    return true;
}

void Document::Serialize(QIODevice&)
{
}

void Document::SetTitle(const QString& title)
{
    m_strTitle = title;
    for (View* view : m_views)
        if (FrameWindow* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle();
}

void Document::SetPathName(const QString& path)
{
    const QFileInfo info(path);
    m_strPathName = info.absoluteFilePath();
    SetTitle(info.fileName());
    if (DocApplication* app = DocApplication::Instance())
        app->AddToRecentFileList(m_strPathName);
}

void Document::AddView(View* view)
{
    if (std::find(m_views.begin(), m_views.end(), view) == m_views.end())
        m_views.push_back(view);
    view->m_pDocument = this;
}

void Document::RemoveView(View* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    view->m_pDocument = nullptr;
}
