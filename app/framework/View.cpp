#include "app/framework/View.h"

#include <QWidget>

#include "app/framework/Document.h"
#include "app/framework/FrameWindow.h"

View::~View()
{
    if (m_pDocument)
        m_pDocument->RemoveView(this);
}

FrameWindow* View::GetParentFrame()
{
    for (QWidget* w = Widget() ? Widget()->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* frame = qobject_cast<FrameWindow*>(w))
            return frame;
    return nullptr;
}

bool View::OnCmdMsg(int id, Query query, CommandState* state)
{
    if (HandleOwn(id, query, state))
        return true;
    return m_pDocument && m_pDocument->OnCmdMsg(id, query, state);
}
