#include "app/framework/FrameWindow.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "app/framework/ApplicationStrings.h"
#include "app/framework/CommandState.h"
#include "app/framework/DocApplication.h"
#include "app/framework/Document.h"
#include "app/framework/View.h"
#include "app/framework/FrameworkIds.h"

namespace {

// The size a new frame gets when nobody asks for another: most of the
// screen, centred on it.
QRect DefaultFrameGeometry()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const QSize size(std::min(1000, area.width() * 4 / 5), std::min(700, area.height() * 4 / 5));
    return QRect(area.center() - QPoint(size.width() / 2, size.height() / 2), size);
}

} // namespace

FrameWindow::FrameWindow(QWidget* parent) : QMainWindow(parent)
{
    connect(qApp, &QApplication::focusChanged, this, &FrameWindow::OnFocusChanged);
    OnCommand(ID_NEXT_PANE, [this] { FocusPane(1); });
    OnCommand(ID_PREV_PANE, [this] { FocusPane(-1); });
}

FrameWindow::~FrameWindow()
{
    // The views go with the child widgets, after this body; focus moves
    // while they go, and must not reach views that are half destroyed.
    disconnect(qApp, nullptr, this, nullptr);
    m_views.clear();
    m_pActiveView = nullptr;
    DocApplication* app = DocApplication::Instance();
    if (app && app->GetMainWnd() == this)
        app->SetMainWnd(nullptr);
}

bool FrameWindow::LoadFrame(CreateContext& context)
{
    FrameStyle style;
    if (!PreCreateWindow(style))
        return false;
    m_bAddToTitle = style.addToTitle;
    m_pDocument = context.m_pCurrentDoc;
    setGeometry(DefaultFrameGeometry());
    OnUpdateFrameTitle();
    LoadFrameResources();
    return OnCreate(context) != -1;
}

bool FrameWindow::PreCreateWindow(FrameStyle&)
{
    return true;
}

int FrameWindow::OnCreate(CreateContext& context)
{
    return OnCreateClient(context) ? 0 : -1;
}

bool FrameWindow::OnCreateClient(CreateContext& context)
{
    if (!context.m_newView)
        return false;
    View* view = CreateView(context, context.m_newView, this);
    if (!view)
        return false;
    setCentralWidget(view->Widget());
    return true;
}

View* FrameWindow::CreateView(CreateContext& context, const CreateContext::ViewFactory& factory,
                              QWidget* parent)
{
    View* view = factory(parent);
    if (!view)
        return nullptr;
    if (context.m_pCurrentDoc)
        context.m_pCurrentDoc->AddView(view);
    m_views.push_back(view);
    return view;
}

void FrameWindow::InitialUpdateFrame(Document* document, bool makeVisible)
{
    m_pDocument = document;
    for (View* view : m_views)
        view->OnInitialUpdate();
    if (!m_views.empty()) {
        SetActiveView(m_views.front());
        m_views.front()->Widget()->setFocus(Qt::OtherFocusReason);
    }
    OnUpdateFrameTitle();
    UpdateCommandUI();
    if (makeVisible)
        show();
}

void FrameWindow::SetActiveView(View* view)
{
    m_pActiveView = view;
}

QAction* FrameWindow::CommandAction(int id, const QString& menuText)
{
    m_shownCommands.insert(id);
    QAction*& action = m_actions[id];
    if (!action) {
        action = new QAction(this);
        action->setData(id);
        addAction(action);
        action->setStatusTip(CommandPromptText(id));
        action->setToolTip(CommandTipText(id));
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    }
    if (!menuText.isEmpty())
        action->setText(menuText);
    else if (action->text().isEmpty())
        action->setText(CommandTipText(id));
    return action;
}

void FrameWindow::AddAccelerator(int id, const QKeySequence& keys)
{
    QAction*& action = m_actions[id];
    if (!action) {
        action = new QAction(this);
        action->setData(id);
        addAction(action);
        connect(action, &QAction::triggered, this, [this, id] { ExecuteCommand(id); });
    }
    QList<QKeySequence> shortcuts = action->shortcuts();
    shortcuts.append(keys);
    action->setShortcuts(shortcuts);
}

