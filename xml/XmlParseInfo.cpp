#include "xml/XmlParseInfo.h"

#include "xml/XmlEntityTable.h"

XmlParseInfo DefaultParseInfo()
{
    XmlParseInfo info;
    info.entityTable = &DefaultEntityTable();
    return info;
}

XmlParseInfo& SharedParseInfo()
{
    static XmlParseInfo info = DefaultParseInfo();
    return info;
}
