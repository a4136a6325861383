#include "catalog/CatalogPaths.h"

#include "catalog/TextFile.h"

std::string SafeFileName(const std::string& id)
{
    std::string name = id;
    for (char& c : name)
        if (c == '?' || c == '*' || c == '/' || c == '\\')
            c = '_';
    return name;
}

std::string_view TrimBlanks(std::string_view id)
{
    const size_t first = id.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return id.substr(first, id.find_last_not_of(' ') - first + 1);
}

std::string GroupFileName(const std::string& id)
{
    return SafeFileName(std::string(TrimBlanks(id)));
}

std::string TypeDirectory(const std::string& key)
{
    return "data" + std::string(1, PATH_SEPARATOR) + key + PATH_SEPARATOR;
}

std::string IndexXmlPath(const std::string& typeDir)
{
    return typeDir + "cats.xml";
}

std::string IndexCachePath(const std::string& typeDir)
{
    return typeDir + "cats.dat";
}

std::string GroupCachePath(const std::string& typeDir, const std::string& id)
{
    return typeDir + "data_" + GroupFileName(id) + ".dat";
}

std::string ListingPagePath(const std::string& typeDir, const std::string& id, int page)
{
    return typeDir + GroupFileName(id) + PATH_SEPARATOR + std::to_string(page) + ".xml";
}
