#pragma once

#include <vector>

#include <QString>

#include "app/framework/CommandTarget.h"

class QIODevice;
class View;

// The data side of the single-document template. The framework creates it
// once and reuses it for every File New and File Open.
class Document : public CommandTarget
{
public:
    Document() = default;
    ~Document() override;
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    // A new, empty document: no path name.
    virtual bool OnNewDocument();
    // Opens the file for reading and hands it to Serialize. A file that
    // cannot be opened is reported in a message box and gives false.
    virtual bool OnOpenDocument(const QString& path);
    // Reads the document from the open file.
    virtual void Serialize(QIODevice& file);

    const QString& GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);

    const QString& GetPathName() const { return m_strPathName; }
    // Also sets the title to the file name and puts the path on the
    // recent-file list.
    void SetPathName(const QString& path);

    void AddView(View* view);
    void RemoveView(View* view);
    const std::vector<View*>& Views() const { return m_views; }

private:
    QString m_strTitle;
    QString m_strPathName;
    std::vector<View*> m_views;
};
