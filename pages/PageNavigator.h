#pragma once

#include <string>

// What page commands do with the catalog tree. The tree implements it and
// registers itself (SetPageNavigator); the pages know nothing more of it.
class PageNavigator
{
public:
    virtual ~PageNavigator() = default;

    // Selects the child of the selected node whose label is exactly this
    // one; nothing when there is none.
    virtual void SelectGroup(const std::string& label) = 0;
    // Selects the node of the content type with this code, or the root for
    // 0; nothing while the tree has no such node.
    virtual void SelectTypeNode(int typeCode) = 0;
    // Selects the first group node of the content type whose label is
    // exactly this one, wherever the selection is; nothing when there is
    // none.
    virtual void SelectTypeGroup(int typeCode, const std::string& label) = 0;
};
