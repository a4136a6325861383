#pragma once

#include <functional>
#include <map>
#include <set>
#include <vector>

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>

#include "app/framework/CommandTarget.h"

class Document;
class QAction;
class QMenu;
class View;

// What the document template hands the frame for making its views.
struct CreateContext
{
    using ViewFactory = std::function<View*(QWidget* parent)>;

    Document* m_pCurrentDoc = nullptr;
    ViewFactory m_newView;  // the template's view class
};

// The frame's creation options, which PreCreateWindow may change.
struct FrameStyle
{
    bool addToTitle = true;  // caption "document - application" instead of the application alone
};

// The top-level window of the single-document template: it makes its views
// while it is created, owns the commands (one QAction per command ID, shared
// by menu, toolbar and accelerators) and routes each command through the
// active view, the document, itself and the application.
class FrameWindow : public QMainWindow, public CommandTarget
{
    Q_OBJECT

public:
    explicit FrameWindow(QWidget* parent = nullptr);
    ~FrameWindow() override;

    // PreCreateWindow, then OnCreate (which makes the client area). False
    // when either fails; the frame is then unusable.
    bool LoadFrame(CreateContext& context);

    // Gives every view its initial update, makes the first view active and
    // shows the frame if asked.
    void InitialUpdateFrame(Document* document, bool makeVisible);

    const std::vector<View*>& Views() const { return m_views; }
    View* GetActiveView() const { return m_pActiveView; }
    void SetActiveView(View* view);

    // The menu's items get their update handlers run just before it opens.
    QMenu* AddMenu(const QString& title);
    void AddMenuCommand(QMenu* menu, int id, const QString& text);

    // The command's action, made on first use with the string table's prompt
    // (status bar) and tip (tool tip). Triggering it runs ExecuteCommand.
    QAction* CommandAction(int id, const QString& menuText = {});
    // An accelerator: a key that runs a command, without menu item or button.
    void AddAccelerator(int id, const QKeySequence& keys);

    // Runs the command when its update handler leaves it enabled; false if
    // it did not run.
    bool ExecuteCommand(int id);
    // The state a command would have now (handlers consulted, nothing applied).
    bool IsCommandEnabled(int id);
    // Runs the update handlers of every command shown in a menu or toolbar.
    void UpdateCommandUI();

    // The caption: the template's window title, with the document's title in
    // front while the style asks for it.
    void OnUpdateFrameTitle();

    bool OnCmdMsg(int id, Query query, CommandState* state) override;

protected:
    virtual bool PreCreateWindow(FrameStyle& style);
    // Returns 0 on success, -1 on failure. The base makes the client area.
    virtual int OnCreate(CreateContext& context);
    // The base puts one view of the template's class into the client area.
    virtual bool OnCreateClient(CreateContext& context);

    // Makes a view with the factory, attached to the context's document.
    View* CreateView(CreateContext& context, const CreateContext::ViewFactory& factory,
                     QWidget* parent);

    // The frame's menu, accelerators and icon; made before OnCreate.
    virtual void LoadFrameResources() {}
    // A new pop-up menu of the menu bar.
    virtual QMenu* NewMenu(const QString& title);

    // A bar shown and hidden by a View menu toggle with this command ID.
    void RegisterBar(int id, QWidget* bar);

private:
    void ApplyState(int id, QAction* action);
    void OnFocusChanged(QWidget* old, QWidget* now);
    void FocusPane(int step);

    std::vector<View*> m_views;
    View* m_pActiveView = nullptr;
    Document* m_pDocument = nullptr;
    bool m_bAddToTitle = true;
    std::map<int, QAction*> m_actions;
    std::set<int> m_shownCommands;  // in a menu or a toolbar
    std::map<int, QPointer<QWidget>> m_bars;
};
