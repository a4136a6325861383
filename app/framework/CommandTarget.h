#pragma once

#include <functional>
#include <map>

class CommandState;

// An object that handles commands by ID: a command handler runs the command,
// an update handler decides whether it is enabled (and checked). Targets
// route to one another: the frame asks its active view, the view its
// document, then the frame itself and at last the application.
class CommandTarget
{
public:
    using Handler = std::function<void()>;
    using UpdateHandler = std::function<void(CommandState&)>;

    enum class Query
    {
        Execute,    // run the command handler
        Update,     // run the update handler with the state
        HasHandler, // is there a command handler at all
    };

    virtual ~CommandTarget() = default;

    // True when this target or one it routes to answered the query.
    virtual bool OnCmdMsg(int id, Query query, CommandState* state);

protected:
    void OnCommand(int id, Handler handler);
    void OnUpdateCommand(int id, UpdateHandler handler);

    // The query answered from this target's own tables only.
    bool HandleOwn(int id, Query query, CommandState* state);

private:
    std::map<int, Handler> m_commands;
    std::map<int, UpdateHandler> m_updates;
};
