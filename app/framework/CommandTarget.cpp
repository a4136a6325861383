#include "app/framework/CommandTarget.h"

#include "app/framework/CommandState.h"

bool CommandTarget::OnCmdMsg(int id, Query query, CommandState* state)
{
    return HandleOwn(id, query, state);
}

void CommandTarget::OnCommand(int id, Handler handler)
{
    m_commands[id] = std::move(handler);
}

void CommandTarget::OnUpdateCommand(int id, UpdateHandler handler)
{
    m_updates[id] = std::move(handler);
}

bool CommandTarget::HandleOwn(int id, Query query, CommandState* state)
{
    switch (query) {
    case Query::Execute:
        if (auto it = m_commands.find(id); it != m_commands.end()) {
            // A copy: the handler may replace its own table entry.
            const Handler handler = it->second;
            handler();
            return true;
        }
        return false;
    case Query::Update:
        if (auto it = m_updates.find(id); it != m_updates.end() && state) {
            const UpdateHandler handler = it->second;
            handler(*state);
            return true;
        }
        return false;
    case Query::HasHandler:
        return m_commands.count(id) != 0;
    }
    return false;
}
