#include "tools/catgen/GeneratedCatalog.h"
#include "catalog/CatalogPaths.h"

const GeneratedType* FindGeneratedType(const GeneratedCatalog& catalog, int code)
{
    for (const GeneratedType& type : catalog.types)
        if (type.code == code)
            return &type;
    return nullptr;
}

const GeneratedGroup* FindGeneratedGroup(const GeneratedType& type, std::string_view id)
{
    const std::string_view wanted = TrimBlanks(id);
    for (const GeneratedGroup& group : type.groups)
        if (TrimBlanks(group.id) == wanted)
            return &group;
    return nullptr;
}
