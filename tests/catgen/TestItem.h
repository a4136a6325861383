#pragma once

#include <string>

#include "tools/catgen/GeneratedCatalog.h"

// An item with what the picture and preview renderers read: its id and label.
inline GeneratedItem TestItem(const std::string& id, const std::string& lib = "Lucky Star")
{
    GeneratedItem item;
    item.id = id;
    item.lib = lib;
    return item;
}
