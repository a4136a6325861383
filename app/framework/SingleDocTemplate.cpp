#include "app/framework/SingleDocTemplate.h"

#include "app/framework/DocApplication.h"
#include "app/framework/Document.h"
#include "app/framework/FrameworkTexts.h"

SingleDocTemplate::SingleDocTemplate(DocumentFactory newDocument, FrameFactory newFrame,
                                     CreateContext::ViewFactory newView)
    : m_newDocument(std::move(newDocument)), m_newFrame(std::move(newFrame)), m_newView(std::move(newView))
{
}

SingleDocTemplate::~SingleDocTemplate()
{
    // Views first: they hold on to the document.
    DestroyFrame();
    m_document.reset();
}

void SingleDocTemplate::DestroyFrame()
{
    delete m_frame.data();
    m_frame = nullptr;
}

Document* SingleDocTemplate::OpenDocumentFile(const QString& path, bool makeVisible)
{
    const bool created = !m_document;
    if (created) {
        m_document = m_newDocument();
        if (!m_document)
            return nullptr;
    }
    if (!m_frame) {
        CreateContext context;
        context.m_pCurrentDoc = m_document.get();
        context.m_newView = m_newView;
        m_frame = m_newFrame();
        if (!m_frame || !m_frame->LoadFrame(context)) {
            DestroyFrame();
            if (created)
                m_document.reset();
            return nullptr;
        }
    }

    if (path.isEmpty()) {
        m_document->SetTitle(QString::fromUtf8(Texts::UNTITLED));
        if (!m_document->OnNewDocument()) {
            if (created) {
                DestroyFrame();
                m_document.reset();
            }
            return nullptr;
        }
    } else {
        if (!m_document->OnOpenDocument(path)) {
            if (created) {
                DestroyFrame();
                m_document.reset();
            }
            return nullptr;
        }
        m_document->SetPathName(path);
    }

    DocApplication* app = DocApplication::Instance();
    if (created && app && !app->GetMainWnd())
        app->SetMainWnd(m_frame);
    m_frame->InitialUpdateFrame(m_document.get(), makeVisible);
    return m_document.get();
}
