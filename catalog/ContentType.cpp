#include "catalog/ContentType.h"

std::string TypeKey(int code)
{
    const ContentTypeInfo* type = FindContentType(code);
    return type ? std::string(type->key) : std::string();
}

std::string TypeTitle(int code)
{
    const ContentTypeInfo* type = FindContentType(code);
    return type ? std::string(type->title) : std::string();
}
