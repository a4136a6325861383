#include "tools/catgen/GeneratedCatalog.h"

std::string_view TrimGroupId(std::string_view id)
{
    const auto first = id.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return id.substr(first, id.find_last_not_of(' ') - first + 1);
}

const GeneratedType* FindGeneratedType(const GeneratedCatalog& catalog, int code)
{
    for (const GeneratedType& type : catalog.types)
        if (type.code == code)
            return &type;
    return nullptr;
}

const GeneratedGroup* FindGeneratedGroup(const GeneratedType& type, std::string_view id)
{
    const std::string_view wanted = TrimGroupId(id);
    for (const GeneratedGroup& group : type.groups)
        if (TrimGroupId(group.id) == wanted)
            return &group;
    return nullptr;
}
