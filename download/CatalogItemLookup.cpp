#include "download/CatalogItemLookup.h"

#include "catalog/CatalogRegistry.h"
#include "catalog/ContentCatalog.h"
#include "catalog/ContentTypeTable.h"
#include "xml/XmlEntityTable.h"
#include "xml/XmlParser.h"

std::string DownloadAddressOf(const ContentGroup& group, size_t item)
{
    const std::string& url = group.urls[item];
    if (url.find('&') == std::string::npos)
        return url;
    return DecodeReferences(DefaultEntityTable(), url);
}

std::string ItemLabelOf(const ContentGroup& group, size_t item)
{
    return DecodeReferences(DefaultEntityTable(), group.labels[item]);
}

std::optional<CatalogItemRef> FindItemById(int type, std::string_view id)
{
    const ContentCatalog* catalog = CatalogForType(type);
    for (int g = 0; catalog && g < catalog->GetGroupCount(); ++g) {
        const ContentGroup& group = *catalog->Group(g);
        for (size_t i = 0; i < group.ids.size(); ++i)
            if (group.ids[i] == id)
                return CatalogItemRef{type, g, static_cast<int>(i)};
    }
    return std::nullopt;
}

std::optional<CatalogItemRef> FindItemByAddress(std::string_view address)
{
    for (int type : CONTENT_TYPE_TREE_ORDER) {
        const ContentCatalog* catalog = CatalogForType(type);
        for (int g = 0; catalog && g < catalog->GetGroupCount(); ++g) {
            const ContentGroup& group = *catalog->Group(g);
            for (size_t i = 0; i < group.urls.size(); ++i) {
                // Decoding never makes an address longer: most are passed
                // over by their length.
                if (group.urls[i].size() < address.size())
                    continue;
                if (DownloadAddressOf(group, i) == address)
                    return CatalogItemRef{type, g, static_cast<int>(i)};
            }
        }
    }
    return std::nullopt;
}

const ContentGroup* GroupOfItem(const CatalogItemRef& ref)
{
    const ContentGroup* group = GroupOfType(ref.type, ref.group);
    if (!group || ref.item < 0 || static_cast<size_t>(ref.item) >= group->labels.size())
        return nullptr;
    return group;
}
