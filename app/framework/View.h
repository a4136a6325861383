#pragma once

#include <functional>
#include <memory>

#include "app/framework/CommandTarget.h"

class Document;
class FrameWindow;
class QPrinter;
class QWidget;

// A pane that shows the document: the widget side is the derived class's
// own (a tree, a browser), this side is what the document template needs.
class View : public CommandTarget
{
public:
    View() = default;
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Run once the frame and all its views exist, and again on File New and
    // File Open.
    virtual void OnInitialUpdate() {}

    virtual QWidget* Widget() = 0;

    // Printing as the framework's views have it: OnFilePrint, the handler a
    // view gives ID_FILE_PRINT, asks for the printer (DoPreparePrinting) and
    // prints the view to it (Print); nothing when the user cancels.
    void OnFilePrint();
    bool DoPreparePrinting(QPrinter& printer);
    // Prints the view. `done` learns whether that worked once the output is
    // complete, which may be after Print has returned; the printer is kept
    // until then. A view that does not override it draws nothing for
    // printing: one empty page.
    using PrintDone = std::function<void(bool ok)>;
    virtual void Print(std::shared_ptr<QPrinter> printer, PrintDone done);

    Document* GetDocument() const { return m_pDocument; }
    FrameWindow* GetParentFrame();

    // Own handlers first, then the document's.
    bool OnCmdMsg(int id, Query query, CommandState* state) override;

private:
    friend class Document;
    Document* m_pDocument = nullptr;
};
