#pragma once

#include <optional>

// What an update handler decides about one command: enabled or not, and for
// a toggle whether it is checked. The frame applies the result to the
// command's menu item, toolbar button and shortcut.
class CommandState
{
public:
    explicit CommandState(int id) : m_id(id) {}

    int Id() const { return m_id; }

    void Enable(bool on = true) { m_enabled = on; }
    void SetCheck(bool on = true) { m_checked = on; }

    bool IsEnabled() const { return m_enabled; }
    // Unset when the handler said nothing about the check mark.
    std::optional<bool> Checked() const { return m_checked; }

private:
    int m_id;
    bool m_enabled = true;
    std::optional<bool> m_checked;
};
