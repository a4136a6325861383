#pragma once

#include <functional>
#include <memory>

#include <QPointer>
#include <QString>

#include "app/framework/FrameWindow.h"

class Document;

// The single-document template: one document, one frame, made on the first
// File New or File Open and reused by every later one, each of which runs
// the views' initial update again.
class SingleDocTemplate
{
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    using FrameFactory = std::function<FrameWindow*()>;

    SingleDocTemplate(DocumentFactory newDocument, FrameFactory newFrame,
                      CreateContext::ViewFactory newView);
    ~SingleDocTemplate();
    SingleDocTemplate(const SingleDocTemplate&) = delete;
    SingleDocTemplate& operator=(const SingleDocTemplate&) = delete;

    // An empty path makes a new document, any other opens that file. Null
    // when the frame cannot be made or the document not be opened; a first
    // document that fails takes its frame with it.
    Document* OpenDocumentFile(const QString& path, bool makeVisible = true);

    Document* GetDocument() const { return m_document.get(); }
    FrameWindow* GetFrame() const { return m_frame; }

private:
    void DestroyFrame();

    DocumentFactory m_newDocument;
    FrameFactory m_newFrame;
    CreateContext::ViewFactory m_newView;
    std::unique_ptr<Document> m_document;
    QPointer<FrameWindow> m_frame;
};