bool FrameWindow::IsCommandEnabled(int id)
{
    CommandState state(id);
    if (!OnCmdMsg(id, Query::Update, &state))
        state.Enable(OnCmdMsg(id, Query::HasHandler, nullptr));
    return state.IsEnabled();
}

bool FrameWindow::ExecuteCommand(int id)
{
    // A command disabled since its button or item was last updated must not run.
    if (!IsCommandEnabled(id))
        return false;
    return OnCmdMsg(id, Query::Execute, nullptr);
}

void FrameWindow::ApplyState(int id, QAction* action)
{
    CommandState state(id);
    if (!OnCmdMsg(id, Query::Update, &state))
        state.Enable(OnCmdMsg(id, Query::HasHandler, nullptr));
    action->setEnabled(state.IsEnabled());
    if (state.Checked()) {
        action->setCheckable(true);
        action->setChecked(*state.Checked());
    }
}

void FrameWindow::UpdateCommandUI()
{
    for (int id : m_shownCommands)
        ApplyState(id, m_actions[id]);
}

void FrameWindow::OnUpdateFrameTitle()
{
    const QString appTitle = GetApplicationStrings().windowTitle;
    if (m_bAddToTitle && m_pDocument && !m_pDocument->GetTitle().isEmpty())
        setWindowTitle(m_pDocument->GetTitle() + QStringLiteral(" - ") + appTitle);
    else
        setWindowTitle(appTitle);
}

bool FrameWindow::OnCmdMsg(int id, Query query, CommandState* state)
{
    if (m_pActiveView && m_pActiveView->OnCmdMsg(id, query, state))
        return true;
    if (!m_pActiveView && m_pDocument && m_pDocument->OnCmdMsg(id, query, state))
        return true;
    if (HandleOwn(id, query, state))
        return true;
    DocApplication* app = DocApplication::Instance();
    return app && app->OnCmdMsg(id, query, state);
}

QMenu* FrameWindow::NewMenu(const QString& title)
{
    return new QMenu(title, menuBar());
}

QMenu* FrameWindow::AddMenu(const QString& title)
{
    QMenu* menu = NewMenu(title);
    menuBar()->addMenu(menu);
    connect(menu, &QMenu::aboutToShow, this, [this, menu] {
        for (QAction* action : menu->actions())
            for (const auto& [id, known] : m_actions)
                if (known == action)
                    ApplyState(id, action);
    });
    return menu;
}

void FrameWindow::AddMenuCommand(QMenu* menu, int id, const QString& text)
{
    menu->addAction(CommandAction(id, text));
}

void FrameWindow::RegisterBar(int id, QWidget* bar)
{
    m_bars[id] = bar;
    OnCommand(id, [this, id] {
        if (QWidget* b = m_bars[id]) {
            b->setVisible(b->isHidden());
            UpdateCommandUI();
        }
    });
    OnUpdateCommand(id, [this, id](CommandState& state) {
        QWidget* b = m_bars[id];
        state.Enable(b != nullptr);
        state.SetCheck(b && !b->isHidden());
    });
    CommandAction(id)->setCheckable(true);
}

void FrameWindow::OnFocusChanged(QWidget*, QWidget* now)
{
    if (!now || now->window() != this)
        return;
    for (View* view : m_views)
        if (view->Widget() == now || view->Widget()->isAncestorOf(now)) {
            SetActiveView(view);
            return;
        }
}

void FrameWindow::FocusPane(int step)
{
    if (m_views.empty())
        return;
    const auto it = std::find(m_views.begin(), m_views.end(), m_pActiveView);
    const auto count = static_cast<long>(m_views.size());
    const long current = it == m_views.end() ? 0 : it - m_views.begin();
    View* next = m_views[static_cast<size_t>(((current + step) % count + count) % count)];
    SetActiveView(next);
    next->Widget()->setFocus(Qt::OtherFocusReason);
}
