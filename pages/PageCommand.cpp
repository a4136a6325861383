#include "pages/PageCommand.h"

#include "tree/CLeftView.h"

namespace {

// The tree node a "selcnt" kind names, in the order the kinds are tried.
QTreeWidgetItem* NodeOfKind(const CLeftView& tree, const std::string& kind)
{
    const std::pair<const char*, QTreeWidgetItem*> kinds[] = {
        {"java", tree.m_hJava},       {"ss", tree.m_hScreensavers}, {"wp", tree.m_hWallpapers},
        {"rtmono", tree.m_hRtMono},   {"rtpoly", tree.m_hRtPoly},   {"logos", tree.m_hLogos},
        {"logos_big", tree.m_hLogosBig}, {"start", tree.m_hRoot},
    };
    for (const auto& [name, node] : kinds)
        if (kind == name)
            return node;
    return nullptr;
}

} // namespace

void SplitCommand(const std::string& command, char separator, std::string& name, std::string& argument)
{
    const size_t at = command.find(separator);
    if (at == std::string::npos) {
        name = command;
        argument.clear();
        return;
    }
    name = command.substr(0, at);
    argument = command.substr(at + 1);
}

void OnPageCommand(std::string command)
{
    std::string argument;
    if (command.find('|') != std::string::npos) {
        std::string name;
        SplitCommand(command, '|', name, argument);
        command = std::move(name);
    }
    if (!g_pLeftView)
        return;
    if (command == "selgroup") {
        g_pLeftView->SelectGroup(argument);
    } else if (command == "selcnt") {
        if (QTreeWidgetItem* node = NodeOfKind(*g_pLeftView, argument))
            g_pLeftView->SelectItem(node);
    }
}
