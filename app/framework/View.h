#pragma once

#include "app/framework/CommandTarget.h"

class Document;
class FrameWindow;
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

    Document* GetDocument() const { return m_pDocument; }
    FrameWindow* GetParentFrame();

    // Own handlers first, then the document's.
    bool OnCmdMsg(int id, Query query, CommandState* state) override;

private:
    friend class Document;
    Document* m_pDocument = nullptr;
};
